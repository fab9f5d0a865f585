#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/InitialiseChoice.h"
#include "app/MainCommandChecks.h"
#include "app/NavigationEntries.h"
#include "app/OperatingMode.h"
#include "app/SpeedLevel.h"
#include "app/TransactionMessages.h"

namespace vantrel {
namespace {

struct RecordingSink : ControllerWriteSink {
    std::vector<std::tuple<std::uint32_t, std::uint16_t, std::int32_t>> values, axisParameters;
    void queueValueWrite(std::uint32_t a, std::uint16_t s, std::int32_t v) override { values.emplace_back(a, s, v); }
    void queueAxisParameterWrite(std::uint32_t a, std::uint16_t s, std::int32_t v) override {
        axisParameters.emplace_back(a, s, v);
    }
};

TEST(MainCommandChecks, FlashAndInitialiseNeedAnOpenPortThenEditTestMode) {
    EXPECT_EQ(checkFlashWrite(false, mode::kEditTest)->text, "USBが未接続です。");
    EXPECT_EQ(checkFlashWrite(false, mode::kAutoRun)->text, "USBが未接続です。");
    EXPECT_EQ(checkFlashWrite(true, mode::kStepRun)->text, "編集テストモード中のみ書込みが出来ます。");
    EXPECT_EQ(checkFlashWrite(true, mode::kAutoRun)->text, "編集テストモード中のみ書込みが出来ます。");
    EXPECT_FALSE(checkFlashWrite(true, mode::kEditTest));

    EXPECT_EQ(checkInitialise(false, mode::kStepRun)->text, "USBが未接続です。");
    EXPECT_EQ(checkInitialise(true, mode::kAutoRun)->text, "編集テストモード中のみ初期化が出来ます。");
    EXPECT_FALSE(checkInitialise(true, mode::kEditTest));
}

TEST(MainCommandChecks, SettingsFileOpensOfflineOrInEditTestModeOnly) {
    EXPECT_FALSE(checkOpenSettingsFile(false, mode::kAutoRun));  // offline: the mode is not looked at
    EXPECT_FALSE(checkOpenSettingsFile(true, mode::kEditTest));
    const auto refusal = checkOpenSettingsFile(true, mode::kStepRun);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "編集テストモード以外ではファイルを開けません。");
    EXPECT_EQ(refusal->title, "確認");
    EXPECT_EQ(refusal->icon, MessageIcon::Warning);
}

TEST(MainCommandChecks, StartOutsideAutoRunOnlyInforms) {
    const auto notice = startNotice(mode::kEditTest);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text, "自動実行モードに切り替えてください。");
    EXPECT_EQ(notice->icon, MessageIcon::Information);
    EXPECT_TRUE(startNotice(mode::kStepRun));
    EXPECT_FALSE(startNotice(mode::kAutoRun));
}

TEST(OperatingMode, TextsOfReportedModes) {
    EXPECT_EQ(modeText(0), "編集テストモード");
    EXPECT_EQ(modeText(1), "ステップ実行モード");
    EXPECT_EQ(modeText(2), "自動実行モード");
    EXPECT_EQ(modeText(3), "エラー");
    EXPECT_EQ(modeText(0xFFFF), "エラー");
}

TEST(SpeedLevel, StepsStopAtBothEndsWithoutQueueing) {
    SettingsImage image;
    RecordingSink sink;
    ImageEdit edit(image, &sink);

    setSpeedOverrideLevel(image, 4);
    EXPECT_FALSE(stepSpeedLevel(edit, true));
    EXPECT_EQ(speedOverrideLevel(image), 4);
    setSpeedOverrideLevel(image, 0);
    EXPECT_FALSE(stepSpeedLevel(edit, false));
    EXPECT_TRUE(sink.values.empty());

    EXPECT_TRUE(stepSpeedLevel(edit, true));
    EXPECT_EQ(speedOverrideLevel(image), 1);
    ASSERT_EQ(sink.values.size(), 1u);
    EXPECT_EQ(sink.values[0], std::make_tuple(std::uint32_t{28}, std::uint16_t{1}, std::int32_t{1}));
    EXPECT_TRUE(sink.axisParameters.empty());
}

