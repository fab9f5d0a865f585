#include "settings/CPointView.h"

#include <memory>

#include "settings/PointModel.h"

namespace vantrel {

CPointView::CPointView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<PointModel>(image, sink), parent) {}

}  // namespace vantrel
