#include "undo/EditHistory.h"

#include <algorithm>
#include <utility>

#include "data/ImageEdit.h"
#include "undo/TextSplicer.h"

namespace vantrel {

namespace {

bool sameField(const FieldChange& f) {
    const std::uint32_t mask = f.size >= 4 ? 0xFFFFFFFFu : (1u << (8 * f.size)) - 1;
    return ((static_cast<std::uint32_t>(f.oldValue) ^ static_cast<std::uint32_t>(f.newValue)) & mask) == 0;
}

// An edit that stored only what was there already (a cell typed anew) is
// nothing to undo. Its fields are kept otherwise, unchanged ones too, so that
// undo and redo queue every address the edit queued.
bool changesSomething(const EditCommand& command) {
    return !command.splices.empty() ||
           std::any_of(command.fields.begin(), command.fields.end(), [](const FieldChange& f) { return !sameField(f); });
}

}  // namespace

EditHistory::EditHistory(SettingsImage& image, ProgramStore& store, ControllerWriteSink* target)
    : EditHistory(image, store, target, Limits{}) {}

EditHistory::EditHistory(SettingsImage& image, ProgramStore& store, ControllerWriteSink* target, Limits limits)
    : image_(image), store_(store), target_(target), limits_(limits) {
    store_.setEditRecorder(this);
}

EditHistory::~EditHistory() {
    if (store_.editRecorder() == this) store_.setEditRecorder(nullptr);
}

// --- ControllerWriteSink -------------------------------------------------------

void EditHistory::queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) {
    if (target_) target_->queueValueWrite(address, size, value);
}

void EditHistory::queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) {
    if (target_) target_->queueAxisParameterWrite(address, size, value);
}

// --- EditRecorder -----------------------------------------------------------------

void EditHistory::beginEdit(std::string name, const EditPlace& place) {
    if (open_++ == 0) {
        openCommand_ = EditCommand{std::move(name), place, {}, {}};
        return;
    }
    if (openCommand_.name.empty()) openCommand_.name = std::move(name);
    if (openCommand_.place.where == EditPlace::Where::Nowhere) openCommand_.place = place;
}

void EditHistory::endEdit() {
    if (open_ == 0 || --open_ > 0) return;
    EditCommand command = std::exchange(openCommand_, EditCommand{});
    if (!changesSomething(command)) return;
    if (command.name.empty()) command.name = kUngroupedName;
    push(std::move(command));
}

void EditHistory::renameEdit(std::string name) {
    if (open_ == 1) openCommand_.name = std::move(name);
}

void EditHistory::fieldStoring(std::size_t offset, int size, std::int32_t oldValue, std::int32_t newValue) {
    if (replaying_) return;
    const bool alone = open_ == 0;
    if (alone) beginEdit({}, {});
    openCommand_.fields.push_back({offset, size, oldValue, newValue});
    if (alone) endEdit();
}

void EditHistory::textSplicing(std::size_t pos, std::string_view removed, std::string_view inserted) {
    if (replaying_) return;
    // Only what differs is kept: a commit rewrites a whole program for a
    // change of one step.
    const std::size_t shorter = std::min(removed.size(), inserted.size());
    std::size_t head = 0;
    while (head < shorter && removed[head] == inserted[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && removed[removed.size() - 1 - tail] == inserted[inserted.size() - 1 - tail]) ++tail;
    removed = removed.substr(head, removed.size() - head - tail);
    inserted = inserted.substr(head, inserted.size() - head - tail);
    if (removed.empty() && inserted.empty()) return;

    const bool alone = open_ == 0;
    if (alone) beginEdit({}, {});
    openCommand_.splices.push_back({pos + head, std::string(removed), std::string(inserted)});
    if (alone) endEdit();
}

// --- Undo and redo ------------------------------------------------------------------

std::string EditHistory::undoName() const { return canUndo() ? commands_[done_ - 1].name : std::string(); }

std::string EditHistory::redoName() const { return canRedo() ? commands_[done_].name : std::string(); }

std::optional<EditHistory::Outcome> EditHistory::undo() {
    if (!canUndo()) return std::nullopt;
    Outcome outcome = replay(commands_[done_ - 1], false);
    --done_;
    tell(Change::Undone);
    return outcome;
}

std::optional<EditHistory::Outcome> EditHistory::redo() {
    if (!canRedo()) return std::nullopt;
    Outcome outcome = replay(commands_[done_], true);
    ++done_;
    tell(Change::Redone);
    return outcome;
}

EditHistory::Outcome EditHistory::replay(const EditCommand& command, bool forward) {
    replaying_ = true;
    ImageEdit edit(image_, target_);
    if (forward) {
        for (const FieldChange& f : command.fields) edit.store(f.offset, f.size, f.newValue);
    } else {
        for (auto f = command.fields.rbegin(); f != command.fields.rend(); ++f) edit.store(f->offset, f->size, f->oldValue);
    }
    if (!command.splices.empty()) {
        store_.restoreText(forward ? TextSplicer::forward(store_.text(), command.splices)
                                   : TextSplicer::backward(store_.text(), command.splices));
        reloadProgram(command.place);
    }
    replaying_ = false;
    return {command.name, command.place, !command.fields.empty(), !command.splices.empty()};
}

void EditHistory::reloadProgram(const EditPlace& place) {
    store_.scanDirectory();
    const auto& numbers = store_.directory().numbers;
    const auto present = [&numbers](int n) { return std::binary_search(numbers.begin(), numbers.end(), n); };
    int program = store_.selectedProgram();
    if (place.where == EditPlace::Where::Step && present(place.program))
        program = place.program;
    else if (!present(program))
        program = store_.firstProgramNumber();
    store_.selectProgram(program);
}

void EditHistory::clear() {
    const bool had = !commands_.empty() || !openCommand_.empty();
    commands_.clear();
    done_ = 0;
    bytes_ = 0;
    // A group still open goes on recording from the work as it is now.
    openCommand_.fields.clear();
    openCommand_.splices.clear();
    if (had) tell(Change::Cleared);
}

void EditHistory::push(EditCommand command) {
    while (commands_.size() > done_) {
        bytes_ -= commands_.back().bytes();
        commands_.pop_back();
    }
    command.fields.shrink_to_fit();
    command.splices.shrink_to_fit();
    bytes_ += command.bytes();
    commands_.push_back(std::move(command));
    done_ = commands_.size();
    while (!commands_.empty() && (commands_.size() > limits_.commands || bytes_ > limits_.bytes)) {
        bytes_ -= commands_.front().bytes();
        commands_.pop_front();
        --done_;
    }
    tell(Change::Recorded);
}

void EditHistory::tell(Change change) {
    if (listener_) listener_(change);
}

}  // namespace vantrel
