#include "settings/CCounterView.h"

#include <memory>

#include "settings/CounterModel.h"

namespace vantrel {

CCounterView::CCounterView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<CounterModel>(image, sink), parent) {}

}  // namespace vantrel
