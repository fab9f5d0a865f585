#include "program/CProgramCmdPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/GuiLanguage.h"
#include "ui/Utf8Text.h"

namespace vantrel {

namespace {

constexpr int kColumns = 2;

}  // namespace

CProgramCmdPage::CProgramCmdPage(std::string_view page, const Available& available, QWidget* parent)
    : QWidget(parent), page_(page) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto catalogue = paletteCatalogue();
    // Every group of the page is drawn, also one without buttons (the
    // network page's "軸制御（完了待ちなし）").
    for (const std::string_view group : paletteGroups(page)) {
        auto* box = new QGroupBox(ui::coreText(group), this);
        auto* grid = new QGridLayout(box);
        grid->setColumnMinimumWidth(0, 130);
        grid->setColumnMinimumWidth(1, 130);
        layout->addWidget(box);
        int inGroup = 0;
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            const PaletteEntry& entry = catalogue[i];
            if (entry.button.page != page || entry.button.group != group) continue;
            auto* button = new QPushButton(ui::coreText(entry.button.button), box);
            button->setToolTip(ui::coreText(paletteToolTip(entry)));
            switch (entry.action) {
            case PaletteAction::OpenEditor: button->setEnabled(available && available(entry)); break;
            case PaletteAction::StoreStep:
            case PaletteAction::ClearLabel: break;
            case PaletteAction::Nothing: button->setEnabled(false); break;
            }
            grid->addWidget(button, inGroup / kColumns, inGroup % kColumns);
            ++inGroup;
            const int index = static_cast<int>(i);
            connect(button, &QPushButton::clicked, this, [this, index] { emit entryPressed(index); });
            buttons_.emplace_back(index, button);
        }
    }
    layout->addStretch(1);
}

QPushButton* CProgramCmdPage::button(int index) const {
    for (const auto& [entry, button] : buttons_)
        if (entry == index) return button;
    return nullptr;
}

}  // namespace vantrel
