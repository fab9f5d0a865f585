#include "commands/CProgAccDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

CProgAccDlg::CProgAccDlg(AccelerationEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* form = new QVBoxLayout;
    form->addLayout(newOnOffPair(on_, off_, [this](bool on) { model_.setOn(on); }));

    auto* grid = new QGridLayout;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        QCheckBox* box = boxes_[at(axis)] = new QCheckBox(ui::coreText(pulseAxisName(axis)), this);
        bindCheck(box, [this, axis](bool checked) { model_.setAxisChecked(axis, checked); });
        QComboBox* entries = entries_[at(axis)] = new QComboBox(this);
        entries->setMaxVisibleItems(AccelerationEditor::kEntryCount);
        entries->setMinimumWidth(64);
        bindChoice(entries, [this, axis](int index) { model_.chooseEntry(axis, index); });
        QLabel* time = times_[at(axis)] = new QLabel(this);
        time->setMinimumWidth(48);
        time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        seconds_[at(axis)] = new QLabel(motion::text(motion::kSecondsText), this);
        grid->addWidget(box, axis, 0);
        grid->addWidget(entries, axis, 1);
        grid->addWidget(time, axis, 2);
        grid->addWidget(seconds_[at(axis)], axis, 3);
    }
    form->addLayout(grid);
    finishLayout(form, on_);
}

void CProgAccDlg::showModel() {
    showRadio(on_, off_, model_.on());
    const bool enabled = model_.axisControlsEnabled();
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        showChecked(boxes_[at(axis)], model_.axisChecked(axis));
        showChoices(entries_[at(axis)], model_.entryChoices(axis));
        times_[at(axis)]->setText(fromUtf8(model_.timeText(axis)));
        enableAll({boxes_[at(axis)], entries_[at(axis)], times_[at(axis)], seconds_[at(axis)]}, enabled);
    }
}

void registerAccelerationEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::Acceleration, [](const CommandEditorRequest& request) {
        CProgAccDlg dialog(AccelerationEditor(request.start, request.editExisting, request.context.image),
                           request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
