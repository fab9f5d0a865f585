// The main window against the simulated controller over a real
// pseudo-terminal and the real link thread: every command as the user runs
// it, with the message boxes and dialogs answered by the test.

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>

#include "MainFrameTestSupport.h"
#include "app/CStatusPane.h"
#include "data/ImageEdit.h"
#include "data/SettingsFile.h"
#include "platform/ComIni.h"
#include "ui/CGridView.h"

using namespace vantrel;
using test::kPatience;

class MainFrameTest : public QObject, public test::MainFrameFixture {
    Q_OBJECT

private:
    QTemporaryDir files_;

    MainFramePrompts::Direction direction_ = MainFramePrompts::Direction::ControllerToPc;
    QString openPath_;
    std::optional<std::string> chosenPort_;
    std::vector<std::string> offeredPorts_;
    std::optional<InitialiseChoice> initialiseChoice_;
    std::optional<EthernetAddressValues> ethernetValues_;

    std::uint16_t simTimer(int i) const {
        return ConstTimerTable(sim_->settingsImage()).timer(i);
    }

    // The link's image, read under the link lock that keeps the link thread out.
    SettingsImage linkImage() {
        const std::lock_guard guard(state_->link.lock());
        return state_->linkImage;
    }
    bool linkQueuesDrained() {
        const std::lock_guard guard(state_->link.lock());  // no single value in flight
        return state_->queues.valueWriteCount() == 0 && state_->queues.valueReadCount() == 0 &&
               state_->queues.axisParameterWriteCount() == 0;
    }

    void connectAndRead() {
        direction_ = MainFramePrompts::Direction::ControllerToPc;
        MainFrameFixture::connectAndRead();
    }

private slots:
    void init() {
        startMainFrame();
        if (!frame_) return;
        MainFramePrompts prompts;
        prompts.choosePort = [this](QWidget*, const std::vector<std::string>& names, const std::string&) {
            offeredPorts_ = names;
            return chosenPort_;
        };
        prompts.connectDirection = [this](QWidget*) { return direction_; };
        prompts.chooseInitialise = [this](QWidget*) { return initialiseChoice_; };
        prompts.editEthernet = [this](QWidget*, const EthernetAddressValues&) { return ethernetValues_; };
        prompts.openSettingsFile = [this](QWidget*, const QString&) { return openPath_; };
        prompts.saveSettingsFile = [](QWidget*, const QString&) { return QString(); };
        frame_->setPrompts(prompts);
    }

    void cleanup() { stopMainFrame(); }

    void controllerToPcReadsTheControllersSettings() {
        SettingsImage controller = makeDefaultSettingsImage();
        TimerTable(controller).setTimer(4, 1234);
        controller.writePosition(1, 10, 5555);
        sim_->loadSettingsImage(controller);

        connectAndRead();  // answers no to saving first
        QCOMPARE(ConstTimerTable(state_->image).timer(4), 1234);
        QCOMPARE(state_->image.readPosition(1, 10), 5555);
        frame_->refreshStatusPane();
        const auto& texts = frame_->statusPane().texts();
        QCOMPARE(texts.link, std::string("ONLINE"));
        QCOMPARE(texts.mode, std::string("編集テストモード"));
        QCOMPARE(texts.controller, std::string("MAIN"));
        QCOMPARE(texts.runState, std::string("停止中"));
        QCOMPARE(texts.alarm, std::string("no alarm"));
    }

    // The UI's image gets every byte of a read through the link's
    // notifications: pulse axes, positions, network records, tables.
    void controllerToPcLeavesTheUiImageEqualToTheControllers() {
        SettingsImage controller = makeDefaultSettingsImage();
        for (int axis = 0; axis < 4; ++axis) PulseAxisRecord(controller, axis).setMaxRotationSpeed(1000 + 100 * axis);
        controller.writePosition(3, 2000, -123456);
        controller.setU8(layout::kNetworkDrivers + 5 * layout::kNetworkDriverSize + 40, 0x5A);
        TimerTable(controller).setTimer(99, 4321);
        controller.setU16(layout::kEthernetPort, 8081);
        sim_->loadSettingsImage(controller);
        QVERIFY(!(state_->image == sim_->settingsImage()));

        connectAndRead();
        QVERIFY(state_->image == sim_->settingsImage());
        QVERIFY(state_->image == linkImage());
    }

