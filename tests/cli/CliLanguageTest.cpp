#include "CliTestSupport.h"

namespace vantrel::clitest {

// --lang chooses the language of the messages whatever the locale says: a
// refusal and a link cut mid-command, in English and in Japanese.
TEST_F(CliTest, LangPrintsTheMessagesInEnglishOrJapanese) {
    loadDriverAtSlave5();
    const struct {
        const char* lang;
        const char* refusal;
        const char* linkLost;
    } cases[] = {
        {"en", "vantrel-cli: Switch to manual mode\n", "vantrel-cli: The USB connection was lost. (alarm: "},
        {"ja", "vantrel-cli: 手動モードにしてください (switch the controller to edit-test mode)\n",
         "vantrel-cli: USBが切断されました。 (the USB connection was cut; alarm: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        const std::string port = serve();
        sim_.setModeWord(2);  // auto-run: the register test refuses
        auto r = run({"--lang", c.lang, "register", "--port", port, "--slave", "5", "--function", "3"},
                     std::string("LANG=") + (c.lang == std::string("en") ? "ja_JP.UTF-8 " : "C "));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.refusal);

        sim_.setModeWord(0);
        SimFaults faults;
        faults.hangUpOnCode = 0x19;  // the alarm record request
        faults.hangUpAtRequest = 1;
        sim_.setFaults(faults);
        r = runFast({"--lang", c.lang, "alarm", "--port", port, "--history"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.substr(0, std::string(c.linkLost).size()), c.linkLost) << r.err;
        sim_.setFaults({});
        server_.stop();
    }
}

}  // namespace vantrel::clitest
