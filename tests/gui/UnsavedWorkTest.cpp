// Work that is in no file is never dropped by the main window: closing asks
// to save unsaved settings and programs, opening a settings file that is no
// whole image changes nothing and keeps the recovery copy, and the recovery
// copy says when it cannot be written and is set aside when it is damaged.
// The title, the recent files and the file shortcuts follow the files in use.

#include <memory>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QToolBar>
#include <QWindow>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "app/CWorkRecovery.h"
#include "app/RecoveryFile.h"
#include "platform/UserProfile.h"
#include "program/ProgramList.h"
#include "ui/StatusNote.h"

Q_DECLARE_METATYPE(vantrel::ui::MessageAnswer)

using namespace vantrel;
using test::kPatience;
using Answer = ui::MessageAnswer;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bytesOf(const SettingsImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(SettingsImage::kSize));
}

}  // namespace

class UnsavedWorkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QTemporaryDir> files_;
    QString settingsChoice_, programsChoice_, openChoice_;

    QString file(const QString& name) const { return files_->filePath(name); }
    void editSettings() { state_->image.setU8(3000, 42); }
    void editPrograms() {
        state_->programs.selectProgram(100);
        QVERIFY(!ProgramList::renameProgram(state_->programs, "EDITED"));
    }
    // A recovery copy that is written as soon as it is looked at.
    std::unique_ptr<CWorkRecovery> recovery(const QString& path) {
        CWorkRecovery::Options options;
        options.path = path.toStdString();
        options.timing = {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
        return std::make_unique<CWorkRecovery>(*state_, options);
    }

private slots:
    void init() {
        files_ = std::make_unique<QTemporaryDir>();
        recorder_ = std::make_unique<test::MessageRecorder>();
        state_ = std::make_unique<AppState>();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        prompts.saveSettingsFile = [this](QWidget*, const QString&) { return settingsChoice_; };
        prompts.saveProgramFile = [this](QWidget*, const QString&) { return programsChoice_; };
        prompts.openSettingsFile = [this](QWidget*, const QString&) { return openChoice_; };
        frame_->setPrompts(prompts);
        settingsChoice_ = file(QStringLiteral("saved.bin"));
        programsChoice_ = file(QStringLiteral("saved.ncp"));
        frame_->show();
    }

    void cleanup() {
        frame_.reset();
        state_.reset();
        recorder_.reset();
        files_.reset();
    }

    void closingAsksToSaveWhatIsInNoFileAfterTheFlashQuestion() {
        QFETCH(bool, programs);
        QFETCH(Answer, answer);
        QFETCH(bool, dialogCancelled);
        QFETCH(bool, closes);
        state_->unsavedFlash = true;
        if (programs)
            editPrograms();
        else
            editSettings();
        if (dialogCancelled) (programs ? programsChoice_ : settingsChoice_).clear();
        recorder_->reply = [answer](const Refusal& question) {
            return question.text.rfind("変更内容をFLASH", 0) == 0 ? Answer::Yes : answer;
        };

        QCOMPARE(frame_->close(), closes);
        const char* kind = programs ? "プログラム" : "設定";
        QCOMPARE(recorder_->texts(),
                 (std::vector<std::string>{"変更内容をFLASHに書込みせずに終了しますか？",
                                           std::string(kind) + "の変更がファイルに保存されていません。\n保存してから終了しますか？"}));
        QCOMPARE(recorder_->messages[1].title, std::string("確認"));
        const QString written = file(programs ? QStringLiteral("saved.ncp") : QStringLiteral("saved.bin"));
        const QByteArray work = programs ? QByteArray::fromStdString(state_->programs.text()) : bytesOf(state_->image);
        QCOMPARE(readAll(written), answer == Answer::Yes && !dialogCancelled ? work : QByteArray());
        // Saved or given up: nothing counts as unsaved once the window is closed.
        QCOMPARE(state_->unsaved.anyUnsaved(state_->image, state_->programs.text()), !closes);
        QCOMPARE(state_->linkThread.isRunning(), !closes);
    }
    void closingAsksToSaveWhatIsInNoFileAfterTheFlashQuestion_data() {
        QTest::addColumn<bool>("programs");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("dialogCancelled");
        QTest::addColumn<bool>("closes");
        for (const bool programs : {false, true}) {
            const QString kind = programs ? QStringLiteral("programs: ") : QStringLiteral("settings: ");
            QTest::newRow(qPrintable(kind + "yes saves, then closes")) << programs << Answer::Yes << false << true;
            QTest::newRow(qPrintable(kind + "yes, dialog cancelled: stays")) << programs << Answer::Yes << true << false;
            QTest::newRow(qPrintable(kind + "no closes without saving")) << programs << Answer::No << false << true;
            QTest::newRow(qPrintable(kind + "cancel stays")) << programs << Answer::Cancel << false << false;
        }
    }

    void aSettingsFileThatIsNoWholeImageChangesNothingAndKeepsTheRecoveryCopy() {
        QFETCH(int, size);
        const QString copy = file(QStringLiteral("recovery.dat"));
        const auto keeper = recovery(copy);
        editSettings();
        const SettingsImage edited = state_->image;
        keeper->poll();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), kPatience);

        openChoice_ = file(QStringLiteral("cut.bin"));
        QFile cut(openChoice_);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QByteArray(size, '\x55'));
        cut.close();
        frame_->openSettingsFile();  // "save the settings first?" is answered no

        QCOMPARE(recorder_->messages.size(), std::size_t(2));
        const Refusal& said = recorder_->messages[1];
        QCOMPARE(QString::fromStdString(said.text), QStringLiteral("ファイル読込に失敗しました。\n") +
                                                        QDir::toNativeSeparators(openChoice_) +
                                                        QStringLiteral("\n(ファイルサイズ不足)"));
        QCOMPARE(said.title, std::string("読込失敗"));
        QVERIFY(state_->image == edited);
        QVERIFY(state_->unsaved.settingsUnsaved(state_->image));
        // Looked at again later, the copy stays, with the edit in it.
        for (int i = 0; i < 5; ++i) {
            keeper->poll();
            QTest::qWait(20);
        }
        const auto work = readRecoveryFile(copy.toStdString());
        QVERIFY(work);
        QVERIFY(work->image == edited);
    }
    void aSettingsFileThatIsNoWholeImageChangesNothingAndKeepsTheRecoveryCopy_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte short") << static_cast<int>(SettingsImage::kSize) - 1;
    }

    void aRecoveryCopyThatCannotBeWrittenIsSaidOnceInTheStatusBar() {
        const QString folder = file(QStringLiteral("missing"));
        const auto keeper = recovery(folder + QStringLiteral("/recovery.dat"));
        connect(keeper.get(), &CWorkRecovery::noteChanged, frame_.get(), &CMainFrame::showRecoveryNote);
        QSignalSpy notes(keeper.get(), &CWorkRecovery::noteChanged);
        const auto lookUntil = [&](int count) {
            for (int i = 0; i < 200 && notes.count() < count; ++i) {
                keeper->poll();
                QTest::qWait(10);
            }
        };
        editSettings();
        lookUntil(1);
        QCOMPARE(frame_->recoveryNote(), QStringLiteral("復元用データを書き込めません（保存先フォルダなし）"));
        // More edits and looks, still failing: nothing more is said.
        state_->image.setU8(3001, 1);
        lookUntil(2);
        QCOMPARE(notes.count(), 1);
        // Once it can be written again the note goes.
        QVERIFY(QDir().mkpath(folder));
        lookUntil(2);
        QCOMPARE(notes.count(), 2);
        QCOMPARE(frame_->recoveryNote(), QString());
    }

    // The title marks what the exit would ask about; a save names its file in
    // the title, the status bar and the recent files, which open it again as
    // its kind (the save-first questions answered no).
    void theTitleAndTheRecentFilesFollowTheFilesInUse() {
        UserProfile().setRecentFiles({});
        editSettings();
        editPrograms();
        frame_->refreshTitle();
        QCOMPARE(frame_->windowTitle(), QStringLiteral("VANTREL - 初期設定 * / Ncstepini.sys *"));
        frame_->saveSettingsFile();
        QCOMPARE(ui::lastStatusNote(), QStringLiteral("保存しました: saved.bin"));
        frame_->saveProgramFile();
        frame_->refreshTitle();
        QCOMPARE(frame_->windowTitle(), QStringLiteral("VANTREL - saved.bin / saved.ncp"));
        QCOMPARE(UserProfile().recentFiles(), (std::vector<std::string>{programsChoice_.toStdString(),
                                                                       settingsChoice_.toStdString()}));

        const SettingsImage savedImage = state_->image;
        const std::string savedText = state_->programs.text();
        state_->image.setU8(3000, 1);
        QVERIFY(!ProgramList::renameProgram(state_->programs, "AGAIN"));
        frame_->openRecentFile(settingsChoice_);
        QVERIFY(state_->image == savedImage);
        frame_->openRecentFile(programsChoice_);
        QCOMPARE(frame_->currentViewKind(), ViewKind::ProgramEditor);
        QCOMPARE(state_->programs.text(), savedText);
    }

    // Ctrl+O, Ctrl+S and Ctrl+Shift+S act on program files while the program
    // editor is shown; Ctrl+S writes the file in use without a dialog.
    void theFileShortcutsFollowTheEditorShown() {
        const auto acting = [this](const QKeySequence& keys) {
            for (QAction* action : frame_->findChildren<QAction*>())
                if (action->shortcut() == keys) return action;
            return static_cast<QAction*>(nullptr);
        };
        QCOMPARE(acting(QKeySequence::Open)->text(), QStringLiteral("開く(&O)..."));
        frame_->chooseView(ViewKind::ProgramEditor);
        QCOMPARE(acting(QKeySequence::Open)->text(), QStringLiteral("プログラムを開く(&R)..."));
        QCOMPARE(acting(QKeySequence(QStringLiteral("Ctrl+Shift+S")))->text(),
                 QStringLiteral("プログラムに名前を付けて保存(&A)..."));
        frame_->saveProgramFile();
        editPrograms();
        programsChoice_.clear();  // a dialog would save nothing
        acting(QKeySequence::Save)->trigger();
        QCOMPARE(readAll(file(QStringLiteral("saved.ncp"))), QByteArray::fromStdString(state_->programs.text()));
        QCOMPARE(frame_->findChild<QToolBar*>()->actions().front()->toolTip(), QStringLiteral("停止 (Alt+A, P)"));
    }

    // The question is centred on the main window once the window is on the
    // screen; the work restored is named in the title as from no file.
    void theRestoreQuestionWaitsForTheMainWindowAndTheTitleNamesTheWork() {
        QVERIFY2(!frame_->windowHandle()->isExposed(), "the window is not yet on the screen as the test starts");
        const QString copy = file(QStringLiteral("recovery.dat"));
        SettingsImage edited = state_->image;
        edited.setU8(3000, 99);
        QFile written(copy);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(QByteArray::fromStdString(encodeRecoveredWork(edited, state_->programs.text())));
        written.close();
        bool exposedWhenAsked = false;
        recorder_->reply = [&](const Refusal&) {
            exposedWhenAsked = frame_->windowHandle()->isExposed();
            return Answer::Yes;
        };

        QVERIFY(recovery(copy)->offerRestore(frame_.get()));
        QVERIFY(exposedWhenAsked);
        QVERIFY(state_->image == edited);
        frame_->refreshTitle();
        // Only the settings differ from their files.
        QCOMPARE(frame_->windowTitle(), QStringLiteral("VANTREL - 復元した設定 * / Ncstepini.sys"));
    }

    void aDamagedRecoveryCopyIsSetAsideWithAMessage() {
        const QString copy = file(QStringLiteral("recovery.dat"));
        QFile damaged(copy);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("VANTREL RECOVERY 1\n and then nothing that fits");
        damaged.close();
        const QByteArray bytes = readAll(copy);

        QVERIFY(!recovery(copy)->offerRestore(frame_.get()));
        QVERIFY(!QFile::exists(copy));
        const QStringList aside = QDir(files_->path()).entryList({QStringLiteral("recovery-damaged-*.dat")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readAll(file(aside[0])), bytes);
        QCOMPARE(recorder_->messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(recorder_->messages[0].text),
                 QStringLiteral("前回の復元用データが壊れているため、復元できません。\n次の名前で残しました:\n") +
                     file(aside[0]));
    }
};

VANTREL_GUI_TEST_MAIN(UnsavedWorkTest)
#include "UnsavedWorkTest.moc"
