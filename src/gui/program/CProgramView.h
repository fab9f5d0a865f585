#pragma once

#include <functional>

#include <QStringList>
#include <QWidget>

#include "app/ProgressWindowKind.h"
#include "commands/CommandEditorRegistry.h"
#include "program/PaletteButton.h"
#include "program/ProgramCompile.h"
#include "program/ProgramListing.h"
#include "program/ProgramViewStatus.h"
#include "program/ProgramViewPrompts.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vantrel {

struct AppState;
class CCommandPalette;
class CStepTableView;
class StepTableItemModel;

// The program editor ("プログラム作成"): the program number list, the name
// button, the mode and status fields, the step table, the command palette
// "コマンドテーブル" and the commands that move programs between the store,
// files and the controller. Every edit goes through the run's StepEditor and
// is committed to the program store at once; each one sets the main window's
// unsaved-FLASH flag.
//
// A 100 ms timer refreshes the mode and status texts, the running step of the
// run modes and the switch to the program of a compile error; a tick where
// nothing changed leaves the table alone. All editing is inert outside the
// edit-test mode, where the edit buttons and the palette's buttons are hidden.
class CProgramView : public QWidget {
    Q_OBJECT
public:
    // What the view needs from the window it lives in.
    struct Host {
        // Runs a long controller operation with the modal progress window
        // (CMainFrame::runOperation); null fails it without a window.
        std::function<int(ProgressKind kind, const std::function<bool()>& start)> runOperation;
        ProgramViewPrompts prompts = ProgramViewPrompts::dialogs();
    };
    static constexpr int kRefreshMilliseconds = 100;

    CProgramView(AppState& state, const CommandEditorRegistry& editors, Host host, QWidget* parent = nullptr);
    ~CProgramView() override;

    // --- parts (tests, screenshots) ------------------------------------------
    CStepTableView* table() const { return table_; }
    StepTableItemModel* model() const { return model_; }
    CCommandPalette* palette() const { return palette_; }
    QComboBox* numberList() const { return numberList_; }
    QPushButton* nameButton() const { return nameButton_; }
    QLineEdit* modeField() const { return modeField_; }
    QLineEdit* statusField() const { return statusField_; }
    // A button of the view by its text ("コンパイル", "■", ...).
    QPushButton* button(const QString& text) const;
    const CompileState& compileState() const { return compile_; }
    CommandEditorContext& editorContext() { return context_; }

    // One status refresh, as the 100 ms timer runs it.
    void refreshStatus();
    // Shows the program a running task is in (a click on its place in the
    // status field).
    void showProgramOfTask(int task);

public slots:
    // The main window's Edit menu.
    void copy();
    void paste();
    // The link has reloaded the program store from a program read.
    void reloadPrograms();
    // An edit was undone or redone: shows `program` (when it exists) with
    // `row` selected (-1: the row stays), the store as it is now.
    void showEditedStep(int program, int row);

    // Buttons of the view.
    void compilePrograms();
    void openProgramList();
    // Opening first asks to save programs that are in no file.
    void openProgramFile();
    // A program file chosen elsewhere (the recent files); true when it was opened.
    bool openProgramFileAt(const QString& path);
    // True when the programs were written to a file.
    bool saveProgramFile();
    void showPalette();
    void resetPrograms();
    void readProgramsFromController();
    void editProgramName();
    void chooseProgram(int index);

    // The palette and the table.
    void pressPaletteEntry(int index);  // index into paletteCatalogue()
    void deleteSelectedSteps();
    void editComment();
    void editStep(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* createHeader();
    QWidget* createButtons();
    void applyMode();
    void showStatusTexts();
    void showErrorProgram();
    void moveRunningRow(const ProgramViewStatus::Changes& changes);
    // The task whose place in the status field is at `position` (a character), or -1.
    int taskAtStatusPosition(int position) const;
    // The status line in the window's language, and what parts its running tasks.
    QString statusShown() const;
    // The texts of the running tasks as the status line shows them, in order.
    QStringList runningTasksShown() const;
    static QString taskSeparatorShown();

    // Number list, name and table after the store or the selected program changed.
    void showProgram();
    void fillNumberList();
    void showProgramName();
    enum class Scroll { ToSelection, Keep };
    void fillTable(Scroll scroll = Scroll::ToSelection);
    RowHighlightState highlights() const;
    void syncSelectedRow();

    // After a command, label or paste was stored at `row`: refill, mark the
    // row green, keep the scroll position.
    void afterStore(int row);
    void programEdited();
    // Shows the message, if any; true when there was one.
    bool tell(const MaybeRefusal& message);
    CommandEditorResult runEditor(const PaletteEntry& entry, int mode, const CommandEditRecord& start,
                                  bool editExisting);
    int runOperation(ProgressKind kind, const std::function<bool()>& start);
    // Programs in no file may be replaced: saved first, or given up (false: keep them).
    bool mayReplacePrograms();
    bool loadProgramFile(const QString& path);

    AppState& state_;
    const CommandEditorRegistry& editors_;
    Host host_;
    CommandEditorContext context_;
    ProgramViewStatus status_;
    CompileState compile_;
    bool errorHighlight_ = false;  // the compile error row is red until the next edit
    int lastStoredRow_ = -1;       // the green row
    bool filling_ = false;
    bool readingPrograms_ = false;
    bool paletteShown_ = true;     // open the palette when the view is shown

    QComboBox* numberList_ = nullptr;
    QPushButton* nameButton_ = nullptr;
    QLineEdit* modeField_ = nullptr;
    QLineEdit* statusField_ = nullptr;
    QWidget* editButtons_ = nullptr;
    QWidget* runButtons_ = nullptr;
    CStepTableView* table_ = nullptr;
    StepTableItemModel* model_ = nullptr;
    CCommandPalette* palette_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace vantrel
