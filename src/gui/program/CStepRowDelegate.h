#pragma once

#include <QStyledItemDelegate>

namespace vantrel {

// Draws the step table's cells. The running step keeps its yellow when it is
// also the selected row (the selection colour would hide it while the
// controller runs); its selection shows as a frame above and below instead.
class CStepRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vantrel
