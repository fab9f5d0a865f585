#pragma once

#include <cstdint>
#include <string>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Movable range and prohibited areas of the pulse axes. Two pages share the
// row layout (rows 1..8: axis 1 maximum, axis 1 minimum, ... axis 4 minimum):
// the movable range page has one value column, the prohibited areas page one
// column per area 1..5.
class ProhibitAreaModel : public SettingsTableModel {
public:
    enum class Page { MovableRange, ProhibitedAreas };
    static constexpr int kRows = 9;

    ProhibitAreaModel(SettingsImage& image, ControllerWriteSink* sink, Page page = Page::MovableRange)
        : image_(image), sink_(sink), page_(page) {}

    Page page() const { return page_; }
    void setPage(Page page) { page_ = page; }
    static std::string pageButtonText(Page page) { return page == Page::MovableRange ? "最大領域" : "禁止領域"; }
    static std::string clearButtonText(int area) { return "エリア" + std::to_string(area) + "クリア"; }

    int rowCount() const override { return kRows; }
    int columnCount() const override { return page_ == Page::MovableRange ? 2 : 1 + layout::kProhibitedAreaCount; }
    int columnWidth(int column) const override { return column == 0 ? 120 : 150; }
    std::string cellText(int row, int column) const override;
    std::string editText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // The position range of the axis' unit, narrowed by the partner bound (and
    // on a deg axis by the movable range for a prohibited area).
    std::optional<ValueRange> valueRange(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Asks whether to clear prohibited area 1..5 and on Yes sets its maximum and
    // minimum to 0 on all four axes (sent and stored). True when cleared.
    bool clearArea(int area, const AskQuestion& ask);
    static std::string clearQuestion(int area);

    // Position index of the bound shown in a cell of the current page, or -1.
    int positionIndex(int row, int column) const;
    static int axisOfRow(int row) { return (row - 1) / 2; }
    static bool isMaximumRow(int row) { return row % 2 == 1; }

private:
    bool isValueCell(int row, int column) const { return row >= 1 && row < kRows && column >= 1 && column < columnCount(); }
    std::int32_t limitByBounds(int row, int column, double y) const;

    SettingsImage& image_;
    ControllerWriteSink* sink_;
    Page page_ = Page::MovableRange;
};

}  // namespace vantrel
