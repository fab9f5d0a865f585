// The program as a process: a second start ends at once, silently.

#include <QProcess>

#include "GuiTestSupport.h"
#include "platform/SingleInstance.h"

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondInstanceEndsAtOnceWithoutOutput() {
        // This test holds the lock the running program would hold.
        vantrel::SingleInstance first;
        QVERIFY(first.holdsLock());

        QProcess second;
        second.start(QStringLiteral(VANTREL_BIN_DIR "/vantrel"), {QStringLiteral("--no-splash")});
        QVERIFY(second.waitForStarted());
        QVERIFY2(second.waitForFinished(60000), "the second instance kept running");
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(second.readAllStandardError(), QByteArray());
    }
};

VANTREL_GUI_TEST_MAIN(StartupTest)
#include "StartupTest.moc"
