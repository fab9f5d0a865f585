#pragma once

#include <QWidget>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/ProhibitAreaModel.h"

class QPushButton;
class QStackedWidget;

namespace vantrel {

namespace ui {
class CGridView;
}

// Movable range and prohibited areas: two pages, one table each, chosen with
// the buttons "最大領域" and "禁止領域", and the five area clear buttons. The
// rules live in ProhibitAreaModel.
class CProhibitAreaView : public QWidget {
    Q_OBJECT
public:
    using Page = ProhibitAreaModel::Page;

    CProhibitAreaView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);

    void showPage(Page page);
    Page currentPage() const;
    ui::CGridView* grid(Page page) const { return page == Page::MovableRange ? movable_ : prohibited_; }
    QPushButton* clearButton(int area) const { return clearButtons_[area - 1]; }
    QPushButton* pageButton(Page page) const { return page == Page::MovableRange ? movableButton_ : prohibitedButton_; }

private:
    void clearArea(int area);

    EditRecorder* recorder_ = nullptr;
    ProhibitAreaModel* prohibitedModel_ = nullptr;  // owned by its grid
    ui::CGridView* movable_ = nullptr;
    ui::CGridView* prohibited_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QPushButton* movableButton_ = nullptr;
    QPushButton* prohibitedButton_ = nullptr;
    QPushButton* clearButtons_[layout::kProhibitedAreaCount] = {};
};

}  // namespace vantrel
