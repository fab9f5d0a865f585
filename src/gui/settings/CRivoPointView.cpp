#include "settings/CRivoPointView.h"

#include <memory>

#include "settings/RivoPointModel.h"

namespace vantrel {

CRivoPointView::CRivoPointView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : ui::CGridView(std::make_unique<RivoPointModel>(image, sink), parent) {}

}  // namespace vantrel
