// Where the windows open, on two screens side by side (1600 x 1000, then
// 1366 x 768 to its right): the main window at its first size, the palette
// and every online window beside the step table, the status monitor on the
// small screen, a window reopening where it was left, and no window that
// takes the main window with it when it is minimised.

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

namespace {

const QRect kLarge(0, 0, 1600, 1000);
const QRect kSmall(1600, 0, 1366, 768);

}  // namespace

class WindowPlacesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;

    void openMainFrame(const QPoint& at = {}) {
        frame_.reset();
        state_ = std::make_unique<AppState>();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        if (!at.isNull()) frame_->move(at);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }
    CProgramView* programView() {
        frame_->chooseView(ViewKind::ProgramEditor);
        QCoreApplication::processEvents();  // lays the window out around the view
        return qobject_cast<CProgramView*>(frame_->currentView());
    }
    QRect tableRect(CProgramView& view) {
        CStepTableView& table = *view.table();
        return QRect(table.mapToGlobal(QPoint(0, 0)), table.size());
    }
    std::vector<QWidget*> openEveryOnlineWindow() {
        frame_->showMonitorMenu();
        std::vector<QWidget*> windows{&frame_->monitorMenu()};
        for (const MonitorWindowEntry& entry : monitorWindows()) {
            QWidget* window = frame_->monitorMenu().openWindow(entry.window);
            if (!window) qFatal("an online window did not open");
            windows.push_back(window);
        }
        return windows;
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        QFile::remove(QString::fromStdString(UserProfile().path()));
    }
    void cleanup() {
        frame_.reset();
        state_.reset();
        recorder_.reset();
    }

    void paletteAndOnlineWindowsOpenBesideTheStepTable() {
        openMainFrame();
        QCOMPARE(frame_->frameGeometry().topLeft(), kLarge.topLeft());
        CProgramView* view = programView();
        QVERIFY(view);
        QTRY_VERIFY(view->palette()->isVisible());
        const QRect table = tableRect(*view);
        std::vector<QWidget*> windows = openEveryOnlineWindow();
        windows.push_back(view->palette());
        for (QWidget* window : windows) {
            const QString name = window->windowTitle();
            QVERIFY2(!window->frameGeometry().intersects(table), qPrintable(name));
            QVERIFY2(kLarge.contains(window->frameGeometry()), qPrintable(name));
        }
    }

    void statusMonitorFitsTheSmallScreen() {
        openMainFrame(kSmall.topLeft() + QPoint(40, 30));
        QVERIFY(programView());
        frame_->showMonitorMenu();
        QWidget* monitor = frame_->monitorMenu().openWindow(MonitorWindow::PulseStatusMonitor);
        QVERIFY(monitor);
        QVERIFY(kSmall.contains(monitor->frameGeometry()));
        // Grown by its trend, it stays on the screen.
        qobject_cast<CStatusMonitorDlg*>(monitor)->setTrendShown(true);
        QVERIFY(kSmall.contains(monitor->frameGeometry()));
    }

    void treeLabelsAreWholeAtTheFirstSize() {
        openMainFrame();
        QVERIFY(programView());
        QTreeWidget& tree = frame_->navigationTree();
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            const QRect item = tree.visualItemRect(*it);
            const int right = item.left() + tree.fontMetrics().horizontalAdvance((*it)->text(0));
            QVERIFY2(right <= tree.viewport()->width(), qPrintable((*it)->text(0)));
        }
    }

    void windowsReopenWhereTheyWereLeft() {
        openMainFrame();
        frame_->showMonitorMenu();
        QWidget* monitor = frame_->monitorMenu().openWindow(MonitorWindow::AlarmMonitor);
        QVERIFY(monitor);
        monitor->move(700, 640);
        monitor->resize(monitor->width() + 40, monitor->height() + 30);
        const QRect left = monitor->geometry();
        monitor->close();
        QTRY_VERIFY(!frame_->monitorMenu().window(MonitorWindow::AlarmMonitor));
        monitor = frame_->monitorMenu().openWindow(MonitorWindow::AlarmMonitor);
        QCOMPARE(monitor->geometry(), left);

        // The main window keeps its size and the tree its width.
        frame_->resize(1200, 640);
        frame_->findChild<QSplitter*>()->setSizes({260, 900});
        QVERIFY(frame_->close());
        frame_.reset();
        openMainFrame();
        QCOMPARE(frame_->size(), QSize(1200, 640));
        QCOMPARE(frame_->navigationTree().width(), 260);
    }

    void noWindowTakesTheMainWindowWithItWhenMinimised() {
        openMainFrame();
        CProgramView* view = programView();
        QVERIFY(view);
        std::vector<QWidget*> windows = openEveryOnlineWindow();
        windows.push_back(view->palette());
        for (QWidget* window : windows) {
            QVERIFY2(!window->windowHandle()->transientParent(), qPrintable(window->windowTitle()));
            QVERIFY2(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)),
                     qPrintable(window->windowTitle()));
        }
        // A minimised window comes back with its button.
        CMonitorMenuDlg& menu = frame_->monitorMenu();
        menu.showMinimized();
        QTRY_VERIFY(menu.isMinimized());
        frame_->showMonitorMenu();
        QVERIFY(!menu.isMinimized());
        QWidget* monitor = menu.window(MonitorWindow::IoMonitor);
        monitor->showMinimized();
        QTRY_VERIFY(monitor->isMinimized());
        QCOMPARE(menu.openWindow(MonitorWindow::IoMonitor), monitor);
        QVERIFY(!monitor->isMinimized());
        view->palette()->showMinimized();
        QTRY_VERIFY(view->palette()->isMinimized());
        view->showPalette();
        QVERIFY(!view->palette()->isMinimized());
    }
};

// Two screens side by side; the window manager's frame is the offscreen
// platform's own.
int main(int argc, char** argv) {
    QTemporaryDir root;
    vantrel::test::useTemporaryUserFolders(root);
    const QString config = root.path() + QStringLiteral("/screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "large", "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "small", "x": 1600, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication application(argc, argv);
    WindowPlacesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowPlacesTest.moc"
