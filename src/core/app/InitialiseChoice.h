#pragma once

#include <cstdint>
#include "data/Refusal.h"

namespace vantrel {

// What the initialise dialog ("設定初期化") resets: everything, or under
// "選択" the axis settings only or the parameters only.
class InitialiseChoice {
public:
    enum class Scope : std::uint8_t { AxisSettings = 1, Parameters = 2, All = 3 };

    // Starts on "すべて" with "軸設定のみ" as the pre-chosen selection.
    InitialiseChoice() = default;

    void chooseAll() { all_ = true; }
    void chooseSelected() { all_ = false; }
    // Picking one of the lower buttons is only possible while they are enabled.
    void chooseAxisSettingsOnly() { if (!all_) axisOnly_ = true; }
    void chooseParametersOnly() { if (!all_) axisOnly_ = false; }

    bool isAll() const { return all_; }
    bool isAxisSettingsOnly() const { return axisOnly_; }
    // "軸設定のみ" and "パラメータのみ" are enabled only under "選択".
    bool lowerButtonsEnabled() const { return !all_; }

    // The initialise request's argument byte (3 all, 1 axis settings, 2 parameters).
    Scope scope() const;
    std::uint8_t scopeCode() const { return static_cast<std::uint8_t>(scope()); }
    // The yes/no question asked before anything is reset, titled "確認".
    Refusal question() const;

private:
    bool all_ = true;
    bool axisOnly_ = true;
};

}  // namespace vantrel
