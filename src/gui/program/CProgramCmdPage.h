#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include <QWidget>

#include "program/PaletteButton.h"

class QPushButton;

namespace vantrel {

// One page of the command palette: the page's buttons of the palette
// catalogue in their groups. A button signals its catalogue index. A button
// whose editor is not registered (as `available` tells) or that has no effect
// is disabled.
class CProgramCmdPage : public QWidget {
    Q_OBJECT
public:
    using Available = std::function<bool(const PaletteEntry& entry)>;

    CProgramCmdPage(std::string_view page, const Available& available, QWidget* parent = nullptr);

    std::string_view page() const { return page_; }
    // The button of catalogue entry `index`; null when it is on another page.
    QPushButton* button(int index) const;

signals:
    void entryPressed(int index);

private:
    std::string_view page_;
    std::vector<std::pair<int, QPushButton*>> buttons_;
};

// The five pages, "軸動作(ﾊﾟﾙｽ列)" to "その他".
class CProgramCmdT1 : public CProgramCmdPage {
public:
    explicit CProgramCmdT1(const Available& available, QWidget* parent = nullptr)
        : CProgramCmdPage(kPagePulseAxes, available, parent) {}
};
class CProgramCmdT2 : public CProgramCmdPage {
public:
    explicit CProgramCmdT2(const Available& available, QWidget* parent = nullptr)
        : CProgramCmdPage(kPageNetworkAxes, available, parent) {}
};
class CProgramCmdT3 : public CProgramCmdPage {
public:
    explicit CProgramCmdT3(const Available& available, QWidget* parent = nullptr)
        : CProgramCmdPage(kPageIo, available, parent) {}
};
class CProgramCmdT4 : public CProgramCmdPage {
public:
    explicit CProgramCmdT4(const Available& available, QWidget* parent = nullptr)
        : CProgramCmdPage(kPageCalculation, available, parent) {}
};
class CProgramCmdT5 : public CProgramCmdPage {
public:
    explicit CProgramCmdT5(const Available& available, QWidget* parent = nullptr)
        : CProgramCmdPage(kPageOther, available, parent) {}
};

}  // namespace vantrel
