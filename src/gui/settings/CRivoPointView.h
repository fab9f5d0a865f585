#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "ui/CGridView.h"

namespace vantrel {

// The network point table: the rules live in RivoPointModel.
class CRivoPointView : public ui::CGridView {
    Q_OBJECT
public:
    CRivoPointView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);
};

}  // namespace vantrel
