#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <QMainWindow>

#include "app/MainFramePrompts.h"
#include "app/NavigationEntries.h"
#include "app/ProgressWindowKind.h"
#include "app/UnsavedWork.h"
#include "app/ViewFactory.h"
#include "link/GuiLinkEvents.h"
#include "link/Protocol.h"
#include "text/Language.h"
#include "undo/EditHistory.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

struct AppState;
class CMonitorMenuDlg;
class CStatusPane;
class CWaitDlg;
class UndoActions;
struct Refusal;

// The main window: the menus and toolbar of every command, the navigation
// tree with the current view beside it, and the status pane. Commands check
// with the core, start controller operations on the link thread and show the
// progress window and the result message. It starts the link thread when
// created and stops it (and closes the port) when it closes.
class CMainFrame : public QMainWindow, private LinkEventHandler {
    Q_OBJECT
public:
    CMainFrame(AppState& state, ViewFactory views, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void setPrompts(MainFramePrompts prompts) { prompts_ = std::move(prompts); }
    AppState& state() { return state_; }
    CStatusPane& statusPane() { return *statusPane_; }
    QTreeWidget& navigationTree() { return *tree_; }
    ViewKind currentViewKind() const { return currentKind_; }
    QWidget* currentView() const { return view_; }

    // --- commands ---------------------------------------------------------
    // Settings files: open (asks to save first), save to the file in use
    // (asks where when there is none), save under a name.
    void openSettingsFile();
    void overwriteSettingsFile();
    void saveSettingsFile();
    // Program files, the same three: opening shows the program editor.
    void openProgramFile();
    void overwriteProgramFile();
    void saveProgramFile();
    // An entry of the recent-file list, opened as the kind of file it is.
    void openRecentFile(const QString& path);
    void choosePort();
    void connectController();
    void disconnectController();
    void editEthernetAddress();
    void initialiseController();
    void writeFlash();
    void startProgram();
    void stopProgram();
    void setRequestedMode(std::uint16_t mode);
    void speedDown();
    void speedUp();
    void showAbout();
    // The monitor menu of the online windows (made on first use).
    void showMonitorMenu();
    CMonitorMenuDlg& monitorMenu();
    // Chooses a view as a click on its tree entry does (with the
    // program-edited question).
    void chooseView(ViewKind kind);
    // Creates the current kind's view anew from the settings image.
    void rebuildCurrentView();
    // Shows an edit just undone or redone where it was made: its view (after
    // the question when an edited program is left), its step or cell selected.
    void showEdited(const EditHistory::Outcome& outcome);
    void refreshStatusPane();
    // The title names the settings and program files in use and marks
    // unsaved work; a file newly in use joins the recent-file list.
    void refreshTitle();

    // Runs a long controller operation: `start` starts it on the link (false
    // when the port is closed: result 2 without a window), then the modal
    // progress window of `kind` runs until its result, which is returned.
    // For the editors too (compile, program read: the program view finds the
    // main window through window()).
    int runOperation(ProgressKind kind, const std::function<bool()>& start);

    // Stops the link thread and closes the port (also done when the window closes).
    void shutdownLink();

    // The status bar's note about the recovery copy (empty: none).
    void showRecoveryNote(const QString& text);
    QString recoveryNote() const;

    // Shows every window in the language and keeps the choice in the user's profile.
    void chooseLanguage(Language language);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // LinkEventHandler (UI thread)
    void onProgress(unsigned operation, int percent, int result) override;
    void onConnectionResult(int result) override;
    void onSettingsReadDone() override;
    void onVerifyError(int kind) override;
    void onLinkLost(bool silent) override;
    void onProgramFileRead(const std::string& path) override;
    void onProgramSendResult(const TransferResult& result) override;
    void onAlarmRecordRead() override;
    void onImageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) override;

    void createMenus();
    void createFileMenu();
    void createLanguageMenu();
    // The toolbar buttons' tips: each command with the keys that reach it through the menus.
    void showToolbarTips();
    // Ctrl+O, Ctrl+S and Ctrl+Shift+S act on program files while the program
    // editor is shown, else on settings files.
    void assignFileShortcuts();
    void showRecentFiles();
    void openSettingsFileAt(const QString& path);
    // Before settings are replaced by a file: the open is allowed now, and
    // the settings were saved first when the user asked to.
    bool maySettingsBeReplaced();
    // Before a program file is opened: edit-test mode, the program editor shown.
    bool showProgramEditorToOpen();
    void createTree();
    // Runs the current view's slot of that signature, if it has one.
    void forwardToView(const char* slotSignature);
    void showView(ViewKind kind);
    void selectTreeEntry(ViewKind kind);
    void onTreeItemChosen(QTreeWidgetItem* item);
    // Copies the UI's settings image into the link's under the link lock,
    // then starts `op` (an operation that sends the image or fills it).
    bool startWithImage(LinkOp op);
    void readSettingsFromController();
    void writeSettingsToController();
    void disconnectSilently();
    // Saves (to `firstPath`, else where the dialog says); false when nothing was saved.
    bool saveSettingsFileTo(const QString& firstPath = {});
    bool saveProgramFileTo(const QString& firstPath = {});
    // The settings image has just been saved to a file or replaced by a file
    // or the controller's settings: nothing of it is unsaved work now.
    void settingsSavedOrRead(UnsavedWork::Origin origin);
    // The questions of the exit; false when the window stays.
    bool mayClose();
    void message(const Refusal& message);

    AppState& state_;
    ViewFactory views_;
    MainFramePrompts prompts_;
    GuiLinkEvents* events_ = nullptr;
    CWaitDlg* waitDlg_ = nullptr;
    CStatusPane* statusPane_ = nullptr;
    QLabel* recoveryNote_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QWidget* viewPane_ = nullptr;
    QWidget* view_ = nullptr;
    QTimer* statusTimer_ = nullptr;
    QTimer* titleTimer_ = nullptr;
    struct FileActions {
        QAction* open = nullptr;
        QAction* save = nullptr;
        QAction* saveAs = nullptr;
    };
    FileActions settingsActions_;
    FileActions programActions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentEnd_ = nullptr;  // the separator after the recent files
    std::vector<QAction*> recentActions_;
    UnsavedWork::Origin settingsOriginShown_;
    UnsavedWork::Origin programsOriginShown_;
    CMonitorMenuDlg* monitorMenu_ = nullptr;
    UndoActions* undoActions_ = nullptr;
    std::vector<std::pair<QMenu*, QAction*>> toolbarItems_;  // menu and action of each toolbar button
    ViewKind currentKind_ = ViewKind::None;
    bool linkShutDown_ = false;
};

}  // namespace vantrel
