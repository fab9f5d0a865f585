// The data files installed beside the program: CP932 text the controller and
// the editors can take as it is.

#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vantrel {
namespace {

std::string readResource(const std::string& name)
{
    std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Lines without their CR LF; fails the test on a line end that is not CR LF.
std::vector<std::string> crLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "last line without CR LF";
        if (end == std::string::npos) {
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end in: " << ansiToUtf8(line);
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return parts;
        }
        start = tab + 1;
    }
}

TEST(ResourceFilesTest, DefaultProgramsAreCp932StepLinesWithProgram100)
{
    const std::string text = readResource("Ncstepini.sys");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(ansiToUtf8(text).find(kReplacementUtf8), std::string::npos) << "not valid CP932";
    EXPECT_EQ(text.find('\x1A'), std::string::npos);

    const std::set<std::string> keywords = {"MOVE", "MOVEP", "HOME", "HOMEP", "BREAK", "PATH", "ACC", "LINE", "ARC",
                                            "OUT", "IN", "WAIT", "CINC", "CDEC", "CCLR", "INC", "DEC", "GOTO",
                                            "GOSUB", "RET", "END", "ON", "OFF", "IF", "PAUSE", "ALM", "SAV"};
    std::set<int> programs;
    int steps = 0;
    for (const std::string& line : crLfLines(text)) {
        EXPECT_LE(line.size(), 254u);
        if (line.rfind("\tPROG\t#", 0) == 0) {
            ASSERT_GE(line.size(), 10u);
            programs.insert(std::stoi(line.substr(7, 3)));
            continue;
        }
        const std::vector<std::string> parts = fields(line);
        ASSERT_GE(parts.size(), 3u) << ansiToUtf8(line);
        if (!parts[0].empty()) {
            EXPECT_EQ(parts[0].size(), 4u);
            EXPECT_EQ(parts[0][0], 'L');
        }
        EXPECT_TRUE(keywords.count(parts[1])) << parts[1];
        if (parts.size() > 3) {
            EXPECT_EQ(parts[3].substr(0, 1), ";");
        }
        ++steps;
    }
    EXPECT_TRUE(programs.count(100));
    EXPECT_GT(steps, 0);
}

TEST(ResourceFilesTest, IoNamesStayWithinTheTableLimits)
{
    const std::string text = readResource("IoName.txt");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(ansiToUtf8(text).find(kReplacementUtf8), std::string::npos) << "not valid CP932";

    const std::set<std::string> sections = {"[IO_IN]", "[IO_HIN]", "[IO_SIN]", "[IO_DIN]", "[IO_OUT]", "[IO_HOUT]",
                                            "[IO_DOUT]", "[IO_LOUT1]", "[IO_TIMER]", "[IO_COUNTER]",
                                            "[IO_COUNTER2]", "[IO_COUNTER3]", "[IO_COUNTER4]", "[IO_MEMORY]",
                                            "[IO_RIOIN]", "[IO_RIOOUT]", "[IO_AXCTRL]"};
    std::map<std::string, std::vector<std::string>> symbols;
    std::string current;
    for (const std::string& line : crLfLines(text)) {
        if (line.empty() || line.rfind("//", 0) == 0) {
            continue;
        }
        if (line[0] == '[') {
            EXPECT_TRUE(sections.count(line)) << line;
            EXPECT_FALSE(symbols.count(line)) << "section twice: " << line;
            current = line;
            symbols[current];
            continue;
        }
        ASSERT_FALSE(current.empty()) << "entry before the first section";
        const std::vector<std::string> parts = fields(line);
        ASSERT_EQ(parts.size(), 2u) << ansiToUtf8(line);
        EXPECT_GE(parts[0].size(), 1u);
        EXPECT_LE(parts[0].size(), 7u) << parts[0];
        EXPECT_LE(parts[1].size(), 19u) << ansiToUtf8(parts[1]);
        EXPECT_EQ(ansiPrefix(parts[1], 19), parts[1]);
        symbols[current].push_back(parts[0]);
    }
    EXPECT_EQ(symbols.size(), sections.size());
    for (const auto& [section, entries] : symbols) {
        EXPECT_LE(entries.size(), 101u) << section;
        EXPECT_FALSE(entries.empty()) << section;
    }
    // The editors page timers and memories by 20 and show at most 16 remote I/O bits.
    EXPECT_EQ(symbols["[IO_IN]"].front(), "IN1");
    EXPECT_EQ(symbols["[IO_IN]"].size(), 16u);
    EXPECT_EQ(symbols["[IO_TIMER]"].size(), 100u);
    EXPECT_EQ(symbols["[IO_TIMER]"].back(), "T100");
    EXPECT_EQ(symbols["[IO_LOUT1]"].size(), 100u);
    EXPECT_EQ(symbols["[IO_MEMORY]"].size(), 96u);
    EXPECT_EQ(symbols["[IO_MEMORY]"].back(), "M96");
    EXPECT_EQ(symbols["[IO_RIOIN]"].size(), 16u);
    EXPECT_EQ(symbols["[IO_RIOOUT]"].size(), 16u);
    EXPECT_LE(symbols["[IO_AXCTRL]"].size(), 20u);
    EXPECT_LE(symbols["[IO_DIN]"].size(), 20u);
}

TEST(ResourceFilesTest, SplashPictureIsA480By270Bitmap)
{
    const std::string bmp = readResource("VANTREL.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const auto u32 = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bmp[at]))
               | static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 1])) << 8
               | static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 2])) << 16
               | static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 3])) << 24;
    };
    EXPECT_EQ(u32(2), bmp.size());
    EXPECT_EQ(u32(18), 480u);
    EXPECT_EQ(u32(22), 270u);
}

}  // namespace
}  // namespace vantrel
