#include "app/CMainFrame.h"

#include <algorithm>
#include <array>
#include <mutex>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/CAboutDlg.h"
#include "app/CStatusPane.h"
#include "app/MainCommandChecks.h"
#include "app/MainWindowTitle.h"
#include "app/OperatingMode.h"
#include "app/RecentFiles.h"
#include "app/SpeedLevel.h"
#include "app/TransactionMessages.h"
#include "app/UndoActions.h"
#include "data/FileReadMessages.h"
#include "data/FileSaveMessages.h"
#include "data/ImageEdit.h"
#include "data/SettingsFile.h"
#include "link/CWaitDlg.h"
#include "online/CMonitorMenuDlg.h"
#include "online/RegisterMonitorWindows.h"
#include "platform/AnsiText.h"
#include "platform/AppFolders.h"
#include "platform/ComIni.h"
#include "platform/UserProfile.h"
#include "ui/CGridView.h"
#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/StatusNote.h"
#include "ui/SaveWithRetry.h"

namespace vantrel {

namespace {
constexpr int kViewKindRole = Qt::UserRole + 1;
// The first size: wide enough for the tree beside the program editor, and low
// enough to leave room below it for the monitors on a 1600 x 1000 screen.
constexpr int kDefaultWidth = 1100;
constexpr int kDefaultHeight = 560;

QTreeWidgetItem* addEntry(const NavigationEntry& entry, QTreeWidgetItem* parent) {
    auto* item = new QTreeWidgetItem(parent, QStringList(ui::coreText(entry.text)));
    item->setData(0, kViewKindRole, static_cast<int>(entry.kind));
    for (const auto& child : entry.children) addEntry(child, item);
    return item;
}

// The file an overwriting save writes: a file the user chose, never the
// defaults beside the program; empty when there is none (the dialog asks).
QString fileInUse(const UnsavedWork::Origin& origin) {
    return origin.kind == UnsavedWork::Origin::Kind::File ? QString::fromStdString(origin.path) : QString();
}

}  // namespace

CMainFrame::CMainFrame(AppState& state, ViewFactory views, QWidget* parent)
    : QMainWindow(parent), state_(state), views_(std::move(views)), prompts_(MainFramePrompts::dialogs()) {
    setWindowTitle(QStringLiteral("VANTREL"));
    events_ = new GuiLinkEvents(this, this);
    waitDlg_ = new CWaitDlg(state_.link.interruptFlag, this);

    createMenus();
    createTree();
    viewPane_ = new QWidget(this);
    auto* paneLayout = new QVBoxLayout(viewPane_);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tree_);
    splitter->addWidget(viewPane_);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    splitter->setSizes({std::max(tree_->minimumWidth(), UserProfile().treeWidth()), kDefaultWidth});
    setCentralWidget(splitter);

    statusPane_ = new CStatusPane(this);
    statusBar()->addWidget(statusPane_, 1);
    statusBar()->setSizeGripEnabled(true);
    connect(statusPane_, &CStatusPane::speedDownClicked, this, &CMainFrame::speedDown);
    connect(statusPane_, &CStatusPane::speedUpClicked, this, &CMainFrame::speedUp);
    recoveryNote_ = new QLabel(this);
    recoveryNote_->setStyleSheet(QStringLiteral("color: #b00000;"));
    recoveryNote_->hide();
    statusBar()->addPermanentWidget(recoveryNote_);
    ui::installStatusNote(statusBar());

    // The program store starts as the default programs beside the program
    // (loading sets the program-compiled flag).
    state_.programFiles.loadStoreFromFile(ProgramFiles::Which::DefaultPrograms);
    state_.unsavedFlash = false;
    // The work as the window starts with it is in files (or is nothing yet).
    settingsSavedOrRead({UnsavedWork::Origin::Kind::Defaults, exeFolderPath("initial.bin")});
    const UnsavedWork::Origin defaultPrograms{UnsavedWork::Origin::Kind::Defaults,
                                              state_.programFiles.paths().defaultPrograms};
    state_.unsaved.programsSavedOrRead(state_.programs.text(), defaultPrograms);

