#include "settings/CTimerView.h"

#include <memory>

#include "settings/TimerModel.h"

namespace vantrel {

CTimerView::CTimerView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<TimerModel>(image, sink), parent) {}

}  // namespace vantrel
