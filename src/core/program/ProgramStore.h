#pragma once

// All programs of the data set as one text, the program being edited and the
// directory of program numbers.
//
// The text is CP932 bytes: program sections, each a header line
// "\tPROG\t#nnn[\t;name]\r\n" followed by one line per step (see StepLine.h).
// Sections follow one another in the order they were created. The text never
// holds a NUL byte; a 0x1A byte may end it (writers that append leave one
// behind) and ends it for every reader. It is a growable buffer limited to
// 16 MiB including the terminator: a change that would pass the limit is
// refused and leaves the text as it was.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/EditRecorder.h"
#include "data/Refusal.h"
#include "program/CurrentProgram.h"
#include "program/ProgramDirectory.h"

namespace vantrel {

class ProgramStore {
public:
    static constexpr std::size_t kCapacity = 16777216;  // bytes, terminator included
    static constexpr std::size_t kMaxTextLength = kCapacity - 1;
    static constexpr int kMaxProgramNumber = 255;

    struct Section {
        bool found = false;
        std::size_t start = 0;  // header position; the text's length when not found
        std::size_t end = 0;    // where the next section begins, or the text's length
        bool more = false;      // another section follows
    };

    // --- Text --------------------------------------------------------------
    const std::string& text() const { return text_; }
    std::size_t length() const { return text_.size(); }
    // The text up to the 0x1A that ends it.
    std::string_view readableText() const { return std::string_view(text_).substr(0, readableEnd()); }
    // Replaces the whole text by the lines of a program text file: CR LF (or a
    // lone LF) ends a line, 0x1A ends the input, NUL bytes are dropped, and each
    // line is stored with CR LF. When the result would pass the limit nothing
    // changes and the result is false. Sets storeClean.
    bool loadText(std::string_view fileBytes);
    void clear();
    // Every CR not followed by LF becomes a blank (before the text is written
    // to the working file).
    void blankLoneCarriageReturns();
    // Puts back a text the undo history rebuilt: an edit, not a load
    // (storeClean is cleared and the recorder is not told).
    void restoreText(std::string text);

    // What is told about every change of the text (the undo history): each
    // change before it is made, a load or clear after it. It belongs to this
    // object: a copy starts without one.
    void setEditRecorder(EditRecorder* recorder) { recorder_.recorder = recorder; }
    EditRecorder* editRecorder() const { return recorder_.recorder; }

    // --- Sections ------------------------------------------------------------
    using SectionTable = std::array<Section, kMaxProgramNumber + 1>;  // by program number

    Section findProgram(int number) const;
    // The section findProgram gives for every program number 1..255, found in
    // one walk of the text (entry 0 is never found).
    SectionTable findAllPrograms() const;
    // The lines of a section after its header, each without its line end (a
    // last line without one included), as loadProgram reads them. Like the
    // lines it gives, it is valid until the text changes.
    class SectionLines {
    public:
        bool next(std::string_view& line);

    private:
        friend class ProgramStore;
        SectionLines(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}
        std::string_view text_;
        std::size_t pos_;
    };
    SectionLines sectionLines(const Section& section) const;
    // The lines of a section that loadProgram reads as steps: comment lines
    // skipped, at most 255; the lines after the 255th step are left in rest().
    class StepLines {
    public:
        bool next(std::string_view& line);
        SectionLines& rest() { return lines_; }

    private:
        friend class ProgramStore;
        explicit StepLines(SectionLines lines) : lines_(lines) {}
        SectionLines lines_;
        int count_ = 0;
    };
    StepLines stepLines(const Section& section) const { return StepLines(sectionLines(section)); }
    // Rebuilds the directory; returns the number of programs. Headers whose
    // number is not three digits in 1..255 are not listed (their text stays).
    int scanDirectory();
    // Unpacks program `number` into the current program (an empty program when
    // it has no section). Of a section with more than 255 steps the rest is
    // kept in CurrentProgram::excessLines.
    void loadProgram(int number);
    // Unpacks program `number` into `out` without touching the current program.
    void readProgram(int number, CurrentProgram& out) const;
    // The same from its section, found before (findAllPrograms).
    void readProgram(int number, const Section& section, CurrentProgram& out) const;
    // Renders the current program as section `number` and puts it in place of
    // the old one (appended when there is none). Returns the new text length,
    // or nothing when the result would pass 16 MiB (the text is unchanged).
    std::optional<std::size_t> commitProgram(int number);
    // Appends an empty section for `number`; false when it would not fit.
    bool addProgram(int number);
    void deleteProgramText(int number);
    // Removes the sections of all `numbers` (each at most once) in one rebuild
    // of the text, with the result of deleteProgramText for each in turn.
    void deletePrograms(const std::vector<std::uint8_t>& numbers);
    // Sets the name (CP932) of the current program and its directory entry; the
    // caller commits. Control bytes become blanks, the name is cut to 100 bytes.
    void setProgramName(std::string_view name);
    // Header line plus step lines of the current program.
    std::string renderProgram() const;

    // --- State ---------------------------------------------------------------
    bool storeClean() const { return storeClean_; }
    void setStoreClean(bool clean) { storeClean_ = clean; }
    CurrentProgram& current() { return current_; }
    const CurrentProgram& current() const { return current_; }
    const ProgramDirectory& directory() const { return directory_; }
    // The program the editor shows; survives re-scans.
    int selectedProgram() const { return selectedProgram_; }
    void setSelectedProgram(int number) { selectedProgram_ = number; }
    // Makes `number` the selected program and loads it.
    void selectProgram(int number);
    // The first program number of the directory, or 1 when there is none.
    int firstProgramNumber() const;

    // The refusal of a change that does not fit into the store.
    static Refusal storeFullRefusal();

private:
    std::size_t readableEnd() const;
    // Where appended text goes: over a final 0x1A, else at the end.
    std::size_t appendPosition() const;
    bool fits(std::size_t newLength) const { return newLength <= kMaxTextLength; }
    // Bytes [pos, pos + length) become `inserted`; the recorder is told first.
    void splice(std::size_t pos, std::size_t length, std::string_view inserted);
    void textReplaced();

    struct RecorderSlot {
        EditRecorder* recorder = nullptr;
        RecorderSlot() = default;
        RecorderSlot(const RecorderSlot&) {}
        RecorderSlot& operator=(const RecorderSlot&) { return *this; }
    };

    std::string text_;
    bool storeClean_ = true;
    CurrentProgram current_;
    ProgramDirectory directory_;
    int selectedProgram_ = 1;
    RecorderSlot recorder_;
};

}  // namespace vantrel
