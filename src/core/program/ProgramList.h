#pragma once

// The program list ("プログラム一覧"): a working set of program numbers that
// the user adds to and deletes from; the store changes only when the list is
// applied (OK). Also the program name edit.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/ImageEdit.h"
#include "data/Refusal.h"
#include "program/ProgramStore.h"

namespace vantrel {

class ProgramList {
public:
    static constexpr int kUndeletableProgram = 100;
    static constexpr std::size_t kMaxNameBytes = 100;

    // Opening: scans the directory, remembers the selected program and fills
    // the working set from the directory.
    explicit ProgramList(ProgramStore& store);

    // The working set, ascending; row i of the list shows numbers()[i].
    const std::vector<std::uint8_t>& numbers() const { return numbers_; }
    // "P%03d" of the number of row i.
    std::string numberText(int row) const;
    // Name of the program of row i as stored (CP932); empty for new programs.
    std::string name(int row) const;

    // "新規追加": the text of the number field.
    MaybeRefusal add(std::string_view numberText);
    // "削除": row index in the working set, -1 when no row is selected.
    MaybeRefusal remove(int row);
    // "OK": creates the new programs (ascending), deletes the removed ones
    // (descending, clearing their steps' points through `edit`), chooses and
    // loads the new selected program and rescans. Returns the selected number.
    int apply(ImageEdit& edit);

    // "プログラム名称": renames the selected program (name in CP932, at most 100 bytes),
    // commits it and rescans.
    static MaybeRefusal renameProgram(ProgramStore& store, std::string_view nameCp932);
    // "%03d" of every number of the directory, for the editor's number list.
    static std::vector<std::string> numberListTexts(const ProgramDirectory& directory);

private:
    ProgramStore& store_;
    int rememberedProgram_;
    std::vector<std::uint8_t> numbers_;
};

}  // namespace vantrel
