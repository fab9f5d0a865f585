// Saves pictures of the program editor against the simulated controller over
// a real pseudo-terminal: the editor with a listing of moves in mm and step
// units, the palette on each of its five pages, the program list, the label
// and comment editors, the flow-control, I/O, timer, counter and calculation
// editors, a compile error shown red and the running step of the
// step-run mode. Run under a virtual X display (shots.sh).
//
//   program_view_shots [FOLDER]   (default "program-shots")

#include <cstdio>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "CommandEditorShots.h"
#include "ProgramDemo.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "commands/CCommentDlg.h"
#include "commands/CLabelDlg.h"
#include "platform/AppFolders.h"
#include "program/CCommandPalette.h"
#include "program/CProgManage.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/StepTableItemModel.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "ui/MessageBox.h"

using namespace vantrel;

namespace {

QString folder;
bool allSaved = true;

// Without a window manager a window has no frame: the picture gets a plain
// title bar with the window's title, so the title can be checked.
void save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QPixmap content = widget.grab();
    const int titleHeight = widget.fontMetrics().height() + 10;
    QPixmap picture(content.width(), content.height() + titleHeight);
    picture.fill(QColor(0x3C, 0x3C, 0x46));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, content.width() - 16, titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     widget.window()->windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    painter.end();
    const QString path = QDir(folder).filePath(name);
    const bool saved = picture.save(path);
    allSaved = allSaved && saved;
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
}

// Calls `then` once `done` holds, checking every 100 ms.
void when(const std::function<bool()>& done, const std::function<void()>& then) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, done, then] {
        if (!done()) return;
        timer->stop();
        timer->deleteLater();
        then();
    });
    timer->start(100);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("program-shots");
    QDir().mkpath(folder);
    ensureDataFolder();

    ControllerSim sim(bench::programDemoImage());
    sim.setProgramFile(bench::demoPrograms());
    PtyServer server(sim);
    if (!server.start()) {
        std::fprintf(stderr, "program_view_shots: the simulated controller could not be started\n");
        return 1;
    }
    AppState state;
    state.portOverride = server.portName();

    bool readDone = false;
    ui::setMessageHandler([&readDone](QWidget*, const Refusal& message, ui::MessageButtons buttons) {
        std::printf("message \"%s\" (%s)\n", message.text.c_str(), message.title.c_str());
        if (message.text == "読込完了しました。") readDone = true;
        return buttons == ui::MessageButtons::Ok ? ui::MessageAnswer::Ok : ui::MessageAnswer::No;
    });
    int exitCode = 1;
    {
        CMainFrame frame(state, makeViewFactory());
        MainFramePrompts prompts = MainFramePrompts::dialogs();
        prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
        frame.setPrompts(prompts);
        frame.resize(1280, 720);
        frame.show();
        QTimer::singleShot(300, &frame, [&frame] { frame.connectController(); });
        when([&readDone] { return readDone; }, [&] {
            frame.chooseView(ViewKind::ProgramEditor);
            auto* view = qobject_cast<CProgramView*>(frame.currentView());
            if (!view) {
                std::fprintf(stderr, "program_view_shots: no program view\n");
                qApp->exit(1);
                return;
            }
            view->table()->selectSingleRow(4);
            save(frame, QStringLiteral("program-editor.png"));
            CCommandPalette* palette = view->palette();
            for (int page = 0; page < static_cast<int>(palettePages().size()); ++page) {
                palette->showPage(page);
                palette->adjustSize();
                save(*palette, QStringLiteral("palette-page-%1.png").arg(page + 1));
            }
            palette->showPage(0);
            {
                CProgManage list(state.programs, state.image, &state.queues, &frame);
                list.show();
                save(list, QStringLiteral("program-list.png"));
            }
            {
                CLabelDlg label(LabelEditor(LabelEditor::Mode::SetLabel, state.steps.labelsInUseAll(), {}), &frame);
                label.show();
                save(label, QStringLiteral("label-editor.png"));
                CCommentDlg comment(QStringLiteral("コメント入力"), state.programs.current().step(1).comment, {}, &frame);
                comment.show();
                save(comment, QStringLiteral("comment-editor.png"));
            }
            bench::saveCommandEditorShots(*view, save);
            // The controller refuses the programs: label error in program 1 at step index 8.
            sim.setCompileError(ControllerSim::CompileError{5, 12, 1, 3});
            view->compilePrograms();
            QTimer::singleShot(300, &frame, [&frame, &sim, view] {
                save(frame, QStringLiteral("compile-error.png"));
                // Step-run mode: a task of the controller runs program 1 at step index 5.
                frame.setRequestedMode(1);
                SimStatus status = sim.status();
                status.runFlags[0] = 1;
                status.stepValues[0] = 5;
                sim.setStatus(status);
                when([view] { return view->model()->index(5, 0).data(Qt::BackgroundRole).isValid(); }, [&frame] {
                    save(frame, QStringLiteral("program-step-run.png"));
                    qApp->exit(allSaved ? 0 : 1);
                });
            });
        });
        QTimer::singleShot(60000, &app, [] {
            std::fprintf(stderr, "program_view_shots: gave up waiting\n");
            qApp->exit(1);
        });
        exitCode = app.exec();
        frame.shutdownLink();
    }
    ui::setMessageHandler({});
    server.stop();
    return exitCode;
}
