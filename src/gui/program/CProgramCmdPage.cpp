#include "program/CProgramCmdPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kColumns = 2;

}  // namespace

CProgramCmdPage::CProgramCmdPage(int page, const Available& available, QWidget* parent)
    : QWidget(parent), page_(page) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto entries = paletteEntries(page);
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
    int inGroup = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PaletteEntry& entry = entries[i];
        if (!group || (i > 0 && entry.groupCaption != entries[i - 1].groupCaption)) {
            group = new QGroupBox(toQString(entry.groupCaption), this);
            grid = new QGridLayout(group);
            layout->addWidget(group);
            inGroup = 0;
        }
        auto* button = new QPushButton(toQString(entry.key.button), group);
        button->setMinimumWidth(130);
        const bool enabled = entry.action != PaletteAction::NoEffect &&
                             (entry.action == PaletteAction::StoreDirectly || entry.action == PaletteAction::DeleteLabel ||
                              (available && available(entry)));
        button->setEnabled(enabled);
        grid->addWidget(button, inGroup / kColumns, inGroup % kColumns);
        ++inGroup;
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { emit entryPressed(page_, index); });
        buttons_.push_back(button);
    }
    layout->addStretch(1);
}

QPushButton* CProgramCmdPage::button(int index) const {
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace vantrel
