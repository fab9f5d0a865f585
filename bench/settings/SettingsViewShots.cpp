// Saves a picture of every settings view, filled from a demo image, into the
// folder named on the command line (default "settings-shots").
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTableView>
#include <QWidget>

#include "SettingsViewSet.h"
#include "app/AppState.h"
#include "app/ViewFactory.h"
#include "settings/CProhibitAreaView.h"
#include "settings/DriverSettingModel.h"
#include "ui/CGridView.h"

using namespace vantrel;

namespace {
bool save(QWidget& widget, const QString& path) {
    QApplication::processEvents();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("settings-shots");
    QDir().mkpath(folder);
    AppState state;
    state.image = bench::demoImage();
    ViewFactory factory;
    registerSettingsViews(factory);
    bool ok = true;
    for (const auto& entry : bench::settingsViews()) {
        QWidget host;
        host.resize(1000, 640);
        QWidget* view = factory.create(entry.kind, state, &host);
        view->resize(host.size());
        host.show();
        // A selected cell shows its help beside the table.
        if (auto* grid = qobject_cast<ui::CGridView*>(view)) {
            const bool pointTable = entry.kind == ViewKind::PulsePointTable || entry.kind == ViewKind::NetworkPointTable;
            grid->selectCell(entry.kind == ViewKind::PulseAxisSettings ? 8 : 1, pointTable ? 3 : 1);
        }
        ok = save(host, QDir(folder).filePath(entry.name + ".png")) && ok;
        // The in-place editors: a text cell starts with the number alone, a
        // drop-down offers its list.
        if (entry.kind == ViewKind::PulseAxisSettings) {
            QTableView* table = static_cast<ui::CGridView*>(view)->table();
            for (const auto& [row, name] : {std::pair{DriverSettingModel::kTravelRow, "-text-editor.png"},
                                            std::pair{DriverSettingModel::kPositionUnitRow, "-choice-editor.png"}}) {
                const QModelIndex cell = table->model()->index(row - 1, 0);
                table->setCurrentIndex(cell);
                table->edit(cell);
                ok = save(host, QDir(folder).filePath(entry.name + name)) && ok;
            }
        }
        if (auto* areas = qobject_cast<CProhibitAreaView*>(view)) {
            areas->showPage(CProhibitAreaView::Page::ProhibitedAreas);
            ok = save(host, QDir(folder).filePath(entry.name + "-prohibited.png")) && ok;
        }
    }
    return ok ? 0 : 1;
}