TEST(SpeedLevel, PercentTextAndForeignLevels) {
    EXPECT_EQ(speedPercentText(0), "20％");
    EXPECT_EQ(speedPercentText(4), "100％");
    // A level beyond the range from a foreign image steps back into it.
    EXPECT_EQ(steppedSpeedLevel(9, false), std::optional<std::uint8_t>(4));
    EXPECT_FALSE(steppedSpeedLevel(9, true));
}

TEST(InitialiseChoice, LowerButtonsFollowTheUpperChoice) {
    InitialiseChoice choice;
    EXPECT_TRUE(choice.isAll());
    EXPECT_FALSE(choice.lowerButtonsEnabled());
    // Under "すべて" the lower buttons cannot be picked.
    choice.chooseParametersOnly();
    EXPECT_EQ(choice.scopeCode(), 3);
    EXPECT_EQ(choice.question().text, "全てのデータを初期状態に戻します。\nよろしいですか？");
    EXPECT_EQ(choice.question().title, "確認");

    choice.chooseSelected();
    EXPECT_TRUE(choice.lowerButtonsEnabled());
    EXPECT_EQ(choice.scopeCode(), 1);
    EXPECT_EQ(choice.question().text, "軸設定を初期状態に戻します。\nよろしいですか？");
    choice.chooseParametersOnly();
    EXPECT_EQ(choice.scopeCode(), 2);
    EXPECT_EQ(choice.question().text, "パラメータを初期状態に戻します。\nよろしいですか？");

    choice.chooseAll();
    EXPECT_FALSE(choice.lowerButtonsEnabled());
    EXPECT_EQ(choice.scopeCode(), 3);
}

TEST(TransactionMessages, ResultsPickTheirMessages) {
    EXPECT_EQ(settingsReadMessage(1).text, "読込完了しました。");
    EXPECT_EQ(settingsReadMessage(1).title, "正常終了");
    EXPECT_EQ(settingsReadMessage(2).text, "読込中断しました。");
    EXPECT_EQ(settingsReadMessage(3).title, "異常終了");

    EXPECT_EQ(settingsWriteMessage(1).text, "送信完了しました。");
    EXPECT_EQ(settingsWriteMessage(3).text, "送信中断しました。");

    EXPECT_EQ(settingsFileSendMessage(2).title, "設定失敗");
    EXPECT_EQ(settingsFileSendMessage(3).text, "設定に失敗しました。");
    EXPECT_EQ(settingsFileSendMessage(4).text, "設定に失敗しました。\n(ベリファイ異常)");
    EXPECT_EQ(settingsFileSendMessage(4).title, "異常終了");
    EXPECT_EQ(settingsFileSendMessage(1).text, "設定完了しました。");
    EXPECT_EQ(settingsFileSendMessage(1).title, "設定完了");

    EXPECT_EQ(flashWriteMessage(255).text, "中断しました。正常に書き込まれていない場合があります。");
    EXPECT_EQ(flashWriteMessage(1).text, "正常に書き込みました");
    EXPECT_EQ(flashWriteMessage(1).title, "終了");
    EXPECT_EQ(flashWriteMessage(2).text, "書込失敗しました。");
    EXPECT_EQ(flashWriteMessage(3).text, "書込失敗しました\n(ベリファイ異常)");
    EXPECT_EQ(flashWriteMessage(4).title, "異常終了");

    EXPECT_EQ(initialiseReadMessage(1).text, "初期化完了しました。");
    EXPECT_EQ(initialiseReadMessage(1).title, "完了");
    EXPECT_EQ(initialiseReadMessage(2).text, "読込中断しました。");
    EXPECT_EQ(initialiseCancelledMessage().title, "中止");

    EXPECT_EQ(verifyErrorMessage(1).text, "設定受信に失敗しました。\n(ベリファイ異常)\n接続を切断します。");
    EXPECT_EQ(verifyErrorMessage(2).icon, MessageIcon::Error);
    // The open failure ends with a full stop, the failed identify does not.
    EXPECT_EQ(portOpenFailedMessage().text, "接続出来ませんでした。");
    EXPECT_EQ(noControllerMessage().text, "接続出来ませんでした");
}

