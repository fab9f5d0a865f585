// Saves pictures of the program editor against the simulated controller over
// a real pseudo-terminal: the editor with a listing of moves in mm and step
// units, the palette on each of its five pages, the program list, the label
// and comment editors, the flow-control, I/O, timer, counter and calculation
// editors, a compile error shown red and the running step of the
// step-run mode. Run under a virtual X display (shots.sh).
//
//   program_view_shots [FOLDER]   (default "program-shots")

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "CommandEditorShots.h"
#include "ShotSupport.h"
#include "ProgramDemo.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "commands/CCommentDlg.h"
#include "commands/CLabelDlg.h"
#include "platform/AppFolders.h"
#include "program/CCommandPalette.h"
#include "program/CProgManage.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/StepTableItemModel.h"
#include "sim/ControllerSim.h"

using namespace vantrel;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::setShotFolder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("program-shots"));
    ensureDataFolder();

    ControllerSim sim(bench::programDemoImage());
    sim.setProgramFile(bench::demoPrograms());
    AppState state;
    return bench::runConnected(sim, state, 1280, 720, "program_view_shots", [&](CMainFrame& frame) {
        frame.chooseView(ViewKind::ProgramEditor);
        auto* view = qobject_cast<CProgramView*>(frame.currentView());
        if (!view) {
            std::fprintf(stderr, "program_view_shots: no program view\n");
            qApp->exit(1);
            return;
        }
        view->table()->selectSingleRow(4);
        bench::saveShot(frame, QStringLiteral("program-editor.png"));
        CCommandPalette* palette = view->palette();
        for (int page = 0; page < static_cast<int>(palettePages().size()); ++page) {
            palette->showPage(page);
            palette->adjustSize();
            bench::saveShot(*palette, QStringLiteral("palette-page-%1.png").arg(page + 1));
        }
        palette->showPage(0);
        {
            CProgManage list(state.programs, state.image, &state.queues, &frame);
            list.show();
            bench::saveShot(list, QStringLiteral("program-list.png"));
        }
        {
            CLabelDlg label(LabelEditor(LabelEditor::Mode::SetLabel, state.steps.labelsInUseAll(), {}), &frame);
            label.show();
            bench::saveShot(label, QStringLiteral("label-editor.png"));
            CCommentDlg comment(QStringLiteral("コメント入力"), state.programs.current().step(1).comment, {}, &frame);
            comment.show();
            bench::saveShot(comment, QStringLiteral("comment-editor.png"));
        }
        bench::saveCommandEditorShots(*view, bench::saveShot);
        // The controller refuses the programs: label error in program 1 at step index 8.
        sim.setCompileError(ControllerSim::CompileError{5, 12, 1, 3});
        view->compilePrograms();
        QTimer::singleShot(300, &frame, [&frame, &sim, view] {
            bench::saveShot(frame, QStringLiteral("compile-error.png"));
            // Step-run mode: a task of the controller runs program 1 at step index 5.
            frame.setRequestedMode(1);
            SimStatus status = sim.status();
            status.runFlags[0] = 1;
            status.stepValues[0] = 5;
            sim.setStatus(status);
            bench::when([view] { return view->model()->index(5, 0).data(Qt::BackgroundRole).isValid(); }, [&frame] {
                bench::saveShot(frame, QStringLiteral("program-step-run.png"));
                qApp->exit(bench::allShotsSaved() ? 0 : 1);
            });
        });
    });
}
