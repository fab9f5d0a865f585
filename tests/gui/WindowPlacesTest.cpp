// Where the windows open, on two screens side by side (1600 x 1000, then
// 1366 x 768 to its right): the palette and every online window beside the
// step table, none taking the main window with it when minimised, the status
// monitor on the small screen, and windows reopening where they were left.

#include <memory>

#include <QFile>
#include <QSplitter>
#include <QTreeWidget>
#include <QWindow>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "online/CMonitorMenuDlg.h"
#include "online/CStatusMonitorDlg.h"
#include "platform/UserProfile.h"
#include "program/CCommandPalette.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"

using namespace vantrel;

class WindowPlacesTest : public QObject {
    Q_OBJECT

    const QRect large_{0, 0, 1600, 1000};
    const QRect small_{1600, 0, 1366, 768};
    std::unique_ptr<test::MessageRecorder> recorder_ = std::make_unique<test::MessageRecorder>();
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;

    // The main window at its first size, showing the program editor.
    CProgramView* openMainFrame(const QPoint& at = {}) {
        frame_.reset();
        state_ = std::make_unique<AppState>();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        if (!at.isNull()) frame_->move(at);
        frame_->show();
        frame_->chooseView(ViewKind::ProgramEditor);
        QCoreApplication::processEvents();  // lays the window out around the view
        return qobject_cast<CProgramView*>(frame_->currentView());
    }

private slots:
    // Each case starts with no window and nothing remembered.
    void init() {
        cleanupTestCase();
        QFile::remove(QString::fromStdString(UserProfile().path()));
    }

    void everyWindowOpensBesideTheStepTableAndAlone() {
        CProgramView* view = openMainFrame();
        QCOMPARE(frame_->frameGeometry().topLeft(), large_.topLeft());
        QTreeWidget& tree = frame_->navigationTree();
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            QVERIFY(tree.visualItemRect(*it).left() + tree.fontMetrics().horizontalAdvance((*it)->text(0)) <=
                    tree.viewport()->width());

        const QRect table(view->table()->mapToGlobal(QPoint(0, 0)), view->table()->size());
        frame_->showMonitorMenu();
        CMonitorMenuDlg& menu = frame_->monitorMenu();
        std::vector<QWidget*> windows{view->palette(), &menu};
        for (const MonitorWindowEntry& entry : monitorWindows()) windows.push_back(menu.openWindow(entry.window));
        for (QWidget* window : windows) {
            QVERIFY(window);
            const QByteArray name = window->windowTitle().toUtf8();
            QVERIFY2(!window->frameGeometry().intersects(table), name);
            QVERIFY2(large_.contains(window->frameGeometry()), name);
            // A window of its own, which does not keep the application
            // running once the main window is closed.
            QVERIFY2(!window->windowHandle()->transientParent(), name);
            QVERIFY2(!window->testAttribute(Qt::WA_QuitOnClose), name);
            QVERIFY2(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)), name);
        }

        // Minimised windows come back with their buttons.
        menu.showMinimized();
        windows.back()->showMinimized();
        view->palette()->showMinimized();
        QTRY_VERIFY(menu.isMinimized() && windows.back()->isMinimized() && view->palette()->isMinimized());
        frame_->showMonitorMenu();
        menu.openWindow(monitorWindows().back().window);
        view->showPalette();
        QVERIFY(!menu.isMinimized() && !windows.back()->isMinimized() && !view->palette()->isMinimized());
    }

    void statusMonitorFitsTheSmallScreen() {
        QVERIFY(openMainFrame(small_.topLeft() + QPoint(40, 30)));
        frame_->showMonitorMenu();
        QWidget* opened = frame_->monitorMenu().openWindow(MonitorWindow::PulseStatusMonitor);
        auto* monitor = qobject_cast<CStatusMonitorDlg*>(opened);
        QVERIFY(monitor);
        QVERIFY(small_.contains(monitor->frameGeometry()));
        // Grown by its trend, it stays on the screen.
        monitor->setTrendShown(true);
        QVERIFY(small_.contains(monitor->frameGeometry()));
    }

    void windowsReopenWhereTheyWereLeft() {
        openMainFrame();
        frame_->showMonitorMenu();
        QWidget* monitor = frame_->monitorMenu().openWindow(MonitorWindow::AlarmMonitor);
        monitor->setGeometry(700, 640, monitor->width() + 40, monitor->height() + 30);
        const QRect left = monitor->geometry();
        monitor->close();
        QTRY_VERIFY(!frame_->monitorMenu().window(MonitorWindow::AlarmMonitor));
        QCOMPARE(frame_->monitorMenu().openWindow(MonitorWindow::AlarmMonitor)->geometry(), left);

        // The main window keeps its size and the tree its width.
        frame_->resize(1200, 640);
        frame_->findChild<QSplitter*>()->setSizes({260, 900});
        QVERIFY(frame_->close());
        openMainFrame();
        QCOMPARE(frame_->size(), QSize(1200, 640));
        QCOMPARE(frame_->navigationTree().width(), 260);
    }

    void cleanupTestCase() {
        frame_.reset();
        state_.reset();
    }
};

// Two screens side by side, with the offscreen platform's window frames.
int main(int argc, char** argv) {
    QTemporaryDir root;
    vantrel::test::useTemporaryUserFolders(root);
    QFile config(root.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly)) return 2;
    config.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "large", "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96, "dpr": 1},
        {"name": "small", "x": 1600, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    QApplication application(argc, argv);
    WindowPlacesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowPlacesTest.moc"
