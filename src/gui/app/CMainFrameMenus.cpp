// The main window's menus, toolbar and recent-file entries.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
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
#include "ui/GuiLanguage.h"
#include "ui/VisibleTexts.h"

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

    QMenu* link = menuBar()->addMenu(tr("通信(&C)"));
    addAction(link, tr("通信ポート(&S)..."), &CMainFrame::choosePort);
    addAction(link, tr("USB接続(&N)"), &CMainFrame::connectController);
    addAction(link, tr("USB切断(&D)"), &CMainFrame::disconnectController);
    addAction(link, tr("Ethernet IPアドレス(&P)..."), &CMainFrame::editEthernetAddress);
    addAction(link, tr("設定初期化(&I)..."), &CMainFrame::initialiseController);
    addAction(link, tr("FLASH書込み(&F)..."), &CMainFrame::writeFlash);
    link->addSeparator();
    link->addAction((new CLinkTraceAction(state_.link, this))->action());

    // Undo and redo act on the whole work; copy and paste belong to the
    // editor shown, a view that has them offers copy() and paste() slots.
    QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
    edit->setToolTipsVisible(true);
    undoActions_ = new UndoActions(state_.history, this);
    undoActions_->setProgramsEditable([this] { return state_.status.modeWord.load() == mode::kEditTest; });
    connect(undoActions_, &UndoActions::edited, this, &CMainFrame::showEdited);
    edit->addAction(undoActions_->undoAction());
    edit->addAction(undoActions_->redoAction());
    edit->addSeparator();
    QAction* copy = edit->addAction(tr("コピー(&C)"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(copy, &QAction::triggered, this, [this] { forwardToView("copy()"); });
    QAction* paste = edit->addAction(tr("貼り付け(&P)"));
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    connect(paste, &QAction::triggered, this, [this] { forwardToView("paste()"); });

    QMenu* run = menuBar()->addMenu(tr("動作(&A)"));
    QAction* start = addAction(run, tr("開始(&R)"), &CMainFrame::startProgram);
    QAction* stop = addAction(run, tr("停止(&P)"), &CMainFrame::stopProgram);
    run->addSeparator();
    QAction* stepRun = run->addAction(tr("ステップ実行モード(&S)"));
    connect(stepRun, &QAction::triggered, this, [this] { setRequestedMode(mode::kStepRun); });
    QAction* autoRun = run->addAction(tr("自動実行モード(&A)"));
    connect(autoRun, &QAction::triggered, this, [this] { setRequestedMode(mode::kAutoRun); });
    QAction* editTest = run->addAction(tr("編集テストモード(&M)"));
    connect(editTest, &QAction::triggered, this, [this] { setRequestedMode(mode::kEditTest); });

    QMenu* monitor = menuBar()->addMenu(tr("モニタ(&M)"));
    QAction* monitorMenu = addAction(monitor, tr("モニタメニュー(&M)..."), &CMainFrame::showMonitorMenu);
    monitorMenu->setIconText(tr("モニタメニュー"));

    createLanguageMenu();
    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    addAction(help, tr("バージョン情報 (&A)..."), &CMainFrame::showAbout);

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
    toolbarItems_ = {{run, stop},    {run, start},    {run, stepRun},
                     {run, autoRun}, {run, editTest}, {monitor, monitorMenu}};
    showToolbarTips();
}

void CMainFrame::showToolbarTips() {
    for (const auto& [menu, action] : toolbarItems_) action->setToolTip(menuKeysToolTip(menu, action));
}

void CMainFrame::createLanguageMenu() {
    // Named and offered in both languages, so a user who reads only one finds it.
    QMenu* menu = menuBar()->addMenu(QStringLiteral("言語 / Language"));
    menu->setProperty(ui::kBothLanguages, true);
    auto* group = new QActionGroup(menu);
    for (const auto& [name, language] :
         {std::pair{"日本語", Language::Japanese}, std::pair{"English", Language::English}}) {
        QAction* item = menu->addAction(QString::fromUtf8(name));
        item->setCheckable(true);
        item->setChecked(ui::guiLanguage() == language);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
    }
}

void CMainFrame::createFileMenu() {
    fileMenu_ = menuBar()->addMenu(tr("ファイル(&F)"));
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
            QAction* action = fileMenu_->addAction(tr(items[i].text));
            action->setToolTip(tr(items[i].tip));
            action->setStatusTip(action->toolTip());
            connect(action, &QAction::triggered, this, items[i].slot);
            *actions[i] = action;
        }
        fileMenu_->addSeparator();
    };
    addGroup(settingsActions_,
             {{{QT_TR_NOOP("開く(&O)..."),
                QT_TR_NOOP("設定ファイルを開きます（Ctrl+O：プログラム作成画面以外）"), &CMainFrame::openSettingsFile},
               {QT_TR_NOOP("上書き保存(&V)"),
                QT_TR_NOOP("使用中の設定ファイルに上書き保存します（Ctrl+S：プログラム作成画面以外）"),
                &CMainFrame::overwriteSettingsFile},
               {QT_TR_NOOP("名前を付けて保存(&S)..."),
                QT_TR_NOOP("設定を名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面以外）"),
                &CMainFrame::saveSettingsFile}}});
    addGroup(programActions_,
             {{{QT_TR_NOOP("プログラムを開く(&R)..."),
                QT_TR_NOOP("プログラムファイルを開きます（Ctrl+O：プログラム作成画面）"), &CMainFrame::openProgramFile},
               {QT_TR_NOOP("プログラムを上書き保存(&W)"),
                QT_TR_NOOP("使用中のプログラムファイルに上書き保存します（Ctrl+S：プログラム作成画面）"),
                &CMainFrame::overwriteProgramFile},
               {QT_TR_NOOP("プログラムに名前を付けて保存(&A)..."),
                QT_TR_NOOP("プログラムを名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面）"),
                &CMainFrame::saveProgramFile}}});
    recentEnd_ = fileMenu_->addSeparator();
    QAction* exit = fileMenu_->addAction(tr("アプリケーションの終了(&X)"));
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
