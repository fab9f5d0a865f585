#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// Pulse-train axis settings: the rules live in DriverSettingModel.
class CDriverSettingView : public ui::CGridView {
    Q_OBJECT
public:
    CDriverSettingView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
