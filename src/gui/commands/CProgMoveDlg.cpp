#include "commands/CProgMoveDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/CommandEditorRegistry.h"
#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"
#include "program/StepEditor.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

CProgMoveDlg::CProgMoveDlg(MoveEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    auto* form = new QVBoxLayout;
    if (model_.hasPointChoice()) {
        points_ = new QComboBox(this);
        points_->setMaxVisibleItems(20);
        bindChoice(points_, [this](int index) { model_.choosePoint(index); });
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(motion::text(motion::kPointNumberText), this));
        row->addWidget(points_);
        row->addStretch(1);
        form->addLayout(row);
    }

    // Columns: the box, then per position row a field and its unit, then the
    // per-axis speed and "％".
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    const int rows = model_.positionRows();
    const bool perAxisSpeed = model_.speedFields() > 1;
    for (int row = 0; row < rows; ++row)
        grid->addWidget(new QLabel(ui::coreText(model_.positionRowLabel(row)), this), 0, 1 + 2 * row, 1, 2);
    if (perAxisSpeed) grid->addWidget(new QLabel(ui::coreText(model_.speedLabel()), this), 0, 1 + 2 * rows, 1, 2);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        QCheckBox* box = boxes_[at(axis)] = new QCheckBox(ui::coreText(pulseAxisName(axis)), this);
        bindCheck(box, [this, axis](bool checked) { model_.setAxisChecked(axis, checked); });
        grid->addWidget(box, axis + 1, 0);
        for (int row = 0; row < rows; ++row) {
            QLineEdit* field = positions_[at(row)][at(axis)] = newNumberField(model_.positionHint(axis));
            bindText(field, [this, row, axis](std::string text) { model_.setPositionText(row, axis, std::move(text)); });
            QLabel* unit = units_[at(row)][at(axis)] = new QLabel(ui::coreText(model_.unitText(axis)), this);
            grid->addWidget(field, axis + 1, 1 + 2 * row);
            grid->addWidget(unit, axis + 1, 2 + 2 * row);
        }
        if (perAxisSpeed) {
            QLineEdit* speed = speeds_[at(axis)] = newNumberField(model_.speedHint());
            bindText(speed, [this, axis](std::string text) { model_.setSpeedText(axis, std::move(text)); });
            grid->addWidget(speed, axis + 1, 1 + 2 * rows);
            grid->addWidget(new QLabel(motion::text(motion::kPercentText), this), axis + 1, 2 + 2 * rows);
        }
    }
    grid->setColumnMinimumWidth(2, 34);
    if (rows > 1) grid->setColumnMinimumWidth(4, 34);
    form->addLayout(grid);

    if (!perAxisSpeed) {
        QLineEdit* speed = speeds_[0] = newNumberField(model_.speedHint());
        bindText(speed, [this](std::string text) { model_.setSpeedText(0, std::move(text)); });
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(ui::coreText(model_.speedLabel()), this));
        row->addWidget(speed);
        row->addWidget(new QLabel(motion::text(motion::kPercentText), this));
        row->addStretch(1);
        form->addLayout(row);
    }

    form->addLayout(newRadioPair(motion::kAbsoluteText, motion::kRelativeText, absolute_, relative_));
    bindCheck(relative_, [this](bool relative) { model_.setIncremental(relative); });

    finishLayout(form, points_ ? static_cast<QWidget*>(points_) : boxes_[0]);
}

void CProgMoveDlg::showModel() {
    if (points_) showChoices(points_, model_.pointChoices());
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        showChecked(boxes_[at(axis)], model_.axisChecked(axis));
        for (int row = 0; row < model_.positionRows(); ++row)
            showText(positions_[at(row)][at(axis)], model_.positionText(row, axis));
    }
    for (int field = 0; field < model_.speedFields(); ++field) showText(speeds_[at(field)], model_.speedText(field));
    showRadio(relative_, absolute_, model_.incremental());
}

namespace {

CommandEditorResult openMoveEditor(const CommandEditorRequest& request) {
    CommandEditorContext& context = request.context;
    CProgMoveDlg dialog(MoveEditor(static_cast<std::uint8_t>(request.mode), request.start, request.editExisting,
                                   context.image, autoPointsOf(context.steps)),
                        request.parent);
    // The point move writes its fields into the chosen point of the point table.
    if (dialog.model().writesPointTable()) return runStoringEditorDialog(dialog, context);
    return runEditorDialog(dialog);
}

}  // namespace

void registerMoveEditors(CommandEditorRegistry& registry) {
    for (CommandEditorKind kind : {CommandEditorKind::AxisMove, CommandEditorKind::PointMove,
                                   CommandEditorKind::LinearInterpolation, CommandEditorKind::ArcInterpolation})
        registry.add(kind, openMoveEditor);
}

}  // namespace vantrel
