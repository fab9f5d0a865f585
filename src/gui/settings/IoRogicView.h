#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// Sensor input logic (contact A / B of HOMES, +LS, -LS): the rules live in IoRogicModel.
class IoRogicView : public ui::CGridView {
    Q_OBJECT
public:
    IoRogicView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
