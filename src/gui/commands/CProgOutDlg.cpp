#include "commands/CProgOutDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/CIoSymbolPicker.h"
#include "commands/CProgRioOutDlg.h"
#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgOutDlg::CProgOutDlg(OutputEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    picker_ = new CIoSymbolPicker(this);
    bindPicker(
        picker_, [this](int index) { editor_.list().choosePage(index); },
        [this](int row) { editor_.list().chooseRow(row); });
    // A double-click on a row is "AND".
    connect(picker_, &CIoSymbolPicker::rowDoubleClicked, this, [this](int row) {
        editor_.list().chooseRow(row);
        addTerm();
    });

    on_ = new QRadioButton(QStringLiteral("ON"), this);
    off_ = new QRadioButton(QStringLiteral("OFF"), this);
    auto* onOff = new QButtonGroup(this);
    onOff->addButton(on_);
    onOff->addButton(off_);
    bindCheck(on_, [this](bool on) { editor_.setOn(on); });
    and_ = newButton(QStringLiteral("AND"));
    delete_ = newButton(QStringLiteral("DELETE"));
    connect(and_, &QPushButton::clicked, this, [this] { addTerm(); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        editor_.deleteTerm();
        modelChanged();
    });

    outputs_ = newTextPanel();

    auto* side = new QVBoxLayout;
    side->addWidget(on_);
    side->addWidget(off_);
    side->addSpacing(12);
    side->addWidget(and_);
    side->addWidget(delete_);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(picker_);
    top->addLayout(side);
    layout_ = new QVBoxLayout;
    layout_->addLayout(top);
    layout_->addWidget(outputs_);
    finishLayout(layout_, picker_->table());
}

void CProgOutDlg::addTopRow(QLayout* row) { layout_->insertLayout(0, row); }

void CProgOutDlg::addTerm() {
    tell(editor_.addTerm());
    modelChanged();
}

void CProgOutDlg::showModel() {
    picker_->showList(editor_.list());
    showRadio(on_, off_, editor_.on());
    const bool terms = editor_.termControlsEnabled();
    enableAll({picker_, on_, off_, and_, delete_}, terms);
    showText(outputs_, editor_.outputText());
}

void registerOutputEditors(CommandEditorRegistry& registry) {
    const auto open = [](const CommandEditorRequest& request) {
        OutputEditor editor(static_cast<std::uint8_t>(request.mode), request.start, request.editExisting,
                            request.context.ioNames);
        if (editor.hasAxisChoice()) {
            CProgRioOutDlg dialog(std::move(editor), request.parent);
            return runEditorDialog(dialog);
        }
        CProgOutDlg dialog(std::move(editor), request.parent);
        return runEditorDialog(dialog);
    };
    // "外部出力" (10), "内部出力" (9) and "リモートI/O書込" (52).
    registry.add(CommandEditorKind::Output, open);
    registry.add(CommandEditorKind::RemoteIoWrite, open);
}

}  // namespace vantrel