    state_.linkThread.setWorkingProgramFile(dataFolderPath("Ncstep.sys"));
    state_.linkThread.start();
    statusTimer_ = new QTimer(this);
    connect(statusTimer_, &QTimer::timeout, this, &CMainFrame::refreshStatusPane);
    statusTimer_->start(1000);
    refreshStatusPane();
    // Often enough that the unsaved mark follows an edit at once.
    titleTimer_ = new QTimer(this);
    connect(titleTimer_, &QTimer::timeout, this, &CMainFrame::refreshTitle);
    titleTimer_->start(250);
    refreshTitle();
    // Where it was left; the first time at the screen's top left, so that the
    // palette and the monitors open beside it.
    auto* placer = new CWindowPlacer(this, [](const QRect& screen, const QSize&) { return screen.topLeft(); });
    placer->setDefaultSize(QSize(kDefaultWidth, kDefaultHeight));
}

CMainFrame::~CMainFrame() {
    ui::installStatusNote(nullptr);
    shutdownLink();
}

void CMainFrame::createTree() {
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    QTreeWidgetItem* root = addEntry(vantrel::navigationTree(), nullptr);
    tree_->addTopLevelItem(root);
    tree_->expandAll();
    // Its labels are never cut.
    const QAbstractItemView& view = *tree_;
    tree_->setMinimumWidth(view.sizeHintForColumn(0) + 2 * tree_->frameWidth() + 8);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onTreeItemChosen(item); });
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { onTreeItemChosen(item); });
}

void CMainFrame::onTreeItemChosen(QTreeWidgetItem* item) {
    if (!item) return;
    const auto kind = static_cast<ViewKind>(item->data(0, kViewKindRole).toInt());
    if (kind == ViewKind::None) return;  // a folder
    chooseView(kind);
}

void CMainFrame::chooseView(ViewKind kind) {
    switch (decideViewSwitch(currentKind_, kind, state_.programs.storeClean())) {
    case ViewSwitch::Stay: return;
    case ViewSwitch::AskFirst:
        if (!ui::askYesNo(this, Refusal{kLeaveProgramQuestion, kLeaveProgramTitle, MessageIcon::Question})) {
            selectTreeEntry(ViewKind::ProgramEditor);
            return;
        }
        break;
    case ViewSwitch::Switch: break;
    }
    showView(kind);
    selectTreeEntry(kind);
}

void CMainFrame::selectTreeEntry(ViewKind kind) {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if (static_cast<ViewKind>((*it)->data(0, kViewKindRole).toInt()) == kind) {
            const QSignalBlocker block(tree_);
            tree_->setCurrentItem(*it);
            return;
        }
    }
}

void CMainFrame::showView(ViewKind kind) {
    if (view_) {
        view_->hide();
        view_->deleteLater();
        view_ = nullptr;
    }
    currentKind_ = kind;
    assignFileShortcuts();
    view_ = views_.create(kind, state_, viewPane_);
    if (view_) {
        viewPane_->layout()->addWidget(view_);
        view_->show();
    }
}

void CMainFrame::rebuildCurrentView() { showView(currentKind_); }

void CMainFrame::showEdited(const EditHistory::Outcome& outcome) {
    const EditPlace& place = outcome.place;
    if (place.where == EditPlace::Where::Step) {
        if (currentKind_ != ViewKind::ProgramEditor) chooseView(ViewKind::ProgramEditor);
        if (currentKind_ == ViewKind::ProgramEditor)
            QMetaObject::invokeMethod(view_, "showEditedStep", Q_ARG(int, place.program), Q_ARG(int, place.row));
    } else if (place.where == EditPlace::Where::Cell && static_cast<ViewKind>(place.view) != currentKind_) {
        chooseView(static_cast<ViewKind>(place.view));
    } else if (currentKind_ == ViewKind::ProgramEditor) {
        // A settings edit shown in the listing (a point, a timer), or a
        // program edit of no step.
        QMetaObject::invokeMethod(view_, "showEditedStep", Q_ARG(int, place.program), Q_ARG(int, -1));
    } else {
        rebuildCurrentView();
    }
    if (place.where == EditPlace::Where::Cell && static_cast<ViewKind>(place.view) == currentKind_) {
        const QList<ui::CGridView*> grids = ui::CGridView::gridsIn(view_);
        if (place.page >= 0 && place.page < grids.size()) grids[place.page]->showCell(place.row, place.column);
    }
    refreshStatusPane();
    refreshTitle();
}

