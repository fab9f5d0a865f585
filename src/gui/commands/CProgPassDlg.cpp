#include "commands/CProgPassDlg.h"

#include <QCheckBox>
#include <QGridLayout>
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

CProgPassDlg::CProgPassDlg(PassEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* form = new QVBoxLayout;
    form->addLayout(newOnOffPair(on_, off_, [this](bool on) { model_.setOn(on); }));

    auto* grid = new QGridLayout;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        QCheckBox* box = boxes_[at(axis)] = new QCheckBox(ui::coreText(pulseAxisName(axis)), this);
        bindCheck(box, [this, axis](bool checked) { model_.setAxisChecked(axis, checked); });
        QLineEdit* distance = distances_[at(axis)] = newNumberField({});
        bindText(distance, [this, axis](std::string text) { model_.setDistanceText(axis, std::move(text)); });
        units_[at(axis)] = new QLabel(ui::coreText(PassEditor::distanceUnit()), this);
        grid->addWidget(box, axis, 0);
        grid->addWidget(distance, axis, 1);
        grid->addWidget(units_[at(axis)], axis, 2);
    }
    form->addLayout(grid);
    finishLayout(form, on_);
}

void CProgPassDlg::showModel() {
    showRadio(on_, off_, model_.on());
    const bool enabled = model_.axisControlsEnabled();
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        showChecked(boxes_[at(axis)], model_.axisChecked(axis));
        showText(distances_[at(axis)], model_.distanceText(axis));
        enableAll({boxes_[at(axis)], distances_[at(axis)], units_[at(axis)]}, enabled);
    }
}

void registerPassEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::Pass, [](const CommandEditorRequest& request) {
        CProgPassDlg dialog(PassEditor(request.start, request.editExisting, request.context.image), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
