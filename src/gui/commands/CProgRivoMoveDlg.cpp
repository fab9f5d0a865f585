#include "commands/CProgRivoMoveDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgRivoMoveDlg::CProgRivoMoveDlg(NetworkMoveEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    axes_ = new QComboBox(this);
    axes_->setMaxVisibleItems(16);
    bindChoice(axes_, [this](int index) { model_.chooseAxis(index); });
    points_ = new QComboBox(this);
    points_->setMaxVisibleItems(20);
    bindChoice(points_, [this](int index) { model_.choosePoint(index); });
    mode_ = newReadOnlyField(110);
    position_ = newReadOnlyField(110);
    speed_ = newReadOnlyField(110);
    accel_ = newReadOnlyField(110);
    decel_ = newReadOnlyField(110);
    positionUnit_ = new QLabel(this);
    speedUnit_ = new QLabel(this);
    positionUnit_->setMinimumWidth(40);
    speedUnit_->setMinimumWidth(40);

    auto* grid = new QGridLayout;
    const auto addRow = [this, grid](int row, const char* label, QWidget* field, QWidget* unit = nullptr) {
        grid->addWidget(new QLabel(motion::text(label), this), row, 0);
        grid->addWidget(field, row, 1);
        if (unit) grid->addWidget(unit, row, 2);
    };
    addRow(0, motion::kAxisNumberText, axes_);
    addRow(1, motion::kPointNumberText, points_);
    grid->setRowMinimumHeight(2, 8);
    addRow(3, motion::kModeColumnText, mode_);
    addRow(4, motion::kPositionText, position_, positionUnit_);
    addRow(5, motion::kSpeedText, speed_, speedUnit_);
    addRow(6, motion::kAccelTimeText, accel_);
    addRow(7, motion::kDecelTimeText, decel_);
    finishLayout(grid, axes_);
}

void CProgRivoMoveDlg::showModel() {
    showChoices(axes_, model_.axisChoices());
    showChoices(points_, model_.pointChoices());
    showText(mode_, model_.modeText());
    showText(position_, model_.positionText());
    showText(speed_, model_.speedText());
    showText(accel_, model_.accelTimeText());
    showText(decel_, model_.decelTimeText());
    positionUnit_->setText(ui::coreText(model_.positionUnit()));
    speedUnit_->setText(ui::coreText(model_.speedUnit()));
}

void registerNetworkMoveEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::NetworkMove, [](const CommandEditorRequest& request) {
        CProgRivoMoveDlg dialog(NetworkMoveEditor(static_cast<std::uint8_t>(request.mode), request.start,
                                                  request.editExisting, request.context.image),
                                request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