void CMainFrame::chooseLanguage(Language language) {
    // Only texts change: nothing goes to the controller, no operation is touched.
    if (language != ui::guiLanguage()) ui::setGuiLanguage(*qApp, language);
    UserProfile().setLanguage(language == Language::English ? "en" : "ja");
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange || !statusPane_) return;
    // The texts built around names and numbers; the fixed ones are already renewed.
    showToolbarTips();
    undoActions_->refresh();
    refreshStatusPane();
    refreshTitle();
}

void CMainFrame::refreshTitle() {
    const UnsavedWork& work = state_.unsaved;
    const QString title = QString::fromStdString(mainWindowTitle({work.settingsOrigin(),
                                                                  work.settingsUnsaved(state_.image),
                                                                  work.programsOrigin(),
                                                                  work.programsUnsaved(state_.programs.text()),
                                                                  ui::guiLanguage()}));
    if (title != windowTitle()) setWindowTitle(title);
    // A file newly in use (opened or saved) is the most recent file.
    bool recentChanged = false;
    for (auto [origin, shown] : {std::pair{&work.settingsOrigin(), &settingsOriginShown_},
                                 std::pair{&work.programsOrigin(), &programsOriginShown_}}) {
        if (*origin == *shown) continue;
        *shown = *origin;
        if (origin->kind != UnsavedWork::Origin::Kind::File) continue;
        const UserProfile profile;
        profile.setRecentFiles(withRecentFile(profile.recentFiles(), origin->path));
        recentChanged = true;
    }
    if (recentChanged) showRecentFiles();
}

void CMainFrame::refreshStatusPane() {
    StatusPaneInput input;
    input.portOpen = state_.link.isOpen();
    input.silentDisconnect = state_.link.silentDisconnect.load();
    input.currentMode = state_.status.modeWord.load(std::memory_order_relaxed);
    input.controllerName = ansiToUtf8(state_.status.controllerName());
    for (std::size_t i = 0; i < input.runStates.size(); ++i)
        input.runStates[i] = state_.status.runFlags[i].load(std::memory_order_relaxed);
    input.alarmCode = state_.status.alarmCode.load(std::memory_order_relaxed);
    input.speedLevel = speedOverrideLevel(state_.image);
    statusPane_->showTexts(statusPaneTexts(input));
}

// --- commands -------------------------------------------------------------

void CMainFrame::message(const Refusal& text) { ui::showMessage(this, text); }

int CMainFrame::runOperation(ProgressKind kind, const std::function<bool()>& start) {
    const unsigned operation = events_->beginOperation();
    if (!start()) return kProgressFailed;
    return waitDlg_->run(kind, operation);
}

bool CMainFrame::maySettingsBeReplaced() {
    if (const auto refusal = checkOpenSettingsFile(state_.link.isOpen(), state_.status.modeWord.load())) {
        message(*refusal);
        return false;
    }
    // A save asked for and not made (cancelled, or failed and given up) would
    // let the open replace the settings that were to be saved.
    return !ui::askYesNo(this, saveCurrentSettingsQuestion()) || saveSettingsFileTo();
}

bool CMainFrame::showProgramEditorToOpen() {
    // Only the edit-test mode edits programs (the program editor hides its
    // own open button in the run modes).
    if (state_.status.modeWord.load() != mode::kEditTest) {
        ui::showStatusNote(tr("プログラムを開くには編集テストモードに切り換えてください。"));
        return false;
    }
    chooseView(ViewKind::ProgramEditor);
    return currentKind_ == ViewKind::ProgramEditor;
}

