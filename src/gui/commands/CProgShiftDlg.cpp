#include "commands/CProgShiftDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

CProgShiftDlg::CProgShiftDlg(ShiftEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* form = new QVBoxLayout;
    form->addLayout(newRadioPair(motion::kFirstShiftText, motion::kSecondShiftText, first_, second_));
    bindCheck(second_, [this](bool second) { model_.setSecondShift(second); });
    form->addLayout(newOnOffPair(on_, off_, [this](bool on) { model_.setOn(on); }));

    points_ = new QComboBox(this);
    bindChoice(points_, [this](int index) { model_.choosePoint(index); });
    pointLabel_ = new QLabel(motion::text(motion::kPointNumberText), this);
    auto* grid = new QGridLayout;
    grid->addWidget(pointLabel_, 0, 0);
    grid->addWidget(points_, 0, 1, Qt::AlignLeft);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        axisLabels_[at(axis)] = new QLabel(ui::coreText(ShiftEditor::axisLabel(axis)), this);
        QLineEdit* field = positions_[at(axis)] = newNumberField(model_.positionHint(axis));
        bindText(field, [this, axis](std::string text) { model_.setPositionText(axis, std::move(text)); });
        units_[at(axis)] = new QLabel(ui::coreText(model_.unitText(axis)), this);
        grid->addWidget(axisLabels_[at(axis)], axis + 1, 0);
        grid->addWidget(field, axis + 1, 1);
        grid->addWidget(units_[at(axis)], axis + 1, 2);
    }
    grid->setColumnMinimumWidth(2, 34);
    form->addLayout(grid);
    finishLayout(form, first_);
}

void CProgShiftDlg::showModel() {
    showRadio(second_, first_, model_.secondShift());
    showRadio(on_, off_, model_.on());
    showChoices(points_, model_.pointChoices());
    const bool enabled = model_.pointControlsEnabled();
    enableAll({pointLabel_, points_}, enabled);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        showText(positions_[at(axis)], model_.positionText(axis));
        enableAll({axisLabels_[at(axis)], positions_[at(axis)], units_[at(axis)]}, enabled);
    }
}

void registerShiftEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::Shift, [](const CommandEditorRequest& request) {
        CProgShiftDlg dialog(ShiftEditor(request.start, request.editExisting, request.context.image), request.parent);
        return runStoringEditorDialog(dialog, request.context);
    });
}

}  // namespace vantrel
