// The program as a process that is killed with unsaved work and started
// again: the next start offers the work back; yes brings back both the
// settings edit and the program edit, no starts from the defaults.

#include <QFile>
#include <QProcess>

#include "GuiTestSupport.h"
#include "app/RecoveryFile.h"
#include "program/ProgramList.h"
#include "program/ProgramStore.h"
#include "settings/PointModel.h"

using namespace vantrel;

namespace {

// A guard against a hang only; nothing measures time with it.
constexpr int kPatience = 60000;
const QString kProgram = QStringLiteral(VANTREL_BIN_DIR "/vantrel");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The recovery copy in the per-user folders below `home`.
QString recoveryCopyIn(const QTemporaryDir& home) {
    return home.path() + QStringLiteral("/data/KESSLAND/VANTREL/") + QString::fromLatin1(kRecoveryFileName);
}

// One run of vantrel --test-driver, in the per-user folders of the environment.
class Run {
public:
    Run() { process_.start(kProgram, {QStringLiteral("--test-driver")}); }
    ~Run() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kPatience);
        }
    }
    bool started() { return process_.waitForStarted(kPatience); }
    void send(const QString& line) { process_.write((line + QStringLiteral("\n")).toUtf8()); }
    // Waits until the output holds `text`.
    bool waitFor(const QString& text) {
        QElapsedTimer clock;
        clock.start();
        while (!output_.contains(text)) {
            if (clock.elapsed() > kPatience || process_.state() == QProcess::NotRunning) return false;
            process_.waitForReadyRead(200);
            output_ += QString::fromUtf8(process_.readAllStandardOutput());
        }
        return true;
    }
    void kill() {
        process_.kill();  // SIGKILL: no clean exit of any kind
        process_.waitForFinished(kPatience);
    }
    bool endedCleanly() {
        const bool ended = process_.waitForFinished(kPatience);
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        return ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    const QString& output() const { return output_; }

private:
    QProcess process_;
    QString output_;
};

}  // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT

private:
    SettingsImage defaultImage_;
    std::string defaultText_;
    SettingsImage editedImage_;
    std::string editedText_;

