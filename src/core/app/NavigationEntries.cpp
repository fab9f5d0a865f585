#include "app/NavigationEntries.h"

namespace vantrel {

NavigationEntry navigationTree() {
    return {"メニュー",
            ViewKind::None,
            {
                {"軸設定",
                 ViewKind::None,
                 {{"パルス列軸設定", ViewKind::PulseAxisSettings, {}},
                  {"RIVO軸設定", ViewKind::NetworkAxisSettings, {}}}},
                {"パラメータ",
                 ViewKind::None,
                 {{"パルス列エリア設定", ViewKind::MovableRangeAndAreas, {}},
                  {"パルス列ポイント設定", ViewKind::PulsePointTable, {}},
                  {"センサ入力論理設定", ViewKind::SensorInputLogic, {}},
                  {"RIVOポイント設定", ViewKind::NetworkPointTable, {}},
                  {"タイマー設定", ViewKind::Timers, {}},
                  {"カウンタ", ViewKind::Counters, {}}}},
                {"プログラム作成", ViewKind::ProgramEditor, {}},
            }};
}

ViewSwitch decideViewSwitch(ViewKind current, ViewKind chosen, bool programCompiled) {
    if (current == ViewKind::ProgramEditor) {
        if (chosen == ViewKind::ProgramEditor) return ViewSwitch::Stay;
        if (!programCompiled) return ViewSwitch::AskFirst;
    }
    return ViewSwitch::Switch;
}

}  // namespace vantrel