void CMainFrame::openSettingsFile() {
    if (!maySettingsBeReplaced()) return;
    const UserProfile profile;
    const QString path = prompts_.openSettingsFile(this, QString::fromStdString(profile.dialogStartFolder()));
    if (path.isEmpty()) return;
    profile.setLastFolder(QFileInfo(path).absolutePath().toStdString());
    openSettingsFileAt(path);
}

void CMainFrame::openSettingsFileAt(const QString& path) {
    // Only a whole settings image replaces the one on screen.
    if (const SettingsFileRead read = loadSettingsFile(state_.image, path.toStdString()); !read) {
        message(fileReadFailedMessage(QDir::toNativeSeparators(path).toStdString(), read.result));
        return;
    }
    state_.history.workReplaced();
    settingsSavedOrRead({UnsavedWork::Origin::Kind::File, path.toStdString()});
    rebuildCurrentView();
    refreshStatusPane();
    refreshTitle();
    if (state_.link.isOpen() && state_.status.modeWord.load() == mode::kEditTest) {
        const int result =
            runOperation(ProgressKind::SettingsWrite, [this] { return startWithImage(LinkOp::SettingsWriteArea1); });
        message(settingsFileSendMessage(result));
    }
}

void CMainFrame::saveSettingsFile() { saveSettingsFileTo(); }

void CMainFrame::overwriteSettingsFile() { saveSettingsFileTo(fileInUse(state_.unsaved.settingsOrigin())); }

bool CMainFrame::saveSettingsFileTo(const QString& firstPath) {
    // A file that cannot be written is reported, and another place may be chosen.
    const auto write = [this](const std::string& path) { return vantrel::saveSettingsFile(state_.image, path); };
    const QString path = ui::saveWithRetryFromLastFolder(this, prompts_.saveSettingsFile, write, firstPath);
    if (path.isEmpty()) return false;
    settingsSavedOrRead({UnsavedWork::Origin::Kind::File, path.toStdString()});
    refreshTitle();
    return true;
}

bool CMainFrame::saveProgramFileTo(const QString& firstPath) {
    // Saving tells the unsaved work itself (through the program files).
    const auto write = [this](const std::string& path) { return state_.programFiles.saveProgramFile(path); };
    const bool saved = !ui::saveWithRetryFromLastFolder(this, prompts_.saveProgramFile, write, firstPath).isEmpty();
    refreshTitle();
    return saved;
}

void CMainFrame::openProgramFile() {
    if (!showProgramEditorToOpen()) return;
    forwardToView("openProgramFile()");
    refreshTitle();
}

void CMainFrame::overwriteProgramFile() { saveProgramFileTo(fileInUse(state_.unsaved.programsOrigin())); }

void CMainFrame::saveProgramFile() { saveProgramFileTo(); }

void CMainFrame::openRecentFile(const QString& path) {
    if (recentFileKind(path.toStdString()) == RecentFileKind::Settings) {
        if (maySettingsBeReplaced()) openSettingsFileAt(path);
        return;
    }
    if (!showProgramEditorToOpen()) return;
    QMetaObject::invokeMethod(view_, "openProgramFileAt", Q_ARG(QString, path));
    refreshTitle();
}

void CMainFrame::settingsSavedOrRead(UnsavedWork::Origin origin) {
    state_.unsaved.settingsSavedOrRead(state_.image, std::move(origin));
}

void CMainFrame::choosePort() {
    if (state_.link.isOpen() && !ui::askYesNo(this, changePortQuestion())) return;
    std::vector<std::string> names = state_.link.listPorts();
    const std::string current = state_.portOverride.empty() ? readComPort() : state_.portOverride;
    // The built-in simulated controller's port is offered too.
    if (!state_.portOverride.empty() && std::find(names.begin(), names.end(), state_.portOverride) == names.end())
        names.push_back(state_.portOverride);
    const auto chosen = prompts_.choosePort(this, names, current);
    if (!chosen) return;
    if (*chosen == state_.portOverride) return;  // the simulated controller: com.ini stays as it is
    state_.portOverride.clear();
    // Unsaved, the choice would be gone at the next start without a word.
    if (const FileWriteResult saved = writeComPort(*chosen); !saved)
        message(fileWriteFailedMessage(dataFolderPath(kComIniFileName), saved));
}

