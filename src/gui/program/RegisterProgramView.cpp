#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/TransactionMessages.h"
#include "app/ViewFactory.h"
#include "commands/RegisterCommandEditors.h"
#include "program/CProgramView.h"

namespace vantrel {

void registerProgramView(ViewFactory& factory) {
    factory.add(ViewKind::ProgramEditor, [](AppState& state, QWidget* parent) -> QWidget* {
        CProgramView::Host host;
        // The view's pane lives as long as the main window it belongs to.
        host.runOperation = [parent](ProgressKind kind, const std::function<bool()>& start) {
            auto* frame = parent ? qobject_cast<CMainFrame*>(parent->window()) : nullptr;
            return frame ? frame->runOperation(kind, start) : kProgressFailed;
        };
        return new CProgramView(state, commandEditors(), std::move(host), parent);
    });
}

}  // namespace vantrel
