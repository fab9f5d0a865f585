#include "commands/CProgPauseDlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgPauseDlg::CProgPauseDlg(PauseEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    auto* layout = new QVBoxLayout;
    layout->addLayout(newOnOffPair(on_, off_, [this](bool on) { editor_.setOn(on); }));
    finishLayout(layout, on_);
}

void CProgPauseDlg::showModel() { showRadio(on_, off_, editor_.on()); }

void registerPauseEditor(CommandEditorRegistry& registry) {
    // "PAUSE" (26).
    registry.add(CommandEditorKind::Pause, [](const CommandEditorRequest& request) {
        CProgPauseDlg dialog(PauseEditor(request.start, request.editExisting), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
