// The main window's menus, toolbar and recent-file entries.
#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/OperatingMode.h"
#include "app/RecentFiles.h"
#include "app/UndoActions.h"
#include "link/CLinkTraceAction.h"
#include "platform/UserProfile.h"

namespace vantrel {

namespace {

// "停止 (Alt+A, P)": a toolbar button's command and the keys that reach it
// through the menus.
QString menuKeysToolTip(const QMenu* menu, const QAction* action) {
    const auto key = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? QString(text.at(at + 1).toUpper()) : QString();
    };
    QString name = action->text();
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$")));
    return QStringLiteral("%1 (Alt+%2, %3)").arg(name.trimmed(), key(menu->title()), key(action->text()));
}

}  // namespace

void CMainFrame::createMenus() {
    auto addAction = [this](QMenu* menu, const QString& text, void (CMainFrame::*slot)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    createFileMenu();

    QMenu* link = menuBar()->addMenu(QStringLiteral("通信(&C)"));
    addAction(link, QStringLiteral("通信ポート(&S)..."), &CMainFrame::choosePort);
    addAction(link, QStringLiteral("USB接続(&N)"), &CMainFrame::connectController);
    addAction(link, QStringLiteral("USB切断(&D)"), &CMainFrame::disconnectController);
    addAction(link, QStringLiteral("Ethernet IPアドレス(&P)..."), &CMainFrame::editEthernetAddress);
    addAction(link, QStringLiteral("設定初期化(&I)..."), &CMainFrame::initialiseController);
    addAction(link, QStringLiteral("FLASH書込み(&F)..."), &CMainFrame::writeFlash);
    link->addSeparator();
    link->addAction((new CLinkTraceAction(state_.link, this))->action());

    // Undo and redo act on the whole work; copy and paste belong to the
    // editor shown, a view that has them offers copy() and paste() slots.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setToolTipsVisible(true);
    undoActions_ = new UndoActions(state_.history, this);
    undoActions_->setProgramsEditable([this] { return state_.status.modeWord.load() == mode::kEditTest; });
    connect(undoActions_, &UndoActions::edited, this, &CMainFrame::showEdited);
    edit->addAction(undoActions_->undoAction());
    edit->addAction(undoActions_->redoAction());
    edit->addSeparator();
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
    toolbar->addSeparator();
    toolbar->addAction(undoActions_->undoAction());
    toolbar->addAction(undoActions_->redoAction());
    for (const auto& [menu, action] : {std::pair{run, stop}, std::pair{run, start}, std::pair{run, stepRun},
                                       std::pair{run, autoRun}, std::pair{run, editTest},
                                       std::pair{monitor, monitorMenu}})
        action->setToolTip(menuKeysToolTip(menu, action));
}

void CMainFrame::createFileMenu() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu_->setToolTipsVisible(true);
    // Open, overwrite, save under a name: for settings files, then for program files.
    struct Item {
        const char* text;
        const char* tip;
        void (CMainFrame::*slot)();
    };
    const auto addGroup = [this](FileActions& group, const std::array<Item, 3>& items) {
        QAction** actions[] = {&group.open, &group.save, &group.saveAs};
        for (std::size_t i = 0; i < items.size(); ++i) {
            QAction* action = fileMenu_->addAction(QString::fromUtf8(items[i].text));
            action->setToolTip(QString::fromUtf8(items[i].tip));
            action->setStatusTip(action->toolTip());
            connect(action, &QAction::triggered, this, items[i].slot);
            *actions[i] = action;
        }
        fileMenu_->addSeparator();
    };
    addGroup(settingsActions_,
             {{{"開く(&O)...", "設定ファイルを開きます（Ctrl+O：プログラム作成画面以外）", &CMainFrame::openSettingsFile},
               {"上書き保存(&V)", "使用中の設定ファイルに上書き保存します（Ctrl+S：プログラム作成画面以外）",
                &CMainFrame::overwriteSettingsFile},
               {"名前を付けて保存(&S)...", "設定を名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面以外）",
                &CMainFrame::saveSettingsFile}}});
    addGroup(programActions_,
             {{{"プログラムを開く(&R)...", "プログラムファイルを開きます（Ctrl+O：プログラム作成画面）",
                &CMainFrame::openProgramFile},
               {"プログラムを上書き保存(&W)",
                "使用中のプログラムファイルに上書き保存します（Ctrl+S：プログラム作成画面）",
                &CMainFrame::overwriteProgramFile},
               {"プログラムに名前を付けて保存(&A)...",
                "プログラムを名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面）", &CMainFrame::saveProgramFile}}});
    recentEnd_ = fileMenu_->addSeparator();
    QAction* exit = fileMenu_->addAction(QStringLiteral("アプリケーションの終了(&X)"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    assignFileShortcuts();
    showRecentFiles();
}

void CMainFrame::assignFileShortcuts() {
    const bool programs = currentKind_ == ViewKind::ProgramEditor;
    const FileActions& acting = programs ? programActions_ : settingsActions_;
    const FileActions& other = programs ? settingsActions_ : programActions_;
    acting.open->setShortcut(QKeySequence::Open);
    acting.save->setShortcut(QKeySequence::Save);
    acting.saveAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    for (QAction* action : {other.open, other.save, other.saveAs}) action->setShortcut({});
}

void CMainFrame::showRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const std::vector<std::string> files = UserProfile().recentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = QString::fromStdString(files[i]);
        const QString text = QString::fromStdString(recentFileMenuText(static_cast<int>(i), files[i]));
        auto* action = new QAction(text, fileMenu_);
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        fileMenu_->insertAction(recentEnd_, action);
        recentActions_.push_back(action);
    }
    recentEnd_->setVisible(!files.empty());
}

void CMainFrame::forwardToView(const char* slotSignature) {
    if (!view_) return;
    const QByteArray signature(slotSignature);
    if (view_->metaObject()->indexOfMethod(signature.constData()) < 0) return;
    QMetaObject::invokeMethod(view_, signature.left(signature.indexOf('(')).constData());
}

}  // namespace vantrel
