#include "ProgramDemo.h"

#include <array>

#include "data/DefaultImage.h"
#include "platform/AnsiText.h"

namespace vantrel::bench {

namespace {

void setPoint(SettingsImage& image, int axis, int index, std::int32_t position, std::uint8_t speed) {
    PositionRecord record(image, axis, index);
    record.setPosition(position);
    record.setSpeed(speed);
}

std::string line(const std::string& utf8) { return utf8ToAnsi(utf8) + "\r\n"; }

}  // namespace

SettingsImage programDemoImage() {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 0).setPositionUnit(0);  // mm
    PulseAxisRecord(image, 1).setPositionUnit(2);  // step
    PulseAxisRecord(image, 2).setPositionUnit(1);  // deg
    for (int i = 0; i < 120; ++i) {
        setPoint(image, 0, 1000 + i, 10000 + 1250 * i, 80);      // PT1001.. on axis 1: 100.00 mm ...
        setPoint(image, 1, 1000 + i, 5000 + 400 * i, 50);        // axis 2: 5000 step ...
        setPoint(image, 2, 1000 + i, 9000, 40);                  // axis 3: 90.00 deg
        setPoint(image, 0, 300 + i, -250 + 75 * i, 60);          // auto points 301..
        setPoint(image, 1, 300 + i, 12000 - 100 * i, 70);
    }
    TimerTable(image).setTimer(0, 150);
    TimerTable(image).setTimer(4, 25);
    return image;
}

std::string demoPrograms() {
    std::string text;
    text += line("\tPROG\t#001\t;ワーク搬送");
    text += line("L001\tHOME\tA1,A2 \t;原点復帰");
    text += line("\tMOVE\tA1,A2 P1001 \t;待機位置");
    text += line("\tIN\tIN1 ON\t;ワーク到着待ち");
    text += line("\tMOVE\tI A1 P0301 \t;相対移動");
    text += line("\tLINE\tA1,A2 P0302 ");
    text += line("\tARC\tA1,A2 P0303 P0304 ");
    text += line("\tOUT\tOUT1 ON\t;チャック閉");
    text += line("\tWAIT\tT1");
    text += line("\tMOVE\tA1,A2,A3 P1002 \t;置き位置");
    text += line("\tOUT\tOUT1 OFF\t;チャック開");
    text += line("\tACC\tON,A1 3");
    text += line("\tGOSUB\t#002 ");
    text += line("\tIF\tIN2 ON GOTO L001 ");
    text += line("\tEND\t");
    text += line("\tPROG\t#002\t;検査");
    text += line("\tMOVE\tA1 P1003 ");
    text += line("\tWAIT\tT5");
    text += line("\tRET\t");
    text += line("\tPROG\t#007\t;段取り");
    text += line("\tHOME\tA1,A2,A3 ");
    text += line("\tEND\t");
    text += line("\tPROG\t#100\t;メインプログラム");
    text += line("\tON\t#001 ");
    text += line("\tEND\t");
    return text;
}

std::string fullProgram() {
    // One step of each listing kind, repeated up to 255 steps.
    const std::array<std::string, 17> steps = {
        "L001\tMOVE\tA1,A2 P1001 \t;comment",
        "\tMOVE\tI A1,A2,A3 P0301 ",
        "\tMOVEP\tA1 P0302 ",
        "\tLINE\tA1,A2 P0303 ",
        "\tARC\tA1,A2 P0304 P0305 ",
        "\tHOME\tA1,A2 ",
        "\tBREAK\tA1,A2 ",
        "\tPATH\tON,A1 1.50,A2 0.25 ",
        "\tACC\tON,A1 3,A2 5",
        "\tWAIT\tT1",
        "\tGOSUB\t#002 ",
        "\tIF\tIN1 ON GOSUB #002 ",
        "\tMOVE2P\tA3 P005 ",
        "\tSAV\tA1 OFF",
        "\tSHIFT\tON 1 P081 ",
        "\tOUT\tOUT1 ON,OUT2 OFF",
        "\tCALC\tX = X + 1 ",
    };
    // Program 2 is called by name in the listing.
    std::string text = "\tPROG\t#002\t;sub\r\n\tRET\t\r\n\tPROG\t#001\t;full\r\n";
    for (int i = 0; i < 255; ++i) text += steps[static_cast<std::size_t>(i) % steps.size()] + "\r\n";
    return text;
}

}  // namespace vantrel::bench
