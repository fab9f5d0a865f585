// The windows in English: the whole screenshot tour shows no Japanese text of
// the system, and a switch of the language renews the windows already open.

#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

#include "MainFrameTestSupport.h"
#include "online/CMonitorMenuDlg.h"
#include "platform/UserProfile.h"
#include "ui/CGridView.h"
#include "ui/GuiLanguage.h"
#include "ui/VisibleTexts.h"

namespace vantrel::test {

class LanguageTest : public QObject, public MainFrameFixture {
    Q_OBJECT

    // The texts of these windows that still hold Japanese.
    static QStringList japaneseIn(std::initializer_list<QWidget*> windows) {
        QStringList left;
        for (QWidget* window : windows)
            for (const QString& text : ui::visibleTexts(*window))
                if (ui::holdsJapanese(text)) left << text;
        return left;
    }

    static QStringList menuTitles(const QMainWindow& window) {
        QStringList titles;
        for (const QAction* item : window.menuBar()->actions()) titles << item->text();
        return titles;
    }

private slots:
    void cleanup() {
        stopMainFrame();
        ui::setGuiLanguage(*qApp, Language::Japanese);
    }

    // The program's own tour (every dialog, the online windows against its
    // simulated controller, the main window) reports each Japanese text it
    // finds in a window it saves.
    void theTourShowsEveryWindowInEnglish() {
        QTemporaryDir pictures;
        QProcess run;
        run.start(QStringLiteral(VANTREL_BIN_DIR "/vantrel"), {QStringLiteral("--lang"), QStringLiteral("en"),
                                                               QStringLiteral("--screenshot-dir"), pictures.path()});
        QVERIFY(run.waitForStarted());
        QVERIFY2(run.waitForFinished(120000), "the tour did not end");
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        QCOMPARE(run.exitCode(), 0);
        QStringList japanese;
        for (const QString& line : err.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("vantrel: Japanese text in "))) japanese << line;
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QLatin1Char('\n'))));
        // The tour went through to its last picture.
        for (const char* picture :
             {"initialise-dialog.png", "status-monitor.png", "jog-pulse-axis.png", "main-window.png"})
            QVERIFY2(QFile::exists(pictures.filePath(QString::fromLatin1(picture))), picture);
    }

    // The main window, the monitor menu and two monitors are open; a switch
    // renews their fixed and computed texts at once, and the choice is kept.
    void switchingRenewsTheOpenWindows() {
        ui::setGuiLanguage(*qApp, Language::Japanese);
        startMainFrame();
        showMainFrame();
        connectAndRead();
        frame_->chooseView(ViewKind::PulseAxisSettings);
        CMonitorMenuDlg& menu = frame_->monitorMenu();
        menu.show();
        QWidget* status = menu.openWindow(MonitorWindow::PulseStatusMonitor);
        QWidget* io = menu.openWindow(MonitorWindow::IoMonitor);
        QVERIFY(status && io);
        QVERIFY(!japaneseIn({frame_.get(), &menu, status, io}).isEmpty());

        frame_->chooseLanguage(Language::English);
        QTRY_VERIFY2(japaneseIn({frame_.get(), &menu, status, io}).isEmpty(),
                     qPrintable(japaneseIn({frame_.get(), &menu, status, io}).join(QLatin1Char('\n'))));
        QVERIFY(menuTitles(*frame_).contains(QStringLiteral("&File")));
        QCOMPARE(UserProfile().language(), std::string("en"));
        // The settings grid widened its columns to its longer English texts.
        const QTableView& grid = *ui::CGridView::gridsIn(frame_->currentView()).front()->table();
        const QFontMetrics metrics = grid.fontMetrics();
        for (int row = 0; row < grid.model()->rowCount(); ++row) {
            const QString label = grid.model()->headerData(row, Qt::Vertical).toString();
            QVERIFY2(metrics.horizontalAdvance(label) < grid.verticalHeader()->width(), qPrintable(label));
            for (int column = 0; column < grid.model()->columnCount(); ++column) {
                const QString text = grid.model()->index(row, column).data().toString();
                QVERIFY2(metrics.horizontalAdvance(text) < grid.columnWidth(column), qPrintable(text));
            }
        }

        frame_->chooseLanguage(Language::Japanese);
        QTRY_VERIFY(menuTitles(*frame_).contains(QStringLiteral("通信(&C)")));
        QVERIFY(status->windowTitle().contains(QStringLiteral("モニタ")));
        QCOMPARE(UserProfile().language(), std::string("ja"));
    }
};

}  // namespace vantrel::test

VANTREL_GUI_TEST_MAIN(vantrel::test::LanguageTest)
#include "LanguageTest.moc"
