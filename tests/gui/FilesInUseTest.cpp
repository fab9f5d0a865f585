// The files the main window works with: the title names the settings and
// program files in use and marks unsaved work, saves say so in the status
// bar, the recent-file list opens each file as its kind, and the file
// shortcuts act on programs while the program editor is shown.

#include <memory>

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "data/SettingsFile.h"
#include "platform/UserProfile.h"
#include "program/ProgramList.h"
#include "ui/StatusNote.h"

using namespace vantrel;

class FilesInUseTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QTemporaryDir> files_;
    QString saveChoice_;
    int saveDialogs_ = 0;

    QString file(const QString& name) const { return files_->filePath(name); }
    QString title() {
        frame_->refreshTitle();
        return frame_->windowTitle();
    }
    void editPrograms(const char* name) {
        state_->programs.selectProgram(100);
        QVERIFY(!ProgramList::renameProgram(state_->programs, name));
    }
    QAction* fileAction(const QString& text) const {
        for (QAction* action : frame_->menuBar()->actions().front()->menu()->actions())
            if (action->text() == text) return action;
        return nullptr;
    }
    QStringList recentEntries() const {
        QStringList entries;
        for (QAction* action : frame_->menuBar()->actions().front()->menu()->actions())
            if (action->text().startsWith(QLatin1Char('&')) && action->isVisible()) entries << action->text();
        return entries;
    }