void CMainFrame::connectController() {
    if (state_.link.isOpen()) return;
    const std::string name = state_.portOverride.empty() ? readComPort() : state_.portOverride;
    if (!state_.link.open(name, events_)) message(portOpenFailedMessage());
    refreshStatusPane();
}

void CMainFrame::disconnectController() {
    if (!state_.link.isOpen()) return;
    if (!ui::askYesNo(this, disconnectQuestion())) return;
    disconnectSilently();
}

void CMainFrame::disconnectSilently() {
    state_.link.silentDisconnect.store(true);
    state_.link.linkLost();
    refreshStatusPane();
}

void CMainFrame::editEthernetAddress() {
    const auto values = prompts_.editEthernet(this, readEthernetAddress(state_.image));
    if (!values) return;
    applyEthernetAddress(state_.image, &state_.queues, *values);
    message(ethernetRestartNotice());
}

void CMainFrame::initialiseController() {
    if (const auto refusal = checkInitialise(state_.link.isOpen(), state_.status.modeWord.load())) {
        message(*refusal);
        return;
    }
    const auto choice = prompts_.chooseInitialise(this);
    if (!choice || !ui::askYesNo(this, choice->question())) {
        message(initialiseCancelledMessage());
        return;
    }
    const auto what = static_cast<InitialiseWhat>(choice->scopeCode());
    const int result =
        runOperation(ProgressKind::Initialise, [this, what] { return state_.linkThread.startInitialise(what); });
    if (result != kProgressDone) {
        message(initialiseCancelledMessage());
        return;
    }
    // The controller has reset its data: read it back.
    const int readResult =
        runOperation(ProgressKind::SettingsRead, [this] { return startWithImage(LinkOp::SettingsRead); });
    rebuildCurrentView();
    message(initialiseReadMessage(readResult));
}

void CMainFrame::writeFlash() {
    if (const auto refusal = checkFlashWrite(state_.link.isOpen(), state_.status.modeWord.load())) {
        message(*refusal);
        return;
    }
    if (!ui::askYesNo(this, flashWriteQuestion())) return;
    const int result = runOperation(ProgressKind::FlashWrite,
                                    [this] { return state_.linkThread.startOperation(LinkOp::FlashWrite); });
    if (result == kProgressDone) state_.unsavedFlash = false;
    message(flashWriteMessage(result));
}

void CMainFrame::startProgram() {
    if (const auto notice = startNotice(state_.status.modeWord.load())) message(*notice);
    // Sent in every mode: the controller decides.
    state_.status.runRequest.store(runRequest::kStart);
}

void CMainFrame::stopProgram() { state_.status.runRequest.store(runRequest::kStop); }

void CMainFrame::setRequestedMode(std::uint16_t modeWord) { state_.status.requestedMode.store(modeWord); }

void CMainFrame::speedDown() {
    ImageEdit edit(state_.image, &state_.queues);
    if (stepSpeedLevel(edit, false)) refreshStatusPane();
}

void CMainFrame::speedUp() {
    ImageEdit edit(state_.image, &state_.queues);
    if (stepSpeedLevel(edit, true)) refreshStatusPane();
}

void CMainFrame::showAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

CMonitorMenuDlg& CMainFrame::monitorMenu() {
    if (!monitorMenu_) {
        monitorMenu_ = new CMonitorMenuDlg(state_, this);
        registerMonitorWindows(*monitorMenu_);
    }
    return *monitorMenu_;
}

void CMainFrame::showMonitorMenu() {
    CMonitorMenuDlg& menu = monitorMenu();
    CWindowPlacer::showInFront(&menu);
    menu.activateWindow();
}

// --- connection ---------------------------------------------------------------

bool CMainFrame::startWithImage(LinkOp op) {
    // The link thread takes the copy with the request, between two of its
    // operations; the window never waits for the link.
    return state_.linkThread.startWithImage(op, state_.image);
}

