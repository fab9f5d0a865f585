// The 通信 menu's trace item: checked, the link's frames of this run go to a
// file in the per-user data folder, and the user is told where; unchecked,
// the recording ends and says so.

#include <memory>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "link/CLinkTraceAction.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;

namespace {

QAction* traceItem(CMainFrame& frame) {
    for (QAction* menu : frame.menuBar()->actions())
        if (menu->text() == QStringLiteral("通信(&C)"))
            for (QAction* item : menu->menu()->actions())
                if (item->text() == QStringLiteral("通信トレース(&T)")) return item;
    return nullptr;
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class LinkTraceTest : public QObject {
    Q_OBJECT

private slots:
    void theCheckedItemRecordsThisRunsFramesIntoTheDataFolder() {
        test::MessageRecorder recorder;
        ControllerSim sim;
        PtyServer server(sim);
        QVERIFY(server.start());
        AppState state;
        CMainFrame frame(state, makeViewFactory());
        QAction* item = traceItem(frame);
        QVERIFY(item);
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        QVERIFY(!state.link.traceSink());

        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(state.link.traceSink());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        const Refusal started = recorder.messages[0];
        QCOMPARE(QString::fromStdString(started.title), QStringLiteral("通信トレース"));
        const QStringList lines = QString::fromStdString(started.text).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("通信トレースを記録しています。"));
        const QString path = lines.value(1);
        QCOMPARE(QFileInfo(path).absolutePath(), QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(
                                                     QStringLiteral("KESSLAND/VANTREL")));
        QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("trace-")));
        QVERIFY(QFile::exists(path));

        // The link thread runs; a controller is opened and polled.
        QVERIFY(state.link.open(server.portName(), nullptr));
        QTRY_VERIFY_WITH_TIMEOUT(sim.requestCount(0xAA) > 3, 10000);

        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!state.link.traceSink());
        QCOMPARE(recorder.messages.size(), std::size_t(2));
        QVERIFY(QString::fromStdString(recorder.messages[1].text)
                    .startsWith(QStringLiteral("通信トレースの記録を終了しました。\n") + path + QStringLiteral("\n(")));
        const QString trace = readAll(path);
        QVERIFY2(trace.startsWith(QStringLiteral("# vantrel link trace, started ")), qPrintable(trace.left(200)));
        QVERIFY(trace.contains(QStringLiteral(" OPEN /dev/") + QString::fromStdString(server.portName())));
        QVERIFY(trace.contains(QStringLiteral(" TX 0x00 identify seq=")));
        QVERIFY(trace.contains(QStringLiteral(" RX 0xAA status-poll seq=")));
        // Nothing more once it ended.
        const int polls = sim.requestCount(0xAA);
        QTRY_VERIFY_WITH_TIMEOUT(sim.requestCount(0xAA) > polls + 3, 10000);
        QCOMPARE(readAll(path), trace);
        frame.shutdownLink();
    }

    void aFolderThatTakesNoFileIsReportedAndTheItemStaysUnchecked() {
        test::MessageRecorder recorder;
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        QTemporaryDir blocked;
        // The per-user folder's place is taken by a file: no trace file can be made there.
        QFile blocker(blocked.filePath(QStringLiteral("KESSLAND")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", blocked.path().toLocal8Bit());
        AppState state;
        CMainFrame frame(state, makeViewFactory());
        QAction* item = traceItem(frame);
        item->trigger();
        qputenv("XDG_DATA_HOME", dataHome);
        QVERIFY(!item->isChecked());
        QVERIFY(!state.link.traceSink());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(recorder.messages[0].title), QStringLiteral("異常終了"));
        QVERIFY(QString::fromStdString(recorder.messages[0].text).startsWith(QStringLiteral("ファイルを保存出来ませんでした。\n")));
        frame.shutdownLink();
    }
};

VANTREL_GUI_TEST_MAIN(LinkTraceTest)
#include "LinkTraceTest.moc"
