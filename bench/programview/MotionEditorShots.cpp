// Saves pictures of every motion command editor, opened through the program
// view as the user opens them: once from its palette button on a new step
// ("editor-<code>-<keyword>-new.png") and once by a double-click on a step
// of each code ("...-existing.png"). The demo image has axis 1 in mm, axis 2
// in steps and axis 3 in degrees, so the unit labels differ. Run under a
// virtual X display (scripts/screenshots.sh).
//
//   motion_editor_shots [FOLDER]   (default "motion-editor-shots")

#include <algorithm>
#include <cstdio>
#include <set>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "ProgramDemo.h"
#include "ShotSupport.h"
#include "app/AppState.h"
#include "commands/CommandEditorDialog.h"
#include "commands/RegisterCommandEditors.h"
#include "platform/AnsiText.h"
#include "platform/AppFolders.h"
#include "program/CCommandPalette.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/CommandCode.h"
#include "ui/MessageBox.h"

using namespace vantrel;

namespace {

// One step of every code with a motion editor (MOVE on P0305 is code 28).
const char* const kMotionSteps[] = {
    "\tMOVE\tA1,A2 P1001 ",      "\tMOVEP\tA1,A3 P1002 ",      "\tMOVE\tA1,A2 P0305 ",   "\tMOVEP\tI A2 P0306 ",
    "\tHOME\tA1,A2 ",            "\tHOMEP\tA3 ",               "\tBREAK\tA1,A4 ",        "\tPATH\tON,A1 1.50,A2 0.25 ",
    "\tACC\tON,A1 3,A2 5",       "\tLINE\tA1,A2 P0301 ",       "\tLINEC\tA1,A3 P0302 ",  "\tARC\tA1,A2 P0303 P0304 ",
    "\tARCC\tI A1,A2 P0307 P0308 ", "\tSAV\tA2 ON",            "\tMOVE2P\tA3 P005 ",     "\tMOVE2\tA3 P005 ",
    "\tHOME2P\tA1 ",             "\tHOME2\tA2 ",               "\tBREAK2\tA4 ",          "\tSAV2\tA5 OFF",
    "\tNIORD\tA6 ",              "\tSHIFT\tON 1 P083 ",        "\tPRST\tA1,A3 ",
};

bool isMotionEditor(CommandEditorKind kind) {
    switch (kind) {
    case CommandEditorKind::AxisMove: case CommandEditorKind::PointMove: case CommandEditorKind::Home:
    case CommandEditorKind::Acceleration: case CommandEditorKind::LinearInterpolation:
    case CommandEditorKind::ArcInterpolation: case CommandEditorKind::Pass: case CommandEditorKind::AxisStop:
    case CommandEditorKind::Excitation: case CommandEditorKind::NetworkMove: case CommandEditorKind::NetworkAxisCommand:
    case CommandEditorKind::Shift: case CommandEditorKind::PositionPreset:
        return true;
    default:
        return false;
    }
}

SettingsImage shotsImage() {
    SettingsImage image = bench::programDemoImage();
    // Driver 3 in mm with a 1:1 ratio, its point 5 absolute.
    NetworkDriverRecord driver(image, 2);
    driver.setUnit(0);
    driver.setRatio1(1);
    driver.setRatio2(1);
    driver.point(4).setMode(1);
    driver.point(4).setPosition(12345);
    driver.point(4).setSpeed(5000);
    driver.point(4).setAccelTime(250);
    driver.point(4).setDecelTime(300);
    // Shift point 083, and the homing speeds.
    PositionRecord(image, 0, 82).setPosition(-1250);
    PositionRecord(image, 1, 82).setPosition(400);
    PositionRecord(image, 2, 82).setPosition(4500);
    for (int axis = 0; axis < 4; ++axis) PositionRecord(image, axis, 252).setSpeed(static_cast<std::uint8_t>(50 + 10 * axis));
    for (int entry = 0; entry < 26; ++entry)
        for (int axis = 0; axis < 4; ++axis) PulseAxisRecord(image, axis).setAccelTime(entry, 10 + 20u * entry);
    return image;
}

QString shotName(int code, const char* state) {
    return QStringLiteral("editor-%1-%2-%3.png")
        .arg(code, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(commandKeyword(code).data(), static_cast<qsizetype>(commandKeyword(code).size())))
        .arg(QLatin1String(state));
}

// Opens an editor with `open` and saves it once it shows, then closes it.
void shoot(const QString& name, const std::function<void()>& open) {
    bool saved = false;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, name, &saved] {
        auto* dialog = qobject_cast<CommandEditorDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        bench::saveShot(*dialog, name);
        saved = true;
        dialog->reject();
    });
    timer->start(20);
    open();
    if (!saved) {
        std::fprintf(stderr, "motion_editor_shots: no editor opened for %s\n", qPrintable(name));
        bench::markShotFailed();
        timer->deleteLater();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::setShotFolder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("motion-editor-shots"));
    ensureDataFolder();
    ui::setMessageHandler([](QWidget*, const Refusal& message, ui::MessageButtons) {
        std::printf("message \"%s\"\n", message.text.c_str());
        return ui::MessageAnswer::No;
    });

    AppState state;
    state.image = shotsImage();
    std::string program = "\tPROG\t#001\t;motion\r\n";
    for (const char* step : kMotionSteps) program += std::string(step) + "\r\n";
    program += "\tEND\t\r\n";
    if (!state.programs.loadText(program)) {
        std::fprintf(stderr, "motion_editor_shots: the demo program was refused\n");
        return 1;
    }
    CProgramView view(state, commandEditors(), CProgramView::Host{});
    view.resize(1000, 700);
    view.show();

    QTimer::singleShot(300, &view, [&view, &state] {
        // New steps: the first button of every code, from the palette.
        std::set<int> shotCodes;
        const auto catalogue = paletteCatalogue();
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            const PaletteEntry& entry = catalogue[i];
            if (entry.action != PaletteAction::OpenEditor || !isMotionEditor(entry.editor)) continue;
            if (!shotCodes.insert(entry.code).second) continue;
            view.table()->selectSingleRow(state.programs.current().stepsInUse());
            CCommandPalette* palette = view.palette();
            const int page = static_cast<int>(std::find(palettePages().begin(), palettePages().end(), entry.button.page) -
                                              palettePages().begin());
            palette->showPage(page);
            QPushButton* button = palette->page(page)->button(static_cast<int>(i));
            shoot(shotName(entry.code, "new"), [button] { button->click(); });
        }
        // Existing steps: a double-click on each.
        const int steps = state.programs.current().stepsInUse();
        for (int row = 0; row < steps; ++row) {
            const int code = state.programs.current().step(row).code;
            if (code == kCodeEnd) continue;
            view.table()->selectSingleRow(row);
            shoot(shotName(code, "existing"), [&view, row] { view.editStep(row); });
        }
        qApp->exit(bench::allShotsSaved() ? 0 : 1);
    });
    QTimer::singleShot(60000, &app, [] {
        std::fprintf(stderr, "motion_editor_shots: gave up waiting\n");
        qApp->exit(1);
    });
    const int exitCode = app.exec();
    ui::setMessageHandler({});
    return exitCode;
}
