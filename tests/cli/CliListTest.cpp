// vantrel-cli list: program files as the program editor's step table lists
// them, against a settings file made for the test.

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "data/DefaultImage.h"
#include "data/SettingsFile.h"
#include "platform/AnsiText.h"

using namespace vantrel;
using namespace vantrel::clitest;

namespace {

constexpr int kMm = 0, kDeg = 1, kStep = 2;

void setPoint(SettingsImage& image, int axis, int point, std::int32_t position, std::uint8_t rate) {
    PositionRecord record(image, axis, point - 1);
    record.setPosition(position);
    record.setSpeed(rate);
}

// Axis 1 in mm, 2 in deg, 3 in steps, 4 in mm, with the points, home rates,
// acceleration time and timer the program below refers to.
SettingsImage listingSettings() {
    SettingsImage image = makeDefaultSettingsImage();
    const int units[] = {kMm, kDeg, kStep, kMm};
    for (int axis = 0; axis < 4; ++axis) PulseAxisRecord(image, axis).setPositionUnit(static_cast<std::uint8_t>(units[axis]));
    setPoint(image, 0, 12, 1050, 50);
    setPoint(image, 2, 12, NOT_SET_POSITION, 80);
    setPoint(image, 0, 13, 100, 30);
    setPoint(image, 1, 13, -5, 40);
    setPoint(image, 2, 13, 7, 30);
    setPoint(image, 0, 14, 200, 30);
    setPoint(image, 2, 14, NOT_SET_POSITION, 30);
    setPoint(image, 0, 81, 100, 1);
    setPoint(image, 1, 81, NOT_SET_POSITION, 1);
    setPoint(image, 2, 81, 0, 1);
    setPoint(image, 3, 81, 0, 1);
    PositionRecord(image, 0, 252).setSpeed(20);  // home speed rates
    PositionRecord(image, 2, 252).setSpeed(70);
    PulseAxisRecord(image, 1).setAccelTime(3, 125);
    TimerTable(image).setTimer(2, 150);  // T3
    return image;
}

struct Step {
    const char* line;  // as stored, UTF-8 (the file holds it in CP932)
    int label;
    const char* command;
    const char* operand;
    const char* comment;
};

// One step per listing rule.
const Step kMain[] = {
    {"\tMOVE\tI A1,A3 P0012\t;相対移動", 0, "軸移動", "相対値 軸1,軸3 P0012(10.50mm, ---) 50%, 80% ", "相対移動"},
    {"L010\tMOVE\tA2 P0013", 10, "軸移動", "絶対値 軸2 P0013(-0.05deg) 40% ", ""},
    {"\tLINE\tA1,A2 P0013", 0, "直線補間", "絶対値 軸1,軸2 P0013(1.00mm, -0.05deg) 30% ", ""},
    {"\tARC\tA1,A3 P0013 P0014", 0, "円弧補間", "絶対値 軸1,軸3 P0013(1.00mm, 7step) P0014(2.00mm, -) 30% ", ""},
    {"\tMOVE\tA1 P0301", 0, "軸移動D", "絶対値 軸1 P0301(-.--) 100% ", ""},
    {"\tHOME\tA1,A3", 0, "原点復帰", "軸1(20%),軸3(70%) ", ""},
    {"\tPATH\tON,A1 1.5,A2 0.125", 0, "軸PASS", "軸1 1.50,軸2 0.13", ""},
    {"\tACC\tON,A2 3", 0, "軸加速度", "軸2 3(1.25sec)", ""},
    {"\tWAIT\tT3", 0, "時間待ち", "T3(1.50sec)", ""},
    {"\tGOSUB\t#002", 0, "call", "#002(Sub)", ""},
    {"\tGOSUB\t#003", 0, "call", "#003()", ""},
    {"\tMOVE2\tA5 P005", 0, "軸移動(RIVO)", "軸5  P005", ""},
    {"\tSHIFT\tON 1 P081", 0, "SHIFT", "ON 1 P081(1.00mm, -.--, 0step, 0.00mm) ", ""},
    {"L999\tEND\t", 999, "end", "", ""},
};

std::string programFile() {
    std::string text = "\tPROG\t#001\t;Main\r\n";
    for (const Step& s : kMain) text += std::string(s.line) + "\r\n";
    text += "\tPROG\t#002\t;Sub\r\n\tRET\t\r\n\tPROG\t#003\r\n";
    return utf8ToAnsi(text);
}

}  // namespace

