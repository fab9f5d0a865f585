#include "settings/IoRogicView.h"

#include <memory>

#include "settings/IoRogicModel.h"

namespace vantrel {

IoRogicView::IoRogicView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<IoRogicModel>(image, sink), parent) {}

}  // namespace vantrel
