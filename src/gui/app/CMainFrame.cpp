#include "app/CMainFrame.h"

#include <algorithm>
#include <mutex>

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/CAboutDlg.h"
#include "app/CStatusPane.h"
#include "app/MainCommandChecks.h"
#include "app/OperatingMode.h"
#include "app/SpeedLevel.h"
#include "app/TransactionMessages.h"
#include "data/FileSaveMessages.h"
#include "data/ImageEdit.h"
#include "data/SettingsFile.h"
#include "link/CLinkTraceAction.h"
#include "link/CWaitDlg.h"
#include "online/CMonitorMenuDlg.h"
#include "online/RegisterMonitorWindows.h"
#include "platform/AnsiText.h"
#include "platform/AppFolders.h"
#include "platform/ComIni.h"
#include "platform/UserProfile.h"
#include "ui/MessageBox.h"
#include "ui/SaveWithRetry.h"

namespace vantrel {

namespace {
constexpr int kViewKindRole = Qt::UserRole + 1;

QTreeWidgetItem* addEntry(const NavigationEntry& entry, QTreeWidgetItem* parent) {
    auto* item = new QTreeWidgetItem(parent, QStringList(QString::fromStdString(entry.text)));
    item->setData(0, kViewKindRole, static_cast<int>(entry.kind));
    for (const auto& child : entry.children) addEntry(child, item);
    return item;
}
}  // namespace

CMainFrame::CMainFrame(AppState& state, ViewFactory views, QWidget* parent)
    : QMainWindow(parent), state_(state), views_(std::move(views)), prompts_(MainFramePrompts::dialogs()) {
    setWindowTitle(QStringLiteral("VANTREL"));
    events_ = new GuiLinkEvents(this, this);
    waitDlg_ = new CWaitDlg(this);

    createMenus();
    createTree();
    viewPane_ = new QWidget(this);
    auto* paneLayout = new QVBoxLayout(viewPane_);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tree_);
    splitter->addWidget(viewPane_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 760});
    setCentralWidget(splitter);

    statusPane_ = new CStatusPane(this);
    statusBar()->addWidget(statusPane_, 1);
    statusBar()->setSizeGripEnabled(true);
    connect(statusPane_, &CStatusPane::speedDownClicked, this, &CMainFrame::speedDown);
    connect(statusPane_, &CStatusPane::speedUpClicked, this, &CMainFrame::speedUp);

    // The program store starts as the default programs beside the program
    // (loading sets the program-compiled flag).
    state_.programFiles.loadStoreFromFile(ProgramFiles::Which::DefaultPrograms);
    state_.unsavedFlash = false;

    state_.linkThread.setWorkingProgramFile(dataFolderPath("Ncstep.sys"));
    state_.linkThread.start();
    statusTimer_ = new QTimer(this);
    connect(statusTimer_, &QTimer::timeout, this, &CMainFrame::refreshStatusPane);
    statusTimer_->start(1000);
    refreshStatusPane();
    resize(1000, 680);
}

CMainFrame::~CMainFrame() { shutdownLink(); }

