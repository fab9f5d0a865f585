#include "online/CLampGroup.h"

#include <QGridLayout>

#include "online/CLamp.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CLampGroup::CLampGroup(const LampGroup& group, bool toggles, int columns, QWidget* parent)
    : QGroupBox(ui::coreText(group.title), parent) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(toggles ? 4 : 3);
    if (group.title.empty()) {  // a plain column of lamps inside a larger group
        setFlat(true);
        grid->setContentsMargins(0, 0, 0, 0);
    }
    const auto kind = toggles ? CLamp::Kind::Toggle : CLamp::Kind::Indicator;
    for (std::size_t i = 0; i < group.lamps.size(); ++i) {
        auto* lamp = new CLamp(ui::coreText(group.lamps[i].label), kind, this);
        grid->addWidget(lamp, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
        lamps_.push_back(lamp);
        refs_.push_back(group.lamps[i].ref);
        if (toggles) connect(lamp, &CLamp::clicked, this, [this, i] { emit toggled(refs_[i]); });
    }
}

int CLampGroup::refresh(const StatusSnapshot& snapshot) {
    int changed = 0;
    for (std::size_t i = 0; i < lamps_.size(); ++i) changed += lamps_[i]->setLit(isLit(snapshot, refs_[i]));
    return changed;
}

void CLampGroup::rebind(const LampGroup& group) {
    setTitle(ui::coreText(group.title));
    for (std::size_t i = 0; i < refs_.size() && i < group.lamps.size(); ++i) refs_[i] = group.lamps[i].ref;
}

CLamp* CLampGroup::lamp(const QString& label) const {
    for (CLamp* l : lamps_)
        if (l->text() == label || l->text() == ui::coreText(label.toStdString())) return l;
    return nullptr;
}

}  // namespace vantrel