TEST_F(CliTest, ListShowsTheStepTableInTheAxesUnits) {
    ASSERT_TRUE(saveSettingsFile(listingSettings(), path("units.bin")));
    std::ofstream(path("p.ncp"), std::ios::binary) << programFile();

    const auto r = run({"list", path("p.ncp"), "--settings", path("units.bin")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string expected = "PROG #001 Main\nStep\tLabel\tcommand\toperand\tcomment\n";
    for (std::size_t i = 0; i < std::size(kMain); ++i) {
        const Step& s = kMain[i];
        char number[24];
        std::snprintf(number, sizeof number, "%03zu", i + 1);
        std::string label;
        if (s.label) {
            char text[24];
            std::snprintf(text, sizeof text, "%03d", s.label);
            label = text;
        }
        expected += std::string(number) + "\t" + label + "\t" + s.command + "\t" + s.operand + "\t" + s.comment + "\n";
    }
    expected += "015\n";  // the blank row after the last step
    expected += "\nPROG #002 Sub\nStep\tLabel\tcommand\toperand\tcomment\n001\t\treturn\t\t\n002\n";
    expected += "\nPROG #003\nStep\tLabel\tcommand\toperand\tcomment\n001\n";
    EXPECT_EQ(r.out, expected);

    // Without --settings the units are initial.bin's: every axis in mm, points not set.
    const auto plain = run({"list", path("p.ncp"), "--program", "1"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("\t相対値 軸1,軸3 P0012(-.--, -.--) "), std::string::npos) << plain.out;
    EXPECT_EQ(plain.out.find("PROG #002"), std::string::npos);

    // In English the command and the listing's words are English; JSON stays the same in both languages.
    const auto english = run({"--lang", "en", "list", path("p.ncp"), "--program", "1"});
    EXPECT_NE(english.out.find("\tRelative Axis 1,Axis 3 P0012(-.--, -.--) "), std::string::npos) << english.out;
    const auto jsonJa = run({"list", path("p.ncp"), "--program", "1", "--json"});
    EXPECT_EQ(run({"--lang", "en", "list", path("p.ncp"), "--program", "1", "--json"}).out, jsonJa.out);

    // The default programs file lists as the program file it is.
    std::ofstream(path("Ncstepini.sys"), std::ios::binary) << programFile();
    const auto defaults = run({"list", path("Ncstepini.sys"), "--program", "1"});
    EXPECT_EQ(defaults.status, 0) << defaults.err;
    EXPECT_EQ(defaults.out, plain.out);
}

TEST_F(CliTest, ListJsonIsOneObjectPerStep) {
    ASSERT_TRUE(saveSettingsFile(listingSettings(), path("units.bin")));
    std::ofstream(path("p.ncp"), std::ios::binary) << programFile();
    const auto r = run({"list", path("p.ncp"), "--settings", path("units.bin"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = nlohmann::ordered_json::parse(r.out);
    ASSERT_TRUE(rows.is_array());
    ASSERT_EQ(rows.size(), std::size(kMain) + 1);  // program 2's RET; program 3 has no step
    for (std::size_t i = 0; i < std::size(kMain); ++i) {
        SCOPED_TRACE(i);
        const auto& row = rows[i];
        std::vector<std::string> keys;
        for (const auto& [key, value] : row.items()) keys.push_back(key);
        EXPECT_EQ(keys, (std::vector<std::string>{"program", "step", "label", "command", "operand", "comment", "text"}));
        EXPECT_EQ(row.at("program"), 1);
        EXPECT_EQ(row.at("step"), i + 1);
        EXPECT_EQ(row.at("label"), kMain[i].label);
        EXPECT_EQ(row.at("command"), kMain[i].command);
        EXPECT_EQ(row.at("operand"), kMain[i].operand);
        EXPECT_EQ(row.at("comment"), kMain[i].comment);
        EXPECT_EQ(row.at("text"), kMain[i].line);
    }
    EXPECT_EQ(rows.back().at("program"), 2);
    EXPECT_EQ(rows.back().at("text"), "\tRET\t");

    struct Refusal {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    std::ofstream(path("p.txt"), std::ios::binary) << programFile();
    const Refusal refusals[] = {
        {"a program the file has not", {"list", path("p.ncp"), "--program", "9"}, 1, "program 9 is not in"},
        {"a program number out of range", {"list", path("p.ncp"), "--program", "256"}, 2, "1..255"},
        {"not a program file", {"list", path("p.txt")}, 1, "ファイルフォーマットが違います。"},
        {"a settings file cut short", {"list", path("p.ncp"), "--settings", path("p.ncp")}, 1, "172828"},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.what);
        const auto f = run(c.args);
        EXPECT_EQ(f.status, c.status);
        EXPECT_EQ(f.out, "");
        EXPECT_NE(f.err.find(c.message), std::string::npos) << f.err;
    }
}
