#include "commands/CProgHomeDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

CProgHomeDlg::CProgHomeDlg(HomeEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(motion::text(motion::kSpeedText), this), 0, 1, 1, 2);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        QCheckBox* box = boxes_[at(axis)] = new QCheckBox(ui::coreText(pulseAxisName(axis)), this);
        bindCheck(box, [this, axis](bool checked) { model_.setAxisChecked(axis, checked); });
        QLineEdit* speed = speeds_[at(axis)] = newNumberField(model_.speedHint());
        bindText(speed, [this, axis](std::string text) { model_.setSpeedText(axis, std::move(text)); });
        grid->addWidget(box, axis + 1, 0);
        grid->addWidget(speed, axis + 1, 1);
        grid->addWidget(new QLabel(motion::text(motion::kPercentText), this), axis + 1, 2);
    }
    finishLayout(grid, boxes_[0]);
}

void CProgHomeDlg::showModel() {
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        showChecked(boxes_[at(axis)], model_.axisChecked(axis));
        showText(speeds_[at(axis)], model_.speedText(axis));
    }
}

void registerHomeEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::Home, [](const CommandEditorRequest& request) {
        CProgHomeDlg dialog(HomeEditor(static_cast<std::uint8_t>(request.mode), request.start, request.editExisting,
                                       request.context.image),
                            request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
