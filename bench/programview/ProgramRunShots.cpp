// Saves a picture of the default programs running on the simulated controller
// the demo runs: the program editor in automatic-run mode with the running
// step in yellow, beside the pulse-train status monitor while the axes move.
// Run under a virtual X display (scripts/screenshots.sh).
//
//   program_run_shots [FOLDER]   (default "program-shots")

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "ShotSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "online/CStatusMonitorDlg.h"
#include "platform/AppFolders.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/StepTableItemModel.h"
#include "sim/ControllerSim.h"
#include "ui/TitledPicture.h"

using namespace vantrel;

namespace {

bool yellowRow(const CProgramView& view) {
    for (int row = 0; row < view.model()->rowCount(); ++row)
        if (view.model()->index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color() == QColor(255, 255, 0))
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("program-shots");
    QDir().mkpath(folder);
    ensureDataFolder();

    // As `vantrel --demo`: the stand-alone machine holding the default programs.
    ControllerSim sim;
    sim.useStandAloneMachine();
    if (!sim.loadDefaultPrograms()) {
        std::fprintf(stderr, "program_run_shots: no default programs beside the program\n");
        return 1;
    }
    AppState state;
    CStatusMonitorDlg* monitor = nullptr;
    return bench::runConnected(sim, state, 1180, 760, "program_run_shots", [&](CMainFrame& frame) {
        frame.chooseView(ViewKind::ProgramEditor);
        auto* view = qobject_cast<CProgramView*>(frame.currentView());
        if (!view) {
            std::fprintf(stderr, "program_run_shots: no program view\n");
            qApp->exit(1);
            return;
        }
        // Program 100 shown, no row selected: the running row is the only coloured one.
        // (as a choice in the number list: the list shows it, the view loads it).
        const int main100 = view->numberList()->findText(QStringLiteral("100"));
        view->numberList()->setCurrentIndex(main100);
        view->chooseProgram(main100);
        frame.setRequestedMode(2);
        bench::when([view] { return view->modeField()->text() == QStringLiteral("自動実行モード"); },
                    [&frame, &state, &monitor, view] {
                        view->table()->clearSelection();
                        frame.startProgram();
                        monitor = new CStatusMonitorDlg(state, &frame);
                        monitor->setAttribute(Qt::WA_DeleteOnClose);
                        monitor->show();
                    },
                    50);
        // Past the home return, with both axes on their way and the task on a move step.
        bench::when(
            [&sim, view] {
                const SimStatus s = sim.status();
                return s.runFlags[0] == 100 && s.stepValues[0] == 6 && s.pulseAxes[0].commandSpeed != 0 &&
                       s.pulseAxes[1].commandSpeed != 0 && s.pulseAxes[0].commandPosition > 10000 && yellowRow(*view);
            },
            [&frame, &monitor, folder] {
                QTimer::singleShot(120, &frame, [&frame, &monitor, folder] {  // one more refresh of both windows
                    const QPixmap left = ui::titledPicture(frame);
                    const QPixmap right = ui::titledPicture(*monitor);
                    QPixmap picture(left.width() + 12 + right.width(), std::max(left.height(), right.height()));
                    picture.fill(QColor(0x20, 0x20, 0x28));
                    QPainter painter(&picture);
                    painter.drawPixmap(0, 0, left);
                    painter.drawPixmap(left.width() + 12, 0, right);
                    painter.end();
                    const QString path = QDir(folder).filePath(QStringLiteral("program-auto-run.png"));
                    const bool saved = picture.save(path);
                    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
                    frame.stopProgram();
                    qApp->exit(saved ? 0 : 1);
                });
            },
            50);
    });
}