    // A value edited in the UI is written, read back into the link's image
    // and copied from there into the UI's; a value the controller changed on
    // its own comes in the same way.
    void anEditFollowedByItsReadBackKeepsTheValueInTheUiImage() {
        connectAndRead();
        const std::size_t axisSpeed = layout::kPulseAxes + 2 * layout::kPulseAxisSize + PulseAxisRecord::kMaxRotationSpeed;
        {
            ImageEdit edit(state_->image, &state_->queues);
            edit.write(layout::kTimers + 2 * 2, 2, 4321);
            edit.write(axisSpeed, 2, 3000);
        }
        sim_->writeValue(address::kTimers + 2 * 5, 2, 777);
        state_->queues.queueValueRead(address::kTimers + 2 * 5, 2);
        QTRY_VERIFY_WITH_TIMEOUT(linkQueuesDrained(), kPatience);
        QTRY_COMPARE(ConstTimerTable(state_->image).timer(5), 777);  // arrives only through the read-back
        QCoreApplication::processEvents();  // every notification posted so far
        QCOMPARE(simTimer(2), 4321);
        QCOMPARE(ConstTimerTable(state_->image).timer(2), 4321);
        QCOMPARE(ConstPulseAxisRecord(state_->image, 2).maxRotationSpeed(), 3000);
        QVERIFY(state_->image == linkImage());
    }

    void programStoreStartsWithTheDefaultsAndFollowsAControllerRead() {
        // Ncstepini.sys lies beside the programs of the build.
        QVERIFY(state_->programs.length() > 0);
        QVERIFY(state_->programs.storeClean());
        sim_->setProgramFile("\tPROG\t#007\t;from the controller\r\n");
        connectAndRead();
        QVERIFY(state_->programs.findProgram(7).found);
        QVERIFY(!state_->programs.findProgram(1).found || sim_->programFile().find("#001") != std::string::npos);
    }

    void theViewShownIsRebuiltFromARead() {
        frame_->chooseView(ViewKind::Timers);
        auto* before = qobject_cast<ui::CGridView*>(frame_->currentView());
        QVERIFY2(before, "the timer view is a grid view");
        QCOMPARE(before->table()->model()->index(0, 0).data().toString(), QStringLiteral("1.00"));
        SettingsImage controller = makeDefaultSettingsImage();
        TimerTable(controller).setTimer(0, 250);
        sim_->loadSettingsImage(controller);
        connectAndRead();
        QCOMPARE(frame_->currentViewKind(), ViewKind::Timers);
        auto* after = qobject_cast<ui::CGridView*>(frame_->currentView());
        QVERIFY(after);
        QCOMPARE(after->table()->model()->index(0, 0).data().toString(), QStringLiteral("2.50"));
    }

    void readAsksToSaveFirstAndShowsItsResult() {
        frame_->connectController();
        QTRY_VERIFY_WITH_TIMEOUT(recorder_->has("読込完了しました。"), kPatience);
        const Refusal* question = recorder_->find("コントローラの設定を読み出します。現在の設定を保存しますか？");
        QVERIFY(question);
        QCOMPARE(recorder_->find("読込完了しました。")->title, std::string("正常終了"));
    }