private slots:
    void initTestCase() {
        // What the program starts with, and what the two edits below make of it.
        const QByteArray initial = readAll(QStringLiteral(VANTREL_BIN_DIR "/initial.bin"));
        QCOMPARE(initial.size(), static_cast<qsizetype>(SettingsImage::kSize));
        std::copy(initial.begin(), initial.end(), reinterpret_cast<char*>(defaultImage_.data()));
        editedImage_ = defaultImage_;
        QVERIFY(!PointModel(editedImage_, nullptr).commit(1, PointModel::kPositionColumn, "123.45"));
        QVERIFY(editedImage_ != defaultImage_);

        ProgramStore store;
        QVERIFY(store.loadText(readAll(QStringLiteral(VANTREL_BIN_DIR "/Ncstepini.sys")).toStdString()));
        defaultText_ = store.text();
        store.scanDirectory();
        store.selectProgram(100);
        QVERIFY(!ProgramList::renameProgram(store, "RECOVERED"));
        editedText_ = store.text();
        QVERIFY(editedText_ != defaultText_);
    }

    void workOfAKilledRunIsOfferedAtTheNextStart() {
        QFETCH(bool, restore);
        QTemporaryDir home;
        test::useTemporaryUserFolders(home);  // fresh per-user folders for the runs below
        const QString copy = recoveryCopyIn(home);

        {
            // A settings edit and a program edit, then the process is killed
            // once the recovery copy holds both.
            Run first;
            QVERIFY(first.started());
            first.send(QStringLiteral("edit-cell 10 1 2 123.45"));
            first.send(QStringLiteral("rename-program 100 RECOVERED"));
            QVERIFY2(first.waitFor(QStringLiteral("done rename-program\n")), qPrintable(first.output()));
            QVERIFY2(!first.output().contains(QStringLiteral("refused")), qPrintable(first.output()));
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    const auto work = readRecoveryFile(copy.toStdString());
                    return work && work->image == editedImage_ && work->programText == editedText_;
                }(),
                kPatience);
            first.kill();
        }
        QVERIFY(QFile::exists(copy));

        Run second;
        QVERIFY(second.started());
        second.send(restore ? QStringLiteral("answer yes") : QStringLiteral("answer no"));
        const QString saved = home.path() + QStringLiteral("/saved");
        second.send(QStringLiteral("save-settings ") + saved + QStringLiteral(".bin"));
        second.send(QStringLiteral("save-programs ") + saved + QStringLiteral(".ncp"));
        QVERIFY2(second.waitFor(QStringLiteral("done save-programs\n")), qPrintable(second.output()));
        QString question = QString::fromStdString(restoreWorkQuestion().text);
        question.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        QVERIFY2(second.output().startsWith(QStringLiteral("message\t確認\t") + question + QLatin1Char('\n')),
                 qPrintable(second.output()));

        const SettingsImage& image = restore ? editedImage_ : defaultImage_;
        QCOMPARE(readAll(saved + QStringLiteral(".bin")),
                 QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(SettingsImage::kSize)));
        QCOMPARE(readAll(saved + QStringLiteral(".ncp")).toStdString(), restore ? editedText_ : defaultText_);
        // Saved both: nothing is left to recover.
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(copy), kPatience);

        // Restored work is not in the controller's FLASH: the exit asks.
        second.send(QStringLiteral("answer yes"));
        second.send(QStringLiteral("quit"));
        QVERIFY(second.endedCleanly());
        QCOMPARE(second.output().contains(QStringLiteral("変更内容をFLASHに書込みせずに終了しますか？")), restore);
        QVERIFY(!QFile::exists(copy));
    }
    void workOfAKilledRunIsOfferedAtTheNextStart_data() {
        QTest::addColumn<bool>("restore");
        QTest::newRow("yes: both edits are back") << true;
        QTest::newRow("no: the defaults") << false;
    }

    void anErrorThatReachesTheEventLoopKeepsTheWorkAndSaysSo() {
        QTemporaryDir home;
        test::useTemporaryUserFolders(home);
        const QString copy = recoveryCopyIn(home);
        Run run;
        QVERIFY(run.started());
        run.send(QStringLiteral("edit-cell 10 1 2 123.45"));
        run.send(QStringLiteral("fail-internally"));
        QVERIFY2(run.waitFor(QStringLiteral("message\t異常発生\t予期しないエラーが発生しました。")), qPrintable(run.output()));
        QVERIFY2(run.waitFor(QStringLiteral("保存されていない設定とプログラムは復元用データに書き込みました。\n")),
                 qPrintable(run.output()));
        // Written before the message, not a while after the edit.
        const auto work = readRecoveryFile(copy.toStdString());
        QVERIFY(work);
        QVERIFY(work->image == editedImage_);
        // The program goes on: its exit still asks about the unsaved settings.
        run.send(QStringLiteral("answer no"));
        run.send(QStringLiteral("quit"));
        QVERIFY(run.endedCleanly());
        QVERIFY(run.output().contains(QStringLiteral("設定の変更がファイルに保存されていません。")));
        QVERIFY(!QFile::exists(copy));  // given up at the exit
    }

    void aCleanExitLeavesNoCopyAndAsksNothingNextTime() {
        QTemporaryDir home;
        test::useTemporaryUserFolders(home);  // fresh per-user folders for the runs below
        const QString copy = recoveryCopyIn(home);
        {
            Run first;
            QVERIFY(first.started());
            first.send(QStringLiteral("edit-cell 10 1 2 123.45"));
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), kPatience);
            first.send(QStringLiteral("answer no"));  // quit without saving the edit
            first.send(QStringLiteral("quit"));
            QVERIFY(first.endedCleanly());
        }
        QVERIFY(!QFile::exists(copy));
        Run second;
        QVERIFY(second.started());
        second.send(QStringLiteral("quit"));
        QVERIFY(second.endedCleanly());
        QVERIFY2(!second.output().contains(QStringLiteral("message")), qPrintable(second.output()));
    }
};

VANTREL_GUI_TEST_MAIN(RecoveryProcessTest)
#include "RecoveryProcessTest.moc"
