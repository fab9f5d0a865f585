#include "commands/CProgPauseDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgPauseDlg::CProgPauseDlg(PauseEditor editor, QWidget* parent) : CCommandDlg(parent), editor_(std::move(editor)) {
    on_ = new QRadioButton(QStringLiteral("ON"), this);
    off_ = new QRadioButton(QStringLiteral("OFF"), this);
    auto* onOff = new QButtonGroup(this);
    onOff->addButton(on_);
    onOff->addButton(off_);
    connect(on_, &QRadioButton::toggled, this, [this](bool on) { editor_.setOn(on); });
    auto* row = new QHBoxLayout;
    row->addWidget(on_);
    row->addWidget(off_);
    row->addStretch(1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(row);
    finish(layout);
    setMinimumWidth(220);
}

void CProgPauseDlg::showModel() {
    on_->setChecked(editor_.on());
    off_->setChecked(!editor_.on());
}

void registerPauseEditor(CommandEditorRegistry& registry) {
    // "PAUSE" (26).
    registry.add(CommandEditorKind::Pause, [](const CommandEditorRequest& request) {
        return runCommandDialog<CProgPauseDlg>(request, PauseEditor(request.start, request.editExisting));
    });
}

}  // namespace vantrel