void CMainFrame::createMenus() {
    auto addAction = [this](QMenu* menu, const QString& text, void (CMainFrame::*slot)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    addAction(file, QStringLiteral("開く(&O)..."), &CMainFrame::openSettingsFile);
    addAction(file, QStringLiteral("名前を付けて保存(&S)..."), &CMainFrame::saveSettingsFile);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("アプリケーションの終了(&X)"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* link = menuBar()->addMenu(QStringLiteral("通信(&C)"));
    addAction(link, QStringLiteral("通信ポート(&S)..."), &CMainFrame::choosePort);
    addAction(link, QStringLiteral("USB接続(&N)"), &CMainFrame::connectController);
    addAction(link, QStringLiteral("USB切断(&D)"), &CMainFrame::disconnectController);
    addAction(link, QStringLiteral("Ethernet IPアドレス(&P)..."), &CMainFrame::editEthernetAddress);
    addAction(link, QStringLiteral("設定初期化(&I)..."), &CMainFrame::initialiseController);
    addAction(link, QStringLiteral("FLASH書込み(&F)..."), &CMainFrame::writeFlash);
    link->addSeparator();
    link->addAction((new CLinkTraceAction(state_.link, this))->action());

    // Copy and paste belong to the editor shown; a view that has them offers
    // copy() and paste() slots.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QAction* copy = edit->addAction(QStringLiteral("コピー(&C)"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(copy, &QAction::triggered, this, [this] { forwardToView("copy()"); });
    QAction* paste = edit->addAction(QStringLiteral("貼り付け(&P)"));
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    connect(paste, &QAction::triggered, this, [this] { forwardToView("paste()"); });

    QMenu* run = menuBar()->addMenu(QStringLiteral("動作(&A)"));
    QAction* start = addAction(run, QStringLiteral("開始(&R)"), &CMainFrame::startProgram);
    QAction* stop = addAction(run, QStringLiteral("停止(&P)"), &CMainFrame::stopProgram);
    run->addSeparator();
    QAction* stepRun = run->addAction(QStringLiteral("ステップ実行モード(&S)"));
    connect(stepRun, &QAction::triggered, this, [this] { setRequestedMode(mode::kStepRun); });
    QAction* autoRun = run->addAction(QStringLiteral("自動実行モード(&A)"));
    connect(autoRun, &QAction::triggered, this, [this] { setRequestedMode(mode::kAutoRun); });
    QAction* editTest = run->addAction(QStringLiteral("編集テストモード(&M)"));
    connect(editTest, &QAction::triggered, this, [this] { setRequestedMode(mode::kEditTest); });

    QMenu* monitor = menuBar()->addMenu(QStringLiteral("モニタ(&M)"));
    QAction* monitorMenu = addAction(monitor, QStringLiteral("モニタメニュー(&M)..."), &CMainFrame::showMonitorMenu);
    monitorMenu->setIconText(QStringLiteral("モニタメニュー"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    addAction(help, QStringLiteral("バージョン情報 (&A)..."), &CMainFrame::showAbout);

    QToolBar* toolbar = addToolBar(QStringLiteral("toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addAction(stop);
    toolbar->addAction(start);
    toolbar->addSeparator();
    toolbar->addAction(stepRun);
    toolbar->addAction(autoRun);
    toolbar->addAction(editTest);
    toolbar->addSeparator();
    toolbar->addAction(monitorMenu);
}

void CMainFrame::forwardToView(const char* slotSignature) {
    if (!view_) return;
    const QByteArray signature(slotSignature);
    if (view_->metaObject()->indexOfMethod(signature.constData()) < 0) return;
    QMetaObject::invokeMethod(view_, signature.left(signature.indexOf('(')).constData());
}

void CMainFrame::createTree() {
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    QTreeWidgetItem* root = addEntry(vantrel::navigationTree(), nullptr);
    tree_->addTopLevelItem(root);
    tree_->expandAll();
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
    view_ = views_.create(kind, state_, viewPane_);
    if (view_) {
        viewPane_->layout()->addWidget(view_);
        view_->show();
    }
}

void CMainFrame::rebuildCurrentView() { showView(currentKind_); }

void CMainFrame::refreshStatusPane() {
    StatusPaneInput input;
    input.portOpen = state_.link.isOpen();
    input.silentDisconnect = silentDisconnect.load();
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

void CMainFrame::openSettingsFile() {
    if (const auto refusal = checkOpenSettingsFile(state_.link.isOpen(), state_.status.modeWord.load())) {
        message(*refusal);
        return;
    }
    if (ui::askYesNo(this, saveCurrentSettingsQuestion())) saveSettingsFileTo();
    const UserProfile profile;
    const QString path = prompts_.openSettingsFile(this, QString::fromStdString(profile.dialogStartFolder()));
    if (path.isEmpty()) return;
    profile.setLastFolder(QFileInfo(path).absolutePath().toStdString());
    if (!loadSettingsFile(state_.image, path.toStdString())) return;  // not readable: passed over
    emit settingsSavedOrRead();
    rebuildCurrentView();
    refreshStatusPane();
    if (state_.link.isOpen() && state_.status.modeWord.load() == mode::kEditTest) {
        const int result =
            runOperation(ProgressKind::SettingsWrite, [this] { return startWithImage(LinkOp::SettingsWriteArea1); });
        message(settingsFileSendMessage(result));
    }
}

void CMainFrame::saveSettingsFile() { saveSettingsFileTo(); }

bool CMainFrame::saveSettingsFileTo() {
    const UserProfile profile;
    // A file that cannot be written is reported, and another place may be chosen.
    const QString written = ui::saveWithRetry(
        this, [&] { return prompts_.saveSettingsFile(this, QString::fromStdString(profile.dialogStartFolder())); },
        [&](const QString& path) {
            profile.setLastFolder(QFileInfo(path).absolutePath().toStdString());
            return vantrel::saveSettingsFile(state_.image, path.toStdString());
        });
    if (written.isEmpty()) return false;
    emit settingsSavedOrRead();
    return true;
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
    silentDisconnect.store(true);
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
    menu.show();
    menu.raise();
    menu.activateWindow();
}

// --- connection ---------------------------------------------------------------

bool CMainFrame::startWithImage(LinkOp op) {
    // The link thread takes the copy with the request, between two of its
    // operations; the window never waits for the link.
    return state_.linkThread.startWithImage(op, state_.image);
}

void CMainFrame::readSettingsFromController() {
    if (ui::askYesNo(this, saveBeforeReadQuestion())) saveSettingsFileTo();
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
    emit settingsSavedOrRead();
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
    if (state_.unsavedFlash && !ui::askYesNo(this, exitWithoutFlashQuestion())) {
        event->ignore();
        return;
    }
    shutdownLink();
    event->accept();
}

void CMainFrame::shutdownLink() {
    if (linkShutDown_) return;
    linkShutDown_ = true;
    statusTimer_->stop();
    events_->detach();
    state_.linkThread.stop();
    state_.link.close();
}

}  // namespace vantrel
