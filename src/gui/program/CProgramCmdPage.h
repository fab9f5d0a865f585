#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "program/PaletteCatalogue.h"

class QPushButton;

namespace vantrel {

// One page of the command palette: the buttons of the page in their groups.
// A button signals its entry; a button whose editor is missing (as told by
// `available`) or that has no effect is disabled.
class CProgramCmdPage : public QWidget {
    Q_OBJECT
public:
    using Available = std::function<bool(const PaletteEntry& entry)>;

    CProgramCmdPage(int page, const Available& available, QWidget* parent = nullptr);

    int page() const { return page_; }
    // The button of entry `index` of the page (paletteEntries order).
    QPushButton* button(int index) const;

signals:
    void entryPressed(int page, int index);

private:
    int page_;
    std::vector<QPushButton*> buttons_;
};

// The five pages, "軸動作(ﾊﾟﾙｽ列)" to "その他".
class CProgramCmdT1 : public CProgramCmdPage {
public:
    explicit CProgramCmdT1(const Available& available, QWidget* parent = nullptr) : CProgramCmdPage(0, available, parent) {}
};
class CProgramCmdT2 : public CProgramCmdPage {
public:
    explicit CProgramCmdT2(const Available& available, QWidget* parent = nullptr) : CProgramCmdPage(1, available, parent) {}
};
class CProgramCmdT3 : public CProgramCmdPage {
public:
    explicit CProgramCmdT3(const Available& available, QWidget* parent = nullptr) : CProgramCmdPage(2, available, parent) {}
};
class CProgramCmdT4 : public CProgramCmdPage {
public:
    explicit CProgramCmdT4(const Available& available, QWidget* parent = nullptr) : CProgramCmdPage(3, available, parent) {}
};
class CProgramCmdT5 : public CProgramCmdPage {
public:
    explicit CProgramCmdT5(const Available& available, QWidget* parent = nullptr) : CProgramCmdPage(4, available, parent) {}
};

}  // namespace vantrel
