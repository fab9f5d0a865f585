#include "app/ScreenshotTour.h"

#include <cerrno>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "app/AppState.h"
#include "app/CConnectDlg.h"
#include "app/CIpAddressDlg.h"
#include "app/CMainFrame.h"
#include "app/CSettingInitialDlg.h"
#include "app/CSplashWnd.h"
#include "app/RecoveryFile.h"
#include "app/TransactionMessages.h"
#include "data/FileSaveMessages.h"
#include "link/CLinkTraceAction.h"
#include "link/CWaitDlg.h"
#include "link/TraceRecording.h"
#include "online/OnlineScreenshots.h"
#include "platform/AppFolders.h"
#include "ui/CGridView.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/TitledPicture.h"
#include "ui/VisibleTexts.h"

namespace vantrel {

ScreenshotTour::ScreenshotTour(CMainFrame& frame, QString folder) : frame_(frame), folder_(std::move(folder)) {
    QDir().mkpath(folder_);
}

ScreenshotTour::~ScreenshotTour() {
    CWaitDlg::setUpdateHook({});
    ui::setMessageHandler({});
}

void ScreenshotTour::save(QWidget& widget, const QString& name) {
    const QString path = QDir(folder_).filePath(name);
    // In English no text of the system may be left in Japanese.
    if (ui::guiLanguage() == Language::English)
        for (const QString& text : ui::visibleTexts(widget))
            if (ui::holdsJapanese(text))
                std::fprintf(stderr, "vantrel: Japanese text in %s: %s\n", qPrintable(name), qPrintable(text));
    if (!ui::saveTitledPicture(widget, path)) std::fprintf(stderr, "vantrel: could not save %s\n", qPrintable(path));
}

void ScreenshotTour::start() {
    ui::setMessageHandler([this](QWidget*, const Refusal& message, ui::MessageButtons buttons) {
        std::fprintf(stderr, "vantrel: message \"%s\" (%s)\n", message.text.c_str(), message.title.c_str());
        if (message.text == settingsReadMessage(kProgressDone).text ||
            message.text == settingsReadMessage(kProgressFailed).text)
            readDone_ = true;
        return buttons == ui::MessageButtons::Ok ? ui::MessageAnswer::Ok : ui::MessageAnswer::No;
    });
    // The progress window is saved once its bar has moved (the simulated
    // controller answers in large blocks, so the first move may be a whole phase).
    CWaitDlg::setUpdateHook([this](CWaitDlg& dialog) {
        if (progressSaved_ || dialog.percent() == 0) return;
        save(dialog, QStringLiteral("progress-window.png"));
        progressSaved_ = true;
    });
    MainFramePrompts prompts = MainFramePrompts::dialogs();
    prompts.connectDirection = [this](QWidget* parent) {
        CConnectDlg dialog(parent);
        dialog.show();
        save(dialog, QStringLiteral("connect-dialog.png"));
        return MainFramePrompts::Direction::ControllerToPc;
    };
    frame_.setPrompts(prompts);

    QTimer::singleShot(500, this, [this] {
        grabDialogs();
        frame_.connectController();
    });
    // Wait for the read, then show a view and let the status pane refresh.
    auto* wait = new QTimer(this);
    connect(wait, &QTimer::timeout, this, [this, wait] {
        if (!readDone_) return;
        wait->stop();
        frame_.chooseView(ViewKind::Timers);
        // A current cell, so the help pane shows its text.
        if (frame_.currentView()) {
            if (auto* grid = frame_.currentView()->findChild<ui::CGridView*>()) grid->selectCell(3, 1);
            else if (auto* own = qobject_cast<ui::CGridView*>(frame_.currentView())) own->selectCell(3, 1);
        }
        // Then the online windows, each with its own picture.
        auto* online = new OnlineScreenshots(
            frame_.monitorMenu(), [this](QWidget& widget, const QString& name) { save(widget, name); },
            [this] { QTimer::singleShot(500, this, [this] { finish(); }); }, this);
        online->start();
    });
    wait->start(100);
    // Never hang a script: give up after a minute.
    QTimer::singleShot(60000, this, [this] { finish(); });
}

void ScreenshotTour::grabDialogs() {
    CSplashWnd::picture().save(QDir(folder_).filePath(QStringLiteral("splash.png")));
    CSettingInitialDlg initialise(&frame_);
    initialise.show();
    save(initialise, QStringLiteral("initialise-dialog.png"));
    CIpAddressDlg address(readEthernetAddress(frame_.state().image), &frame_);
    address.show();
    save(address, QStringLiteral("ethernet-dialog.png"));
    // The settings file dialog on "全てのファイル(*.*)" in the program's folder,
    // whose programs have no extension; saved once the folder is read.
    QFileDialog open(&frame_, QString(), QString::fromStdString(exeFolder()));
    open.setOption(QFileDialog::DontUseNativeDialog);
    ui::setFileFilters(open, settingsFileFilters());
    open.selectNameFilter(open.nameFilters().value(1));
    QEventLoop loaded;
    if (auto* files = open.findChild<QFileSystemModel*>()) connect(files, &QFileSystemModel::directoryLoaded, &loaded, &QEventLoop::quit);
    QTimer::singleShot(3000, &loaded, &QEventLoop::quit);
    open.show();
    loaded.exec();
    save(open, QStringLiteral("open-settings-file-dialog.png"));
    // The question after a crash and the report of a settings file that could not be saved.
    const auto restore = ui::makeMessageBox(&frame_, restoreWorkQuestion(), ui::MessageButtons::YesNo);
    restore->show();
    save(*restore, QStringLiteral("restore-question.png"));
    const auto failed =
        ui::makeMessageBox(&frame_, saveFailedQuestion("/media/usb0/machine-3/settings.bin", {ENOSPC}),
                           ui::MessageButtons::YesNo);
    failed->show();
    save(*failed, QStringLiteral("save-failed-message.png"));
}

void ScreenshotTour::grabTraceItem() {
    auto* trace = frame_.findChild<CLinkTraceAction*>();
    if (!trace) return;
    trace->action()->setChecked(true);  // its message goes to the recorder of the tour
    const auto started = ui::makeMessageBox(&frame_, traceStartedMessage(trace->path()), ui::MessageButtons::Ok);
    started->show();
    save(*started, QStringLiteral("trace-started-message.png"));
    QMenu* menu = nullptr;
    for (QAction* item : frame_.menuBar()->actions())
        if (item->menu() && item->menu()->actions().contains(trace->action())) menu = item->menu();
    if (menu) {
        menu->popup(frame_.mapToGlobal(QPoint(60, 20)));
        QApplication::processEvents();
        save(*menu, QStringLiteral("link-menu.png"));
        menu->hide();
    }
    trace->action()->setChecked(false);
}

void ScreenshotTour::finish() {
    grabTraceItem();
    frame_.refreshStatusPane();
    save(frame_, QStringLiteral("main-window.png"));
    qApp->quit();
}

}  // namespace vantrel
