#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// Counter set values: the rules live in CounterModel.
class CCounterView : public ui::CGridView {
    Q_OBJECT
public:
    CCounterView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
