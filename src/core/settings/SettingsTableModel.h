#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/Refusal.h"
#include "settings/ValueRange.h"

namespace vantrel {

// How a cell of a settings table behaves.
enum class CellKind {
    Header,    // fixed header row
    Label,     // fixed row label (not editable)
    Text,      // editable text cell
    DropDown,  // editable cell with a fixed list of choices
    ReadOnly,  // value shown on grey, not editable
};

// Background colours as 0xRRGGBB.
namespace cellColour {
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kReadOnlyGrey = 0xCCCCCC;
inline constexpr std::uint32_t kYellow = 0xFFFF00;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kCyan = 0x00FFFF;
inline constexpr std::uint32_t kHeader = 0xE0E0E0;
}  // namespace cellColour

// Asks a Yes/No question (text, title, icon in the Refusal form); true = Yes.
using AskQuestion = std::function<bool(const Refusal& question)>;
// Shows a message that is not a refusal (a notice after an accepted edit).
using ShowMessage = std::function<void(const Refusal& message)>;

// A typed number beyond the cell's range, stored as the nearer end.
struct ClampedValue {
    std::string typed;   // the number as typed
    std::string stored;  // the cell's text after the commit
    ValueRange range;
};

// What committing a cell did: refused (nothing stored; the refusal's note
// names the range the cell takes), or stored, possibly clamped.
struct CellCommit {
    MaybeRefusal refusal;
    std::optional<ClampedValue> clamped;

    // The line the status bar shows after the commit; empty when all went as typed.
    std::string note() const;
};

// A settings view as the front end shows it: a table whose row 0 is the header
// and whose leading columns are row labels. Rows and columns are numbered as
// the table shows them, header and label cells included. The model holds no
// copy of the settings image: every query reads the image, so a view shows a
// freshly loaded or received image as soon as it repaints.
class SettingsTableModel {
public:
    virtual ~SettingsTableModel() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // Leading rows / columns that stay in place while the table scrolls.
    virtual int fixedRowCount() const { return 1; }
    virtual int fixedColumnCount() const { return 1; }
    // Width of a column in pixels at the normal font size.
    virtual int columnWidth(int column) const = 0;

    // Shown text of any cell, header and labels included; empty outside the table.
    virtual std::string cellText(int row, int column) const = 0;
    // Text the in-place editor starts with (the number without its unit).
    virtual std::string editText(int row, int column) const { return cellText(row, column); }
    virtual CellKind cellKind(int row, int column) const = 0;
    // Choices of a drop-down cell, in the order offered.
    virtual std::vector<std::string> choices(int row, int column) const {
        (void)row;
        (void)column;
        return {};
    }
    // Background colour of a cell (0xRRGGBB).
    virtual std::uint32_t backgroundColour(int row, int column) const;
    // Help text shown beside the table for the selected cell.
    virtual std::string helpText(int row, int column) const = 0;
    // The range a numeric cell keeps its value in, in the unit it shows, as
    // the commit clamps into it now (a bound may follow another cell); nothing
    // for cells that are no number.
    virtual std::optional<ValueRange> valueRange(int row, int column) const {
        (void)row;
        (void)column;
        return std::nullopt;
    }
    // Why the cell's axis takes no setting now and what unlocks it (shown with
    // the help and in the status bar); empty when nothing is locked.
    virtual std::string lockNote(int row, int column) const {
        (void)row;
        (void)column;
        return {};
    }

    // Takes the text the user committed to a cell. Accepted: the image field is
    // written and its controller write queued; nothing is returned and the cell
    // shows the stored value. Refused: the message to show; nothing was stored
    // or queued and the cell shows the stored value again.
    virtual MaybeRefusal commit(int row, int column, const std::string& text) = 0;
    // Commits as the user does it: a refusal carries the cell's range as its
    // note, and a typed number beyond the range is reported with what was
    // stored instead.
    CellCommit commitCell(int row, int column, const std::string& text);

    // Called when the view is opened or made current again (and after the image
    // was replaced while it is shown).
    virtual void opened() {}

    bool isEditable(int row, int column) const {
        if (!inTable(row, column)) return false;
        const CellKind kind = cellKind(row, column);
        return kind == CellKind::Text || kind == CellKind::DropDown;
    }
    bool inTable(int row, int column) const { return row >= 0 && row < rowCount() && column >= 0 && column < columnCount(); }
};

}  // namespace vantrel
