#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The editor shown in the main window's right pane. Any other value shows an
// empty pane.
enum class ViewKind : int {
    None = 0,
    PulseAxisSettings = 4,
    NetworkAxisSettings = 5,
    ProgramEditor = 7,
    PulsePointTable = 10,
    NetworkPointTable = 11,
    Timers = 12,
    MovableRangeAndAreas = 13,
    SensorInputLogic = 14,
    Counters = 15,
};

// One node of the navigation tree: its text, its view (None for a folder)
// and its children, in display order.
struct NavigationEntry {
    std::string text;
    ViewKind kind = ViewKind::None;
    std::vector<NavigationEntry> children;
};

// The tree: "メニュー" with the axis settings, the parameters and the program editor.
NavigationEntry navigationTree();

// What choosing a view does, given the view shown now and whether the
// program is compiled (false while a program is being edited).
enum class ViewSwitch {
    Stay,         // the program editor chosen while it is shown
    AskFirst,     // leaving an edited program: ask, and on no re-select the program editor
    Switch,       // replace the right pane
};
ViewSwitch decideViewSwitch(ViewKind current, ViewKind chosen, bool programCompiled);

// The question asked before leaving a program that is being edited.
inline constexpr const char* kLeaveProgramQuestion = "プログラム編集中ですが、画面を切り換えますか？";
inline constexpr const char* kLeaveProgramTitle = "プログラム編集確認";

}  // namespace vantrel
