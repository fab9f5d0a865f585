#include "settings/CDriverSettingView.h"

#include <memory>

#include "settings/DriverSettingModel.h"

namespace vantrel {

CDriverSettingView::CDriverSettingView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<DriverSettingModel>(image, sink), parent) {}

}  // namespace vantrel
