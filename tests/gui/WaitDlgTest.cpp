// The progress window: title and text by kind, the percent, which message
// closes it and with what, and the FLASH-only cancel.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <thread>

#include "GuiTestSupport.h"
#include "link/CWaitDlg.h"
#include "link/ControllerLink.h"
#include "link/GuiLinkEvents.h"

using namespace vantrel;

namespace {

QStringList labelTexts(const QWidget& w) {
    QStringList texts;
    for (auto* label : w.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// Forwards posted progress to the window, as the main window does.
class Forwarder : public LinkEventHandler {
public:
    explicit Forwarder(CWaitDlg& dialog) : dialog_(dialog) {}
    void onProgress(unsigned operation, int percent, int result) override {
        dialog_.onProgress(operation, percent, result);
    }
    void onConnectionResult(int) override {}
    void onSettingsReadDone() override {}
    void onVerifyError(int) override {}
    void onLinkLost(bool) override {}
    void onProgramFileRead(const std::string&) override {}
    void onProgramSendResult(const TransferResult&) override {}
    void onAlarmRecordRead() override {}
    void onImageBytesStored(std::size_t, const std::vector<std::uint8_t>&) override {}

private:
    CWaitDlg& dialog_;
};

}  // namespace

class WaitDlgTest : public QObject {
    Q_OBJECT

private slots:
    void firstEndingResultClosesTheWindow() {
        std::atomic<bool> interruptFlag{false};
        CWaitDlg dialog(interruptFlag);
        Forwarder forwarder(dialog);
        GuiLinkEvents events(&forwarder);
        const unsigned operation = events.beginOperation();
        QStringList seen;
        QTimer::singleShot(0, [&] {
            seen = labelTexts(dialog);
            seen << dialog.windowTitle();
            // From another thread, as the link thread calls it.
            std::thread link([&] {
                events.progress(40, 0);
                events.progress(100, 3);
                events.progress(100, 1);  // a later ending result finds it closed
            });
            link.join();
        });
        const int result = dialog.run(ProgressKind::SettingsRead, operation);
        QCOMPARE(result, 3);
        QVERIFY(seen.contains(QStringLiteral("設定ファイル読込み中")));
        QVERIFY(seen.contains(QStringLiteral("0％")));
        QVERIFY(seen.contains(QStringLiteral("設定ファイル読込み")));
        QCOMPARE(dialog.percent(), 100);
        QVERIFY(!dialog.isRunning());
    }

    void progressOfAnEarlierOperationIsIgnored() {
        std::atomic<bool> interruptFlag{false};
        CWaitDlg dialog(interruptFlag);
        Forwarder forwarder(dialog);
        GuiLinkEvents events(&forwarder);
        events.progress(100, 2);  // posted before the operation began
        const unsigned operation = events.beginOperation();
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] { events.progress(100, 1); });
        });
        QCOMPARE(dialog.run(ProgressKind::Initialise, operation), 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("初期化"));
    }

    void notificationsKeepTheLinksOrder() {
        struct Recorder : LinkEventHandler {
            QStringList calls;
            void onProgress(unsigned, int percent, int result) override {
                calls << QStringLiteral("progress %1 %2").arg(percent).arg(result);
            }
            void onConnectionResult(int r) override { calls << QStringLiteral("connection %1").arg(r); }
            void onSettingsReadDone() override { calls << QStringLiteral("read done"); }
            void onVerifyError(int k) override { calls << QStringLiteral("verify %1").arg(k); }
            void onLinkLost(bool silent) override { calls << QStringLiteral("lost %1").arg(silent); }
            void onProgramFileRead(const std::string& path) override {
                calls << QStringLiteral("program ") + QString::fromStdString(path);
            }
            void onProgramSendResult(const TransferResult& r) override { calls << QStringLiteral("sent %1").arg(r.status); }
            void onAlarmRecordRead() override { calls << QStringLiteral("alarm"); }
            void onImageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) override {
                calls << QStringLiteral("stored %1 %2 %3").arg(offset).arg(bytes.size()).arg(bytes.back());
            }
        } recorder;
        GuiLinkEvents events(&recorder);
        std::thread link([&] {
            events.connectionResult(2);
            events.imageBytesStored(171536, std::vector<std::uint8_t>(1024, 7));
            events.settingsReadDone();
            events.programFileRead("/tmp/Ncstep.sys");
            events.progress(100, 1);
            events.verifyError(2);
            events.linkLost(false);
        });
        link.join();
        QVERIFY(recorder.calls.isEmpty());  // nothing runs on the link thread
        QTRY_COMPARE(recorder.calls.size(), 7);
        QCOMPARE(recorder.calls, (QStringList{"connection 2", "stored 171536 1024 7", "read done",
                                              "program /tmp/Ncstep.sys", "progress 100 1", "verify 2", "lost 0"}));
        events.detach();
        events.settingsReadDone();
        QTest::qWait(10);
        QCOMPARE(recorder.calls.size(), 7);
    }

    void onlyFlashWriteCanBeCancelled() {
        std::atomic<bool> interruptFlag{false};
        CWaitDlg dialog(interruptFlag);
        unsigned operation = 7;
        bool cancelVisible = true;
        QTimer::singleShot(0, [&] {
            cancelVisible = dialog.findChild<QPushButton*>()->isVisible();
            dialog.onProgress(operation, 50, 0);
            QTest::keyClick(&dialog, Qt::Key_Escape);  // no cancel here: stays open
            QVERIFY(dialog.isRunning());
            QCOMPARE(labelTexts(dialog).contains(QStringLiteral("50％")), true);
            dialog.onProgress(operation, 100, 2);
        });
        QCOMPARE(dialog.run(ProgressKind::SettingsWrite, operation), 2);
        QVERIFY(!cancelVisible);

        interruptFlag.store(true);  // opening clears it
        operation = 8;
        bool clearedOnOpen = false;
        QTimer::singleShot(0, [&] {
            clearedOnOpen = !interruptFlag.load();
            QPushButton* cancel = dialog.findChild<QPushButton*>();
            QVERIFY(cancel->isVisible());
            QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
            cancel->click();
        });
        QCOMPARE(dialog.run(ProgressKind::FlashWrite, operation), 255);
        QVERIFY(clearedOnOpen);
        QVERIFY(interruptFlag.load());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("FLASH書込み"));
    }
};

VANTREL_GUI_TEST_MAIN(WaitDlgTest)
#include "WaitDlgTest.moc"
