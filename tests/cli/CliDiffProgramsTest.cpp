// vantrel-cli diff-programs: two program files that differ by one inserted
// step, as text, as JSON and by exit status.

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "platform/AnsiText.h"

using namespace vantrel;
using namespace vantrel::clitest;

namespace {

std::string programFile(bool withInsertedStep) {
    std::string text = "\tPROG\t#001\t;Main\r\n\tOUT\tOUT1=1\r\nL005\tIN\tIN1=1\t;部品待ち\r\n\tINC\tM1\r\n\tDEC\tM2\r\n";
    if (withInsertedStep) text += "\tCINC\tC1\t;count\r\n";
    text += "\tOUT\tOUT2=1\r\n\tGOTO\tL005\r\n\tEND\t\r\n\tPROG\t#100\r\n\tEND\t\r\n";
    return utf8ToAnsi(text);
}

}  // namespace

TEST_F(CliTest, DiffProgramsShowsOneInsertedStepAsOneAddedStep) {
    std::ofstream(path("a.ncp"), std::ios::binary) << programFile(false);
    std::ofstream(path("b.ncp"), std::ios::binary) << programFile(true);

    const auto r = run({"diff-programs", path("a.ncp"), path("b.ncp")});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "--- " + path("a.ncp") + "\n+++ " + path("b.ncp") +
                         "\n"
                         "PROG #001 Main\n"
                         "@@ -2,6 +2,7 @@\n"
                         " 005\t入力待ち\tIN1=1 \t部品待ち\n"
                         " \tMemory+1\tM1\t\n"
                         " \tMemory-1\tM2\t\n"
                         "+\tCounter+1\tC1 \tcount\n"
                         " \t外部出力\tOUT2=1\t\n"
                         " \tjump\tL005\t\n"
                         " \tend\t\t\n");

    const auto json = run({"diff-programs", path("a.ncp"), path("b.ncp"), "--json"});
    EXPECT_EQ(json.status, 1) << json.err;
    const auto programs = nlohmann::ordered_json::parse(json.out);
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].dump(), R"({"program":1,"change":"changed","oldName":"Main","name":"Main","steps":[)"
                                  R"({"change":"added","program":1,"step":5,"label":0,"command":"Counter+1",)"
                                  R"("operand":"C1 ","comment":"count","text":"\tCINC\tC1\t;count"}]})");

    const auto same = run({"diff-programs", path("a.ncp"), path("a.ncp")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");
    const auto missing = run({"diff-programs", path("a.ncp"), path("none.ncp"), "--json"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("none.ncp"), std::string::npos) << missing.err;
    // A folder is not an empty program file: its programs are not "removed".
    std::filesystem::create_directory(path("folder.ncp"));
    const auto folder = run({"diff-programs", path("a.ncp"), path("folder.ncp")});
    EXPECT_EQ(folder.status, 2) << folder.out;
    EXPECT_NE(folder.err.find("folder.ncp"), std::string::npos) << folder.err;
}
