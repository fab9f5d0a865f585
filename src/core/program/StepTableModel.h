#pragma once

// The texts and colours of the step table, built once per fill so that
// drawing the table only looks them up. Rows run from step 0 up to and
// including the first empty step; the listing reads the live settings image
// and program names at fill time, so a fill after an edit of a point, a timer
// or a name shows the new values.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/SettingsImage.h"
#include "program/CurrentProgram.h"
#include "program/ProgramDirectory.h"
#include "program/ProgramListing.h"

namespace vantrel {

class StepTableModel {
public:
    enum class Alignment { Centre, Left };
    using Row = std::array<std::string, kStepColumnCount>;

    // Rebuilds every row (display UTF-8 texts) from the program.
    void fill(const CurrentProgram& program, const SettingsImage& image, const ProgramDirectory& directory);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Empty for cells outside the table.
    const std::string& text(int row, int column) const;

    static std::string_view header(int column);
    static int width(int column);
    static Alignment alignment(int column);

    // The words the operand listings are written with from the next fill on.
    void setListingWords(ListingWords words) { words_ = std::move(words); }

    void setHighlights(const RowHighlightState& state) { highlights_ = state; }
    const RowHighlightState& highlights() const { return highlights_; }
    RowHighlight highlight(int row) const { return rowHighlight(highlights_, row); }

private:
    std::vector<Row> rows_;
    ListingWords words_;
    RowHighlightState highlights_;
};

}  // namespace vantrel
