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

namespace vantrel {

namespace {
// A maker of a view that edits the run's settings image and queues its
// controller writes on the run's request queues.
template <class View>
ViewFactory::Maker makerOf() {
    return [](AppState& state, QWidget* parent) -> QWidget* { return new View(state.image, &state.queues, parent); };
}
}  // namespace

void registerSettingsViews(ViewFactory& factory) {
    factory.add(ViewKind::PulseAxisSettings, makerOf<CDriverSettingView>());
    factory.add(ViewKind::NetworkAxisSettings, makerOf<CRivoSettingView>());
    factory.add(ViewKind::PulsePointTable, makerOf<CPointView>());
    factory.add(ViewKind::NetworkPointTable, makerOf<CRivoPointView>());
    factory.add(ViewKind::Timers, makerOf<CTimerView>());
    factory.add(ViewKind::MovableRangeAndAreas, makerOf<CProhibitAreaView>());
    factory.add(ViewKind::SensorInputLogic, makerOf<IoRogicView>());
    factory.add(ViewKind::Counters, makerOf<CCounterView>());
}

}  // namespace vantrel
