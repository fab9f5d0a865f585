#pragma once

#include <array>

#include <QWidget>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/RivoSettingModel.h"

class QComboBox;
class QPlainTextEdit;

namespace vantrel {

namespace ui {
class CGridView;
}

// Network settings: the three line settings as drop-down fields above the
// table of the drivers' connected models. The rules live in RivoSettingModel.
class CRivoSettingView : public QWidget {
    Q_OBJECT
public:
    CRivoSettingView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);

    ui::CGridView* grid() const { return grid_; }
    RivoSettingModel& model() const { return *model_; }
    QComboBox* lineField(RivoSettingModel::LineField field) const { return boxes_[static_cast<std::size_t>(field)]; }
    QString lineHelpText() const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showLineFields();

    RivoSettingModel* model_ = nullptr;  // owned by the grid
    EditRecorder* recorder_ = nullptr;
    ui::CGridView* grid_ = nullptr;
    std::array<QComboBox*, 3> boxes_{};
    QPlainTextEdit* lineHelp_ = nullptr;
};

}  // namespace vantrel
