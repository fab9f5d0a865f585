#include "online/MonitorFields.h"

#include <algorithm>

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

QLabel* newValueField(QWidget* parent, int minWidth) {
    auto* field = new QLabel(QStringLiteral("0"), parent);
    field->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setMinimumWidth(minWidth);
    field->setAutoFillBackground(true);
    QPalette p = field->palette();
    p.setColor(QPalette::Window, Qt::white);
    field->setPalette(p);
    return field;
}

void showText(QLabel* label, const std::string& text) {
    const QString q = ui::coreText(text);
    if (label->text() != q) label->setText(q);
}

ValueRows newValueRows(QWidget* parent, int fieldWidth, int unitWidth) {
    static const char* const kNames[4] = {
        QT_TRANSLATE_NOOP("MonitorFields", "指令位置"), QT_TRANSLATE_NOOP("MonitorFields", "検出位置"),
        QT_TRANSLATE_NOOP("MonitorFields", "指令速度"), QT_TRANSLATE_NOOP("MonitorFields", "検出速度")};
    ValueRows rows;
    rows.grid = new QGridLayout;
    for (int row = 0; row < 4; ++row) {
        const auto r = static_cast<std::size_t>(row);
        rows.grid->addWidget(new QLabel(QCoreApplication::translate("MonitorFields", kNames[row]), parent), row, 0);
        rows.values[r] = newValueField(parent, fieldWidth);
        rows.grid->addWidget(rows.values[r], row, 1);
        rows.units[r] = new QLabel(parent);
        rows.units[r]->setMinimumWidth(unitWidth);
        rows.grid->addWidget(rows.units[r], row, 2);
    }
    rows.grid->addWidget(new QLabel(QCoreApplication::translate("MonitorFields", "アラーム"), parent), 4, 0);
    rows.alarm = newValueField(parent, fieldWidth);
    rows.alarm->setAlignment(Qt::AlignCenter);
    rows.grid->addWidget(rows.alarm, 4, 1);
    return rows;
}

PanelRows newPanelRows(const std::vector<QWidget*>& panels) {
    auto* grid = new QGridLayout;
    const int count = static_cast<int>(panels.size());
    auto arrange = [grid, panels, count](int shape) {
        const int columns = shape == 0 ? count : (count + 1) / 2;
        for (int i = 0; i < count; ++i) {
            QWidget* panel = panels[static_cast<std::size_t>(i)];
            grid->removeWidget(panel);
            grid->addWidget(panel, i / columns, i % columns);
        }
    };
    arrange(0);
    return {grid, arrange};
}

void equaliseWidths(const std::vector<CLamp*>& lamps) {
    int width = 0;
    for (CLamp* lamp : lamps) width = std::max(width, lamp->sizeHint().width());
    for (CLamp* lamp : lamps) lamp->setMinimumWidth(width);
}

void equaliseWidths(const std::vector<CLampGroup*>& groups) {
    std::vector<CLamp*> lamps;
    for (CLampGroup* group : groups) lamps.insert(lamps.end(), group->lamps().begin(), group->lamps().end());
    equaliseWidths(lamps);
}

int refreshAll(const std::vector<CLampGroup*>& groups, const StatusSnapshot& snapshot) {
    int changed = 0;
    for (CLampGroup* group : groups) changed += group->refresh(snapshot);
    return changed;
}

}  // namespace vantrel
