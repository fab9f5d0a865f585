#include "app/AppState.h"
#include "app/ViewFactory.h"
#include "settings/CCounterView.h"
#include "settings/CDriverSettingView.h"
#include "settings/CPointView.h"
#include "settings/CProhibitAreaView.h"
#include "settings/CRivoPointView.h"
#include "settings/CRivoSettingView.h"
#include "settings/CTimerView.h"
#include "settings/IoRogicView.h"
#include "ui/CGridView.h"

namespace vantrel {

namespace {
// Adds the maker of a view that edits the run's settings image and queues its
// controller writes through the undo history onto the run's request queues.
// Each cell committed in one of its tables is one undoable edit; the tables
// of a view with two are its pages 0 and 1.
template <class View>
void addView(ViewFactory& factory, ViewKind kind) {
    factory.add(kind, [kind](AppState& state, QWidget* parent) -> QWidget* {
        auto* view = new View(state.image, &state.history, parent);
        const QList<ui::CGridView*> grids = ui::CGridView::gridsIn(view);
        for (qsizetype page = 0; page < grids.size(); ++page)
            grids[page]->setEditRecorder(&state.history,
                                         EditPlace::cell(static_cast<int>(kind), static_cast<int>(page), -1, -1));
        return view;
    });
}
}  // namespace

void registerSettingsViews(ViewFactory& factory) {
    addView<CDriverSettingView>(factory, ViewKind::PulseAxisSettings);
    addView<CRivoSettingView>(factory, ViewKind::NetworkAxisSettings);
    addView<CPointView>(factory, ViewKind::PulsePointTable);
    addView<CRivoPointView>(factory, ViewKind::NetworkPointTable);
    addView<CTimerView>(factory, ViewKind::Timers);
    addView<CProhibitAreaView>(factory, ViewKind::MovableRangeAndAreas);
    addView<IoRogicView>(factory, ViewKind::SensorInputLogic);
    addView<CCounterView>(factory, ViewKind::Counters);
}

}  // namespace vantrel