void CMainFrame::readSettingsFromController() {
    // The read replaces the settings: when they were to be saved first and
    // were not, nothing is read and the connection is not kept half made.
    if (ui::askYesNo(this, saveBeforeReadQuestion()) && !saveSettingsFileTo()) {
        disconnectSilently();
        message(settingsReadStoppedMessage());
        return;
    }
    const int result =
        runOperation(ProgressKind::SettingsRead, [this] { return startWithImage(LinkOp::SettingsRead); });
    message(settingsReadMessage(result));
}

void CMainFrame::writeSettingsToController() {
    const int result =
        runOperation(ProgressKind::SettingsWrite, [this] { return startWithImage(LinkOp::SettingsWriteArea1); });
    message(settingsWriteMessage(result));
}

void CMainFrame::onConnectionResult(int result) {
    refreshStatusPane();
    if (result == kEditTestMode) {
        switch (prompts_.connectDirection(this)) {
        case MainFramePrompts::Direction::ControllerToPc: readSettingsFromController(); break;
        case MainFramePrompts::Direction::PcToController: writeSettingsToController(); break;
        case MainFramePrompts::Direction::Cancel: disconnectSilently(); break;
        }
    } else if (result == kOtherMode) {
        readSettingsFromController();
    } else {
        message(noControllerMessage());
    }
    rebuildCurrentView();
    refreshStatusPane();
}

void CMainFrame::onProgress(unsigned operation, int percent, int result) {
    waitDlg_->onProgress(operation, percent, result);
}

void CMainFrame::onSettingsReadDone() {
    state_.history.workReplaced();
    settingsSavedOrRead({UnsavedWork::Origin::Kind::Controller, {}});
    rebuildCurrentView();
    refreshStatusPane();
}

void CMainFrame::onVerifyError(int kind) { message(verifyErrorMessage(kind)); }

void CMainFrame::onLinkLost(bool silent) {
    refreshStatusPane();
    if (!silent) message(linkLostMessage());
}

void CMainFrame::onProgramFileRead(const std::string& path) {
    (void)path;  // always the working file
    state_.programFiles.programFileRead();
    // The program view refreshes itself: it may be the one waiting for this
    // read, so it must not be replaced under it.
    if (currentKind_ == ViewKind::ProgramEditor) forwardToView("reloadPrograms()");
}

void CMainFrame::onProgramSendResult(const TransferResult& result) { (void)result; }

void CMainFrame::onAlarmRecordRead() {}

void CMainFrame::onImageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    if (offset > state_.image.size() || bytes.size() > state_.image.size() - offset) return;
    std::copy(bytes.begin(), bytes.end(), state_.image.data() + offset);
}

// --- exit -----------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    shutdownLink();
    UserProfile().setTreeWidth(tree_->width());
    event->accept();
}

bool CMainFrame::mayClose() {
    if (state_.unsavedFlash && !ui::askYesNo(this, exitWithoutFlashQuestion())) return false;
    if (state_.unsaved.settingsUnsaved(state_.image) &&
        !ui::saveOrGiveUp(this, exitUnsavedSettingsQuestion(), [this] { return saveSettingsFileTo(); }))
        return false;
    if (state_.unsaved.programsUnsaved(state_.programs.text()) &&
        !ui::saveOrGiveUp(this, exitUnsavedProgramsQuestion(), [this] { return saveProgramFileTo(); }))
        return false;
    // What is still unsaved was given up: the recovery copy goes with it.
    state_.unsaved.dropChanges(state_.image, state_.programs.text());
    refreshTitle();  // a file saved just now joins the recent files
    return true;
}

void CMainFrame::showRecoveryNote(const QString& text) {
    recoveryNote_->setText(text);
    recoveryNote_->setVisible(!text.isEmpty());
}

QString CMainFrame::recoveryNote() const { return recoveryNote_->text(); }

void CMainFrame::shutdownLink() {
    if (linkShutDown_) return;
    linkShutDown_ = true;
    statusTimer_->stop();
    titleTimer_->stop();
    events_->detach();
    state_.linkThread.stop();
    state_.link.close();
}

}  // namespace vantrel
