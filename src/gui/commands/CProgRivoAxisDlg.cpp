#include "commands/CProgRivoAxisDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/MotionFormTexts.h"
#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgRivoAxisDlg::CProgRivoAxisDlg(NetworkAxisCommandEditor model, QWidget* parent)
    : CommandEditorDialog(model.title(), parent), model_(std::move(model)) {
    axes_ = new QComboBox(this);
    axes_->setMaxVisibleItems(16);
    bindChoice(axes_, [this](int index) { model_.chooseAxis(index); });
    auto* form = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(motion::text(motion::kAxisNumberText), this));
    row->addWidget(axes_);
    row->addStretch(1);
    form->addLayout(row);
    if (model_.hasOnOff()) {
        form->addLayout(newOnOffPair(on_, off_, [this](bool on) { model_.setOn(on); }));
    }
    finishLayout(form, axes_);
}

void CProgRivoAxisDlg::showModel() {
    showChoices(axes_, model_.axisChoices());
    if (on_) showRadio(on_, off_, model_.on());
}

void registerNetworkAxisCommandEditor(CommandEditorRegistry& registry) {
    registry.add(CommandEditorKind::NetworkAxisCommand, [](const CommandEditorRequest& request) {
        CProgRivoAxisDlg dialog(
            NetworkAxisCommandEditor(static_cast<std::uint8_t>(request.mode), request.start, request.editExisting),
            request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