    // The save asked for before the read is not made (its dialog cancelled):
    // the read would overwrite the unsaved settings, so nothing is read and
    // the connection is cut, with a word why.
    void aSaveNotMadeBeforeTheReadStopsTheReadAndDisconnects() {
        TimerTable(state_->image).setTimer(4, 999);
        const SettingsImage edited = state_->image;
        recorder_->answer = [](const Refusal& question) {
            return question.text == "コントローラの設定を読み出します。現在の設定を保存しますか？";
        };
        frame_->connectController();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->messages.size() == 2, qPrintable(recorder_->dump()), kPatience);
        QCOMPARE(recorder_->messages[1].text,
                 std::string("設定が保存されなかったため、コントローラの設定は読み出さずに切断しました。"));
        QCOMPARE(recorder_->messages[1].title, std::string("中止"));
        QTRY_VERIFY_WITH_TIMEOUT(!state_->link.isOpen(), kPatience);
        QVERIFY(state_->image == edited);
        QCOMPARE(sim_->requestCount(0x01), 0);
    }

    void pcToControllerWritesTheSettings() {
        TimerTable(state_->image).setTimer(2, 4321);
        state_->image.writePosition(0, 7, -777);
        direction_ = MainFramePrompts::Direction::PcToController;
        frame_->connectController();
        QTRY_VERIFY_WITH_TIMEOUT(recorder_->has("送信完了しました。"), kPatience);
        QCOMPARE(recorder_->find("送信完了しました。")->title, std::string("正常終了"));
        QCOMPARE(sim_->settingsImage().readPosition(0, 7), -777);
        // Timers follow as single values once the areas are in.
        QTRY_COMPARE_WITH_TIMEOUT(simTimer(2), std::uint16_t{4321}, kPatience);
    }

    void cancelInTheConnectDialogDisconnectsSilently() {
        direction_ = MainFramePrompts::Direction::Cancel;
        frame_->connectController();
        QTRY_VERIFY_WITH_TIMEOUT(sim_->requestCount(0x00) == 1 && !state_->link.isOpen(), kPatience);
        QTest::qWait(50);
        QVERIFY2(recorder_->messages.empty(), qPrintable(recorder_->dump()));
        QCOMPARE(sim_->requestCount(0x01), 0);
    }

    void aPortThatDoesNotOpenIsReported() {
        state_->portOverride = "pts/no-such-port";
        frame_->connectController();
        QVERIFY(recorder_->has("接続出来ませんでした。"));
        QVERIFY(!state_->link.isOpen());
    }

    void flashWriteWithThePortClosedSendsNothing() {
        frame_->writeFlash();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"USBが未接続です。"});
        frame_->initialiseController();
        QCOMPARE(recorder_->messages.back().text, std::string("USBが未接続です。"));
        QTest::qWait(50);
        QCOMPARE(sim_->requestCount(0xC1), 0);
        QCOMPARE(sim_->requestCount(0x13), 0);
    }

    void stepRunModeRefusesFlashInitialiseAndFiles() {
        sim_->setModeWord(1);
        connectAndRead();  // a controller in another mode is read at once, without the dialog
        frame_->writeFlash();
        frame_->initialiseController();
        openPath_ = files_.filePath(QStringLiteral("never-opened.bin"));
        frame_->openSettingsFile();
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{"編集テストモード中のみ書込みが出来ます。",
                                                               "編集テストモード中のみ初期化が出来ます。",
                                                               "編集テストモード以外ではファイルを開けません。"}));
        QCOMPARE(recorder_->messages.back().title, std::string("確認"));
        QTest::qWait(50);
        QCOMPARE(sim_->requestCount(0xC1), 0);
        QCOMPARE(sim_->requestCount(0x13), 0);
    }

    void flashWriteInEditTestModeClearsTheUnsavedFlag() {
        connectAndRead();
        state_->unsavedFlash = true;
        recorder_->answer = [](const Refusal& q) { return q.text.find("FLASH") != std::string::npos; };
        frame_->writeFlash();
        QVERIFY(recorder_->has("現在のコントローラの設定をFLASHメモリへ書き込みます。\nよろしいですか？"));
        QVERIFY2(recorder_->has("正常に書き込みました"), qPrintable(recorder_->dump()));
        QCOMPARE(recorder_->messages.back().title, std::string("終了"));
        QVERIFY(!state_->unsavedFlash);
        QCOMPARE(sim_->flashWriteCount(), 1);
    }

    void flashWriteAnsweredNoSendsNothing() {
        connectAndRead();
        frame_->writeFlash();
        QTest::qWait(50);
        QCOMPARE(sim_->requestCount(0xC1), 0);
    }

    void startOutsideAutoRunInformsAndStillStarts() {
        connectAndRead();
        frame_->startProgram();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"自動実行モードに切り替えてください。"});
        QCOMPARE(recorder_->messages.back().icon, MessageIcon::Information);
        QTRY_COMPARE_WITH_TIMEOUT(sim_->outputs().lastRunRequest, std::uint8_t{0xD7}, kPatience);
        frame_->stopProgram();
        QTRY_COMPARE_WITH_TIMEOUT(sim_->outputs().lastRunRequest, std::uint8_t{0xD8}, kPatience);
    }

    void modeCommandsShowTheReportedMode() {
        connectAndRead();
        frame_->setRequestedMode(2);
        QTRY_COMPARE_WITH_TIMEOUT(sim_->modeWord(), std::uint16_t{2}, kPatience);
        QTRY_VERIFY_WITH_TIMEOUT((frame_->refreshStatusPane(), frame_->statusPane().texts().mode == "自動実行モード"),
                                 kPatience);
        frame_->startProgram();  // auto-run: no notice
        QVERIFY(recorder_->messages.empty());
    }

    void speedStepsStopAtTheEndsAndQueueNothingThere() {
        setSpeedOverrideLevel(state_->image, 4);
        frame_->speedUp();
        QCOMPARE(state_->queues.valueWriteCount(), std::size_t{0});
        QCOMPARE(speedOverrideLevel(state_->image), 4);
        frame_->speedDown();
        QCOMPARE(state_->queues.valueWriteCount(), std::size_t{1});
        QCOMPARE(speedOverrideLevel(state_->image), 3);
        QCOMPARE(frame_->statusPane().texts().speed, std::string("80％"));
        setSpeedOverrideLevel(state_->image, 0);
        frame_->speedDown();
        QCOMPARE(state_->queues.valueWriteCount(), std::size_t{1});
    }

    void speedChangeReachesAConnectedController() {
        connectAndRead();
        const auto level = speedOverrideLevel(state_->image);
        const bool up = level < 4;
        up ? frame_->speedUp() : frame_->speedDown();
        const std::uint8_t expected = up ? level + 1 : level - 1;
        QTRY_COMPARE_WITH_TIMEOUT(sim_->readValue(28, 1).value_or(99), std::uint32_t{expected}, kPatience);
    }

    void closingWithUnsavedFlashAnsweredNoKeepsTheWindow() {
        frame_->show();
        state_->unsavedFlash = true;
        QVERIFY(!frame_->close());
        QVERIFY(frame_->isVisible());
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"変更内容をFLASHに書込みせずに終了しますか？"});
        QCOMPARE(recorder_->messages.back().title, std::string("確認"));
        QVERIFY(state_->linkThread.isRunning());

        recorder_->answer = [](const Refusal&) { return true; };
        QVERIFY(frame_->close());
        QVERIFY(!state_->linkThread.isRunning());
    }

    void closingWithoutUnsavedFlashAsksNothing() {
        frame_->show();
        QVERIFY(frame_->close());
        QVERIFY(recorder_->messages.empty());
    }

    void settingsFileOpenedWhileConnectedReachesTheController() {
        connectAndRead();
        SettingsImage file = state_->image;
        file.writePosition(2, 3, 24680);
        CounterTable(file).setCounter(1, 99);
        const QString path = files_.filePath(QStringLiteral("sent.bin"));
        QVERIFY(saveSettingsFile(file, path.toStdString()));
        openPath_ = path;

        frame_->openSettingsFile();
        QVERIFY(recorder_->has("現在の設定を保存しますか？"));
        QVERIFY2(recorder_->has("設定完了しました。"), qPrintable(recorder_->dump()));
        QCOMPARE(recorder_->find("設定完了しました。")->title, std::string("設定完了"));
        QCOMPARE(state_->image.readPosition(2, 3), 24680);
        QCOMPARE(sim_->settingsImage().readPosition(2, 3), 24680);
        QTRY_COMPARE_WITH_TIMEOUT(ConstCounterTable(sim_->settingsImage()).counter(1), 99, kPatience);
    }

    void settingsFileOpenedOfflineOnlyLoads() {
        SettingsImage file = makeDefaultSettingsImage();
        file.writePosition(0, 1, 1111);
        const QString path = files_.filePath(QStringLiteral("offline.bin"));
        QVERIFY(saveSettingsFile(file, path.toStdString()));
        openPath_ = path;
        frame_->openSettingsFile();
        QCOMPARE(state_->image.readPosition(0, 1), 1111);
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"現在の設定を保存しますか？"});
    }

    void initialiseResetsAndReadsBack() {
        connectAndRead();
        InitialiseChoice choice;
        choice.chooseSelected();
        choice.chooseParametersOnly();
        initialiseChoice_ = choice;
        recorder_->answer = [](const Refusal&) { return true; };
        frame_->initialiseController();
        QVERIFY(recorder_->has("パラメータを初期状態に戻します。\nよろしいですか？"));
        QVERIFY2(recorder_->has("初期化完了しました。"), qPrintable(recorder_->dump()));
        QCOMPARE(recorder_->messages.back().title, std::string("完了"));
        QCOMPARE(sim_->lastInitialiseScope(), 2);
    }

    void initialiseCancelledOrAnsweredNo() {
        connectAndRead();
        initialiseChoice_.reset();
        frame_->initialiseController();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"初期化中止しました。"});
        QCOMPARE(recorder_->messages.back().title, std::string("中止"));

        recorder_->messages.clear();
        initialiseChoice_ = InitialiseChoice();
        frame_->initialiseController();  // answered no
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{"全てのデータを初期状態に戻します。\nよろしいですか？",
                                                               "初期化中止しました。"}));
        QTest::qWait(50);
        QCOMPARE(sim_->requestCount(0x13), 0);
    }

    void disconnectAsksAndShowsNoWarning() {
        connectAndRead();
        frame_->disconnectController();  // answered no
        QVERIFY(state_->link.isOpen());
        recorder_->answer = [](const Refusal&) { return true; };
        frame_->disconnectController();
        QVERIFY(!state_->link.isOpen());
        QTest::qWait(50);
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{"USBを切断しますか？", "USBを切断しますか？"}));
        frame_->refreshStatusPane();
        QCOMPARE(frame_->statusPane().texts().link, std::string("OFFLINE"));
        QCOMPARE(frame_->statusPane().texts().mode, std::string());
    }

    void ethernetAddressIsStoredAndQueued() {
        ethernetValues_ = EthernetAddressValues{{10, 0, 0, 5}, {255, 0, 0, 0}, {10, 0, 0, 1}, 8080};
        frame_->editEthernetAddress();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"IPアドレスは再起動後に変更が反映されます。"});
        QCOMPARE(state_->image.u8(172812), 10);
        QCOMPARE(state_->image.u16(172824), 8080);
        QCOMPARE(state_->queues.valueWriteCount(), std::size_t{4});
    }

    void aControllerThatIsNotMainIsNoController() {
        SimFaults faults;
        faults.identifyNotMain = true;
        sim_->setFaults(faults);
        frame_->connectController();
        QTRY_VERIFY_WITH_TIMEOUT(recorder_->has("接続出来ませんでした"), kPatience);
        QVERIFY(!state_->link.isOpen());
        QTest::qWait(50);
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"接続出来ませんでした"});  // no USB warning
    }

    void aCutLineWarnsOnce() {
        connectAndRead();
        SimFaults faults;
        faults.hangUpAfterBytes = 0;
        sim_->setFaults(faults);
        QTRY_VERIFY_WITH_TIMEOUT(recorder_->has("USBが切断されました。"), kPatience);
        QCOMPARE(recorder_->find("USBが切断されました。")->title, std::string("異常"));
        QVERIFY(!state_->link.isOpen());
        QTest::qWait(100);
        QCOMPARE(recorder_->messages.size(), std::size_t{1});
        frame_->refreshStatusPane();
        QCOMPARE(frame_->statusPane().texts().link, std::string("OFFLINE"));
    }

    void aRefusedSettingsAreaInterruptsTheSend() {
        SimFaults faults;
        faults.rejectSettingsArea = 2;
        sim_->setFaults(faults);
        direction_ = MainFramePrompts::Direction::PcToController;
        frame_->connectController();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->has("送信中断しました。"), qPrintable(recorder_->dump()), kPatience);
        QCOMPARE(recorder_->find("送信中断しました。")->title, std::string("異常終了"));
    }

    void flashVerifyErrorIsReportedAndTheFlagStays() {
        connectAndRead();
        SimFaults faults;
        faults.flashVerifyErrorStep = 1;
        sim_->setFaults(faults);
        state_->unsavedFlash = true;
        recorder_->answer = [](const Refusal&) { return true; };
        frame_->writeFlash();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->has("設定に失敗しました。\n(ベリファイ異常)"), qPrintable(recorder_->dump()),
                                  kPatience);
        QVERIFY(!recorder_->has("正常に書き込みました"));
        QVERIFY(state_->unsavedFlash);
    }

    void portChoiceIsSavedInComIni() {
        chosenPort_.reset();
        frame_->choosePort();  // cancelled: nothing saved
        QCOMPARE(readComPort(), std::string("COM1"));
        // The built-in controller's port is offered with the devices that open.
        QVERIFY(std::find(offeredPorts_.begin(), offeredPorts_.end(), server_->portName()) != offeredPorts_.end());

        chosenPort_ = "ttyNONE9";
        frame_->choosePort();
        QCOMPARE(readComPort(), std::string("ttyNONE9"));
        QVERIFY(state_->portOverride.empty());
        frame_->connectController();  // the chosen device is not there
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"接続出来ませんでした。"});
        QVERIFY(writeComPort("COM1"));

        // A choice that cannot be saved (a folder where com.ini should be) is said.
        const std::string comIni = dataFolderPath(kComIniFileName);
        std::filesystem::remove(comIni);
        std::filesystem::create_directory(comIni);
        recorder_->messages.clear();
        chosenPort_ = "ttyACM0";
        frame_->choosePort();
        std::filesystem::remove(comIni);
        QCOMPARE(recorder_->messages.size(), std::size_t{1});
        QCOMPARE(recorder_->messages[0].title, std::string("異常終了"));
        QVERIFY2(recorder_->messages[0].text.rfind("ファイルを保存出来ませんでした。\n" + comIni + "\n(", 0) == 0,
                 recorder_->messages[0].text.c_str());
        QCOMPARE(readComPort(), std::string("COM1"));
    }

    void portChoiceWhileConnectedAsksFirst() {
        connectAndRead();
        chosenPort_.reset();
        offeredPorts_.clear();
        frame_->choosePort();  // answered no
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"現在の接続を切断します。よろしいですか？"});
        QVERIFY(state_->link.isOpen());
        QVERIFY(offeredPorts_.empty());
    }

    void navigationTreeAndTheProgramEditedQuestion() {
        QTreeWidget& tree = frame_->navigationTree();
        QTreeWidgetItem* root = tree.topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("メニュー"));
        QCOMPARE(root->child(0)->child(1)->text(0), QStringLiteral("RIVO軸設定"));
        QCOMPARE(root->child(1)->child(4)->text(0), QStringLiteral("タイマー設定"));
        QCOMPARE(root->child(2)->text(0), QStringLiteral("プログラム作成"));

        frame_->chooseView(ViewKind::Timers);
        QCOMPARE(frame_->currentViewKind(), ViewKind::Timers);
        frame_->chooseView(ViewKind::ProgramEditor);
        state_->programs.setStoreClean(false);  // a program is being edited
        frame_->chooseView(ViewKind::Counters);  // answered no
        QCOMPARE(frame_->currentViewKind(), ViewKind::ProgramEditor);
        QCOMPARE(tree.currentItem()->text(0), QStringLiteral("プログラム作成"));
        const Refusal* question = recorder_->find("プログラム編集中ですが、画面を切り換えますか？");
        QVERIFY(question);
        QCOMPARE(question->title, std::string("プログラム編集確認"));
        frame_->chooseView(ViewKind::ProgramEditor);  // already shown: nothing, not even a question
        QCOMPARE(recorder_->messages.size(), std::size_t{1});

        recorder_->answer = [](const Refusal&) { return true; };
        frame_->chooseView(ViewKind::Counters);
        QCOMPARE(frame_->currentViewKind(), ViewKind::Counters);
        QCOMPARE(tree.currentItem()->text(0), QStringLiteral("カウンタ"));
    }
};

VANTREL_GUI_TEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
