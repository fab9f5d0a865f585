// The program as a process: a second start ends at once, silently, while
// the first one runs, and says so when the first one hangs.

#include <poll.h>

#include <thread>

#include <QDir>
#include <QProcess>

#include "GuiTestSupport.h"
#include "app/CVAraveApp.h"
#include "app/ProcessMessages.h"
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

    void aSecondInstanceEndsAtOnceWithoutOutputUnlessTheFirstHangs() {
        QFETCH(bool, firstAnswers);
        // This test holds the lock the running program would hold, and
        // answers a later start as its event loop would, or not at all.
        vantrel::SingleInstance first;
        QVERIFY(first.holdsLock());
        std::thread eventLoop;
        if (firstAnswers) {
            eventLoop = std::thread([&first] {
                pollfd waiting{first.pingSocket(), POLLIN, 0};
                if (poll(&waiting, 1, 60000) == 1) first.answerPings();
            });
        }

        QProcess second;
        // The test driver takes the place of the message box.
        second.start(QStringLiteral(VANTREL_BIN_DIR "/vantrel"), {QStringLiteral("--test-driver")});
        QVERIFY(second.waitForStarted());
        QVERIFY2(second.waitForFinished(60000), "the second instance kept running");
        if (eventLoop.joinable()) eventLoop.join();
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        const QString said = QString::fromUtf8(second.readAllStandardError());
        if (firstAnswers) {
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(said, QString());
        } else {
            QCOMPARE(second.exitCode(), vantrel::CVAraveApp::kExitFirstInstanceHangs);
            const std::string message = vantrel::firstInstanceHangsMessage().text;
            QCOMPARE(said, QStringLiteral("vantrel: ") + QString::fromStdString(message) + QLatin1Char('\n'));
        }
    }
    void aSecondInstanceEndsAtOnceWithoutOutputUnlessTheFirstHangs_data() {
        QTest::addColumn<bool>("firstAnswers");
        QTest::newRow("the first answers: silently") << true;
        QTest::newRow("the first hangs: says so") << false;
    }
};

VANTREL_GUI_TEST_MAIN(StartupTest)
#include "StartupTest.moc"