TEST(Navigation, TreeOrderAndViewKinds) {
    const NavigationEntry root = navigationTree();
    EXPECT_EQ(root.text, "メニュー");
    ASSERT_EQ(root.children.size(), 3u);
    const auto& axes = root.children[0];
    EXPECT_EQ(axes.text, "軸設定");
    ASSERT_EQ(axes.children.size(), 2u);
    EXPECT_EQ(axes.children[0].kind, ViewKind::PulseAxisSettings);
    EXPECT_EQ(axes.children[1].text, "RIVO軸設定");
    const auto& params = root.children[1];
    std::vector<int> kinds;
    for (const auto& e : params.children) kinds.push_back(static_cast<int>(e.kind));
    EXPECT_EQ(kinds, (std::vector<int>{13, 10, 14, 11, 12, 15}));
    EXPECT_EQ(params.children[3].text, "RIVOポイント設定");
    EXPECT_EQ(root.children[2].text, "プログラム作成");
    EXPECT_EQ(root.children[2].kind, ViewKind::ProgramEditor);
}

TEST(Navigation, LeavingAnEditedProgramAsksFirst) {
    EXPECT_EQ(decideViewSwitch(ViewKind::ProgramEditor, ViewKind::ProgramEditor, false), ViewSwitch::Stay);
    EXPECT_EQ(decideViewSwitch(ViewKind::ProgramEditor, ViewKind::ProgramEditor, true), ViewSwitch::Stay);
    EXPECT_EQ(decideViewSwitch(ViewKind::ProgramEditor, ViewKind::Timers, false), ViewSwitch::AskFirst);
    EXPECT_EQ(decideViewSwitch(ViewKind::ProgramEditor, ViewKind::Timers, true), ViewSwitch::Switch);
    EXPECT_EQ(decideViewSwitch(ViewKind::Timers, ViewKind::Timers, false), ViewSwitch::Switch);
    EXPECT_EQ(decideViewSwitch(ViewKind::Counters, ViewKind::ProgramEditor, false), ViewSwitch::Switch);
}

}  // namespace
}  // namespace vantrel

#include "app/ProgressWindowKind.h"

namespace vantrel {
namespace {

TEST(ProgressWindowKind, TitlesTextsAndCancel) {
    EXPECT_EQ(progressTitle(ProgressKind::Initialise), "初期化");
    EXPECT_EQ(progressText(ProgressKind::Initialise), "初期化中");
    EXPECT_EQ(progressTitle(ProgressKind::FlashWrite), "FLASH書込み");
    EXPECT_EQ(progressText(ProgressKind::SettingsWrite), "設定ファイル書込み中");
    EXPECT_EQ(progressTitle(ProgressKind::SettingsRead), "設定ファイル読込み");
    EXPECT_EQ(progressText(ProgressKind::Compile), "コンパイル中");
    EXPECT_EQ(progressTitle(ProgressKind::ProgramRead), "プログラムファイル読込み");
    EXPECT_EQ(static_cast<int>(ProgressKind::ProgramRead), 6);
    for (auto kind : {ProgressKind::Initialise, ProgressKind::SettingsWrite, ProgressKind::SettingsRead,
                      ProgressKind::Compile, ProgressKind::ProgramRead})
        EXPECT_FALSE(progressCancellable(kind));
    EXPECT_TRUE(progressCancellable(ProgressKind::FlashWrite));
    EXPECT_EQ(progressPercentText(33), "33％");
    EXPECT_EQ(progressPercentText(130), "100％");
}

}  // namespace
}  // namespace vantrel
