#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// Timers T1..T100: the rules live in TimerModel.
class CTimerView : public ui::CGridView {
    Q_OBJECT
public:
    CTimerView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
