#pragma once

#include <functional>
#include <map>

#include "app/NavigationEntries.h"

class QWidget;

namespace vantrel {

struct AppState;

// Where the editors of the navigation tree come from. The main window asks it
// for the view of the chosen kind each time a view is shown or rebuilt (a
// fresh view reads the settings image anew); a kind nobody registered shows
// an empty right pane.
//
// Registering a settings view (src/gui/settings): define
//     void registerSettingsViews(vantrel::ViewFactory& factory)
// in src/gui/settings/RegisterSettingsViews.cpp (makeViewFactory calls it)
// and add one maker per view kind, for example
//     factory.add(ViewKind::Timers, [](AppState& state, QWidget* parent) {
//         return new ui::CGridView(std::make_unique<TimerModel>(state.image, &state.queues), parent);
//     });
// The maker gets the run's state (settings image, request queues as the
// ControllerWriteSink, link, status) and the pane as parent.
class ViewFactory {
public:
    using Maker = std::function<QWidget*(AppState& state, QWidget* parent)>;

    void add(ViewKind kind, Maker maker) { makers_[kind] = std::move(maker); }
    // A new view, or null when the kind has none.
    QWidget* create(ViewKind kind, AppState& state, QWidget* parent) const {
        const auto found = makers_.find(kind);
        return found == makers_.end() ? nullptr : found->second(state, parent);
    }

private:
    std::map<ViewKind, Maker> makers_;
};

// Defined by the settings views (src/gui/settings/RegisterSettingsViews.cpp).
void registerSettingsViews(ViewFactory& factory);
// Defined by the program editor (src/gui/program/RegisterProgramView.cpp).
void registerProgramView(ViewFactory& factory);

}  // namespace vantrel
