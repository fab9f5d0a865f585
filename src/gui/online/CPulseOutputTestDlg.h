#pragma once

#include "online/COutputTestWindow.h"

namespace vantrel {

// The pulse-train axis output test: the five driver outputs of each of the
// four axes as toggles, refreshed every 100 ms.
class CPulseOutputTestDlg : public COutputTestWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 100;
    explicit CPulseOutputTestDlg(AppState& state, QWidget* parent = nullptr);
};

}  // namespace vantrel
