// The command line of the desktop program: what each option sets, and what
// the process prints and returns for help, version and a refused line.

#include <QProcess>
#include <QProcessEnvironment>

#include "GuiTestSupport.h"
#include "app/CVAraveApp.h"
#include "platform/SingleInstance.h"

using namespace vantrel;
using Action = CVAraveApp::Options::Action;

Q_DECLARE_METATYPE(Action)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void optionsAreReadOrRefused_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Qt's options pass, with their values")
            << QStringList{"-platform", "offscreen", "--style", "Fusion", "-stylesheet=a.qss", "-reverse"} << Action::Run
            << QString();
        QTest::newRow("a document argument is taken and unused") << QStringList{"a.bin"} << Action::Run << QString();
        QTest::newRow("help wins over what follows") << QStringList{"--help", "--bogus"} << Action::ShowHelp << QString();
        QTest::newRow("version") << QStringList{"--demo", "--version"} << Action::ShowVersion << QString();
        QTest::newRow("unknown option") << QStringList{"--demo", "-x"} << Action::Refuse << "unknown option -x";
        QTest::newRow("quit-after with a word") << QStringList{"--quit-after", "soon"} << Action::Refuse
                                                << "option --quit-after needs a number of milliseconds";
        QTest::newRow("quit-after below zero") << QStringList{"--quit-after", "-5"} << Action::Refuse
                                               << "option --quit-after needs a number of milliseconds";
        QTest::newRow("lang of another language") << QStringList{"--lang", "de"} << Action::Refuse
                                                  << "option --lang takes ja or en";
        QTest::newRow("lang without its value") << QStringList{"--lang"} << Action::Refuse
                                                << "option --lang takes ja or en";
        QTest::newRow("screenshot-dir without a folder") << QStringList{"--screenshot-dir"} << Action::Refuse
                                                         << "option --screenshot-dir needs a folder";
        QTest::newRow("Qt option without its value") << QStringList{"-platform"} << Action::Refuse
                                                     << "option -platform needs a value";
    }

    void optionsAreReadOrRefused() {
        QFETCH(QStringList, words);
        const CVAraveApp::Options options = CVAraveApp::parseOptions(QStringList{"vantrel"} + words);
        QTEST(options.action, "action");
        QTEST(options.refusal, "refusal");
    }

    void optionsSetWhatTheyName() {
        const auto run = CVAraveApp::parseOptions({"vantrel", "--demo", "--no-splash", "--quit-after", "250"});
        QVERIFY(run.demo && !run.splash);
        QCOMPARE(run.quitAfterMs, 250);
        const auto tour = CVAraveApp::parseOptions({"vantrel", "--screenshot-dir", "/tmp/x"});
        QVERIFY(tour.demo && !tour.splash);  // the tour runs the simulated controller, without the splash
        QCOMPARE(tour.screenshotDir, QString("/tmp/x"));
        QCOMPARE(tour.quitAfterMs, -1);
    }

    // The windows' language: --lang first, then the choice kept in the
    // profile, then the locale.
    void theLanguageComesFromTheLineTheProfileOrTheLocale() {
        constexpr Language ja = Language::Japanese, en = Language::English;
        const auto options = [](QStringList words) { return CVAraveApp::parseOptions(QStringList{"vantrel"} + words); };
        const struct {
            CVAraveApp::Options options;
            const char* profile;
            Language locale;
            Language chosen;
        } cases[] = {
            {options({"--lang", "en"}), "ja", ja, en},
            {options({"--lang", "ja"}), "", en, ja},
            {options({}), "en", ja, en},
            {options({}), "ja", en, ja},
            {options({}), "", en, en},
            {options({}), "xx", ja, ja},  // a damaged entry is no choice
        };
        for (const auto& c : cases)
            QCOMPARE(CVAraveApp::startLanguage(c.options, c.profile, c.locale), c.chosen);
    }

    // The process: help, version and a refusal need no display and are
    // answered while another instance holds the lock.
    void theProgramAnswersWithoutAWindow_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "  --screenshot-dir DIR" << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0 << CVAraveApp::versionText() << QString();
        QTest::newRow("unknown option") << QStringList{"--no-splash", "--bogus"} << 2 << QString()
                                        << "vantrel: unknown option --bogus\nusage: vantrel ";
        QTest::newRow("missing value") << QStringList{"--quit-after"} << 2 << QString()
                                       << "vantrel: option --quit-after needs a number of milliseconds\nusage: vantrel ";
    }

    void theProgramAnswersWithoutAWindow() {
        QFETCH(QStringList, words);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        SingleInstance running;  // stands for a program that runs
        QVERIFY(running.holdsLock());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));  // would abort without a display
        QProcess run;
        run.setProcessEnvironment(environment);
        run.start(QStringLiteral(VANTREL_BIN_DIR "/vantrel"), words);
        QVERIFY(run.waitForStarted());
        QVERIFY2(run.waitForFinished(60000), "the program did not end");
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), exitCode);
        const QString stdOut = QString::fromLocal8Bit(run.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(run.readAllStandardError());
        if (out.isEmpty()) QCOMPARE(stdOut, QString());
        else QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
        if (err.isEmpty()) QCOMPARE(stdErr, QString());
        else QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
    }
};

VANTREL_GUI_TEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
