#include "settings/CRivoSettingView.h"

#include <memory>

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/NavigationEntries.h"
#include "data/EditGroup.h"
#include "ui/CGridView.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {

namespace {
using Field = RivoSettingModel::LineField;
constexpr Field kFields[] = {Field::Speed, Field::Parity, Field::StopBits};
}  // namespace

CRivoSettingView::CRivoSettingView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : QWidget(parent), recorder_(sink ? sink->editRecorder() : nullptr) {
    auto model = std::make_unique<RivoSettingModel>(image, sink);
    model_ = model.get();
    model_->setNoticeHandler([this](const Refusal& notice) { ui::showMessage(this, notice); });

    auto* form = new QFormLayout;
    for (const Field field : kFields) {
        auto* box = new QComboBox(this);
        ui::addCoreChoices(*box, RivoSettingModel::lineFieldChoices(field));
        box->installEventFilter(this);
        connect(box, &QComboBox::activated, this, [this, field, box] {
            EditGroup group(recorder_, RivoSettingModel::lineFieldLabel(field),
                            EditPlace::cell(static_cast<int>(ViewKind::NetworkAxisSettings), 0, -1, -1));
            model_->commitLineField(field, box->currentData().toString().toStdString());
            showLineFields();
        });
        boxes_[static_cast<std::size_t>(field)] = box;
        form->addRow(ui::coreText(RivoSettingModel::lineFieldLabel(field)), box);
    }
    lineHelp_ = new QPlainTextEdit(this);
    lineHelp_->setReadOnly(true);
    lineHelp_->setMaximumHeight(130);

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(lineHelp_, 1);

    grid_ = new ui::CGridView(std::move(model), this);  // arms the once-per-opening notice
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    showLineFields();
}

QString CRivoSettingView::lineHelpText() const { return lineHelp_->toPlainText(); }

void CRivoSettingView::showLineFields() {
    for (const Field field : kFields) {
        QComboBox* box = lineField(field);
        box->setCurrentIndex(model_->lineFieldIndex(field));
    }
}

bool CRivoSettingView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (const Field field : kFields)
            if (watched == lineField(field))
                lineHelp_->setPlainText(ui::coreText(RivoSettingModel::lineFieldHelp(field)));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel
