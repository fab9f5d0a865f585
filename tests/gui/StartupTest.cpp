// The program as a process: a second start ends at once, silently.

#include <QDir>
#include <QProcess>

#include "GuiTestSupport.h"
#include "platform/SingleInstance.h"

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void aPlainRunSetsUpTheUserFolderAndReleasesTheLock() {
        const QString dataFolder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/KESSLAND/VANTREL");
        QVERIFY(!QDir(dataFolder).exists());
        QProcess run;
        run.start(QStringLiteral(VANTREL_BIN_DIR "/vantrel"), {QStringLiteral("--no-splash"), QStringLiteral("--quit-after"),
                                                               QStringLiteral("200")});
        QVERIFY(run.waitForStarted());
        QVERIFY2(run.waitForFinished(120000), "the program did not end");
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(QDir(dataFolder).exists());
        // The lock went with the program.
        vantrel::SingleInstance next;
        QVERIFY(next.holdsLock());
        QVERIFY(!next.anotherInstanceRuns());
    }

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
