#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// The pulse-train point table PT1001..PT2000: the rules live in PointModel.
class CPointView : public ui::CGridView {
    Q_OBJECT
public:
    CPointView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