private slots:
    void init() {
        files_ = std::make_unique<QTemporaryDir>();
        UserProfile().setRecentFiles({});
        recorder_ = std::make_unique<test::MessageRecorder>();
        state_ = std::make_unique<AppState>();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        const auto save = [this](QWidget*, const QString&) {
            ++saveDialogs_;
            return saveChoice_;
        };
        prompts.saveSettingsFile = save;
        prompts.saveProgramFile = save;
        frame_->setPrompts(prompts);
        saveDialogs_ = 0;
        frame_->show();
    }
    void cleanup() {
        frame_.reset();
        state_.reset();
        recorder_.reset();
        files_.reset();
    }

    void theTitleNamesTheFilesInUseAndMarksUnsavedWork() {
        QCOMPARE(title(), QStringLiteral("VANTREL - 初期設定 / Ncstepini.sys"));
        state_->image.setU8(3000, 42);
        QCOMPARE(title(), QStringLiteral("VANTREL - 初期設定 * / Ncstepini.sys"));
        editPrograms("EDITED");
        QCOMPARE(title(), QStringLiteral("VANTREL - 初期設定 * / Ncstepini.sys *"));

        saveChoice_ = file(QStringLiteral("line3.bin"));
        frame_->saveSettingsFile();
        QCOMPARE(ui::lastStatusNote(), QStringLiteral("保存しました: line3.bin"));
        QCOMPARE(title(), QStringLiteral("VANTREL - line3.bin / Ncstepini.sys *"));
        saveChoice_ = file(QStringLiteral("main.ncp"));
        frame_->saveProgramFile();
        QCOMPARE(ui::lastStatusNote(), QStringLiteral("保存しました: main.ncp"));
        QCOMPARE(title(), QStringLiteral("VANTREL - line3.bin / main.ncp"));
        state_->image.setU8(3000, 43);
        QCOMPARE(title(), QStringLiteral("VANTREL - line3.bin * / main.ncp"));
        QVERIFY(recorder_->messages.empty());
    }

    // Ctrl+S writes the file in use without a dialog; with no file in use
    // (the default programs are never overwritten) it asks where.
    void anOverwritingSaveWritesTheFileInUse() {
        saveChoice_ = file(QStringLiteral("first.bin"));
        frame_->saveSettingsFile();
        state_->image.setU8(3000, 7);
        fileAction(QStringLiteral("上書き保存(&V)"))->trigger();
        QCOMPARE(saveDialogs_, 1);
        SettingsImage written;
        QVERIFY(static_cast<bool>(loadSettingsFile(written, saveChoice_.toStdString())));
        QCOMPARE(int(written.u8(3000)), 7);

        saveChoice_ = file(QStringLiteral("programs.ncp"));
        fileAction(QStringLiteral("プログラムを上書き保存(&W)"))->trigger();
        QCOMPARE(saveDialogs_, 2);
        QVERIFY(QFile::exists(saveChoice_));
    }

    void theFileShortcutsActOnProgramsWhileTheProgramEditorIsShown() {
        const QString open = QStringLiteral("開く(&O)...");
        const QString openPrograms = QStringLiteral("プログラムを開く(&R)...");
        const QString saveAs = QStringLiteral("名前を付けて保存(&S)...");
        const QString saveProgramsAs = QStringLiteral("プログラムに名前を付けて保存(&A)...");
        struct Case {
            ViewKind view;
            bool programs;
        };
        for (const Case c : {Case{ViewKind::Timers, false}, Case{ViewKind::ProgramEditor, true},
                             Case{ViewKind::PulseAxisSettings, false}}) {
            frame_->chooseView(c.view);
            const QKeySequence none;
            QCOMPARE(fileAction(open)->shortcut(), c.programs ? none : QKeySequence(QKeySequence::Open));
            QCOMPARE(fileAction(openPrograms)->shortcut(), c.programs ? QKeySequence(QKeySequence::Open) : none);
            QCOMPARE(fileAction(saveAs)->shortcut(), c.programs ? none : QKeySequence(QStringLiteral("Ctrl+Shift+S")));
            QCOMPARE(fileAction(saveProgramsAs)->shortcut(),
                     c.programs ? QKeySequence(QStringLiteral("Ctrl+Shift+S")) : none);
        }
        const QList<QAction*> toolbar = frame_->findChild<QToolBar*>(QStringLiteral("toolbar"))->actions();
        QCOMPARE(toolbar.front()->toolTip(), QStringLiteral("停止 (Alt+A, P)"));
    }

    // Files opened or saved are listed, newest first; an entry opens as its
    // kind: a settings file into the settings, a program file in the editor.
    void theRecentFilesOpenEachAsItsKind() {
        saveChoice_ = file(QStringLiteral("a.bin"));
        state_->image.setU8(3000, 11);
        frame_->saveSettingsFile();
        const SettingsImage saved = state_->image;
        saveChoice_ = file(QStringLiteral("b.ncp"));
        editPrograms("SAVED");
        frame_->saveProgramFile();
        const std::string savedPrograms = state_->programs.text();
        frame_->refreshTitle();
        QCOMPARE(recentEntries(), (QStringList{QStringLiteral("&1 b.ncp"), QStringLiteral("&2 a.bin")}));
        QCOMPARE(UserProfile().recentFiles(), (std::vector<std::string>{file(QStringLiteral("b.ncp")).toStdString(),
                                                                       file(QStringLiteral("a.bin")).toStdString()}));

        // Both changed, then the files opened again: the questions are answered no.
        state_->image.setU8(3000, 12);
        editPrograms("CHANGED");
        frame_->openRecentFile(file(QStringLiteral("a.bin")));
        QVERIFY(state_->image == saved);
        QCOMPARE(frame_->currentViewKind(), ViewKind::None);
        frame_->openRecentFile(file(QStringLiteral("b.ncp")));
        QCOMPARE(frame_->currentViewKind(), ViewKind::ProgramEditor);
        QCOMPARE(state_->programs.text(), savedPrograms);
        QCOMPARE(recorder_->texts(),
                 (std::vector<std::string>{"現在の設定を保存しますか？",
                                           "プログラムの変更がファイルに保存されていません。\n保存してから開きますか？"}));
        QCOMPARE(title(), QStringLiteral("VANTREL - a.bin / b.ncp"));
        QCOMPARE(recentEntries(), (QStringList{QStringLiteral("&1 b.ncp"), QStringLiteral("&2 a.bin")}));
    }
};

VANTREL_GUI_TEST_MAIN(FilesInUseTest)
#include "FilesInUseTest.moc"
