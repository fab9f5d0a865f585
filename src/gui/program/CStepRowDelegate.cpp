#include "program/CStepRowDelegate.h"

#include <QPainter>
#include <QPen>

#include "program/StepTableItemModel.h"

namespace vantrel {

void CStepRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!(option.state & QStyle::State_Selected) || !index.data(StepTableItemModel::kRunningStepRole).toBool()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem unselected(option);
    unselected.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, unselected, index);
    constexpr int kFrame = 2;
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Active, QPalette::Highlight), kFrame));
    const QRect r = option.rect.adjusted(0, kFrame / 2, 0, -kFrame / 2);
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}

}  // namespace vantrel
