#include "commands/CProgAxisDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

CProgAxisDlg::CProgAxisDlg(AxisSelectionEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* form = new QVBoxLayout;
    auto* axes = new QHBoxLayout;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        QCheckBox* box = boxes_[at(axis)] = new QCheckBox(ui::coreText(pulseAxisName(axis)), this);
        bindCheck(box, [this, axis](bool checked) { model_.setAxisChecked(axis, checked); });
        axes->addWidget(box);
    }
    axes->addStretch(1);
    form->addLayout(axes);
    if (model_.hasOnOff()) {
        form->addLayout(newOnOffPair(on_, off_, [this](bool on) { model_.setOn(on); }));
    }
    finishLayout(form, boxes_[0]);
}

void CProgAxisDlg::showModel() {
    for (int axis = 0; axis < kPulseAxisCount; ++axis) showChecked(boxes_[at(axis)], model_.axisChecked(axis));
    if (on_) showRadio(on_, off_, model_.on());
}

void registerAxisSelectionEditors(CommandEditorRegistry& registry) {
    for (CommandEditorKind kind :
         {CommandEditorKind::AxisStop, CommandEditorKind::Excitation, CommandEditorKind::PositionPreset})
        registry.add(kind, [](const CommandEditorRequest& request) {
            CProgAxisDlg dialog(AxisSelectionEditor(static_cast<std::uint8_t>(request.mode), request.start,
                                                    request.editExisting, request.context.image),
                                request.parent);
            return runEditorDialog(dialog);
        });
}

}  // namespace vantrel
