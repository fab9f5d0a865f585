#include "program/StepEditor.h"

#include <algorithm>
#include <optional>

#include "data/EditGroup.h"
#include "data/ProgramTitle.h"
#include "program/AutoPoints.h"
#include "program/PaletteButton.h"
#include "program/StepLine.h"
#include "program/StepOperand.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr int kMaxSteps = CurrentProgram::kMaxSteps;
constexpr int kPulseAxes = 4;
constexpr int kMaxPointNumber = 2000;

Refusal warning(const char* text) { return {text, kProgramTitle, MessageIcon::Warning}; }

Refusal noRowSelected() { return warning("行が選択されていません。"); }
Refusal programFull() { return warning("これ以上コマンドを追加できません。"); }
Refusal autoPointsFull() { return warning("自動割付ポイント番号がいっぱいになりました。"); }

bool validPoint(int point) { return point >= 1 && point <= kMaxPointNumber; }

std::string stepsName(const char* what, int steps) { return std::string(what) + " " + std::to_string(steps) + " ステップ"; }

// Position records with a use of their own: the movable range, the prohibited
// areas and the homing record. A step from a file may name one of them as its
// point; a step's positions never go there (nor does deleting it clear them).
bool reservedPositionIndex(int index) {
    const auto inArea = [index](int first) { return index >= first && index < first + layout::kProhibitedAreaCount; };
    return index == layout::kMovableMaxIndex || index == layout::kMovableMinIndex ||
           index == StepEditor::kHomingRecordIndex || inArea(layout::kProhibitedMaxIndex) ||
           inArea(layout::kProhibitedMinIndex);
}

Refusal reservedPoint() {
    return warning("指定のポイントは可動範囲・禁止領域・原点復帰の設定に使われているため、\n"
                   "位置を書き込めません。");
}

}  // namespace

StepEditor::StepEditor(ProgramStore& store, SettingsImage& image, ControllerWriteSink* sink)
    : store_(store), edit_(image, sink) {}

// --- Records ---------------------------------------------------------------------

bool StepEditor::insertRecords(int index, int count) {
    CurrentProgram& p = program();
    if (index < 0 || count < 0 || index > p.stepCount || p.stepCount + count > kMaxSteps) return false;
    for (int i = p.stepCount - 1; i >= index; --i) p.step(i + count) = std::move(p.step(i));
    for (int i = index; i < index + count; ++i) p.step(i).clear();
    p.stepCount = static_cast<std::uint8_t>(p.stepCount + count);
    return true;
}

void StepEditor::removeRecords(int index, int count) {
    CurrentProgram& p = program();
    if (index < 0 || count <= 0 || index >= p.stepCount) return;
    count = std::min(count, p.stepCount - index);
    for (int i = index + count; i < p.stepCount; ++i) p.step(i - count) = std::move(p.step(i));
    for (int i = p.stepCount - count; i < p.stepCount; ++i) p.step(i).clear();
    p.stepCount = static_cast<std::uint8_t>(p.stepCount - count);
}

bool StepEditor::commitOrRestore(const CurrentProgram& before) {
    if (store_.commitProgram(program().number)) return true;
    program() = before;
    return false;
}

// --- Palette ---------------------------------------------------------------------

MaybeRefusal StepEditor::checkCanAdd(bool needsTwoSteps) const {
    if (selectedRow_ < 0) return noRowSelected();
    if (program().stepCount >= (needsTwoSteps ? kMaxSteps - 1 : kMaxSteps)) return programFull();
    return std::nullopt;
}

std::vector<StepEditor::PositionWrite> StepEditor::positionWrites(const CommandEditRecord& record) const {
    std::vector<PositionWrite> writes;
    const auto entry = [&](int i) -> const CommandEditRecord::Axis& { return record.axes[static_cast<std::size_t>(i)]; };
    switch (record.code) {
    case kCodeMove: case kCodeMoveP: case kCodeLine: case kCodeMoveD: case kCodeMovePD: case kCodeLineC:
        for (int axis = 0; axis < kPulseAxes; ++axis)
            if (entry(axis).selected)
                writes.push_back({axis, record.point1 - 1, entry(axis).position, entry(axis).speedRate});
        break;
    case kCodeArc: case kCodeArcC:
        for (int axis = 0; axis < kPulseAxes; ++axis) {
            if (!entry(axis).selected) continue;
            writes.push_back({axis, record.point1 - 1, entry(axis).position, entry(axis).speedRate});
            writes.push_back({axis, record.point2 - 1, entry(axis + 4).position, entry(axis + 4).speedRate});
        }
        break;
    case kCodeShift:
        // The shift point is given as an index, not as a point number.
        for (int axis = 0; axis < kPulseAxes; ++axis)
            if (entry(axis).selected) writes.push_back({axis, record.point1, entry(axis).position, -1});
        break;
    default:
        break;
    }
    return writes;
}

EditOutcome StepEditor::storeCommand(const CommandEditRecord& record) {
    if (!editable()) return EditOutcome::nothing();
    const int row = selectedRow_;
    CurrentProgram& p = program();
    if (row < 0 || row > p.stepCount || row >= kMaxSteps) return EditOutcome::nothing();
    if (isPositionCommand(record.code) &&
        (!validPoint(record.point1) || (hasSecondPoint(record.code) && !validPoint(record.point2))))
        return EditOutcome::refused(autoPointsFull());
    const std::vector<PositionWrite> writes = positionWrites(record);
    for (const PositionWrite& w : writes)
        if (reservedPositionIndex(w.index)) return EditOutcome::refused(reservedPoint());

    const bool inserting = storeMode_ == StoreMode::Insert || row == p.stepCount;
    EditGroup group(store_.editRecorder(), (inserting ? "追加 " : "変更 ") + std::string(commandDisplayName(record.code)),
                    EditPlace::step(p.number, row));
    lastEditRecord_ = record;
    const CurrentProgram before = p;
    if (inserting && !insertRecords(row, 1)) return EditOutcome::nothing();
    StepRecord& step = p.step(row);
    step.code = record.code;
    step.operand = buildStepOperand(record);
    step.separatorBlank = false;
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());

    for (const PositionWrite& w : writes) {
        edit_.writePosition(w.axis, w.index, w.position);
        if (w.speed >= 0) {
            if (const auto offset = SettingsImage::positionRecordOffset(w.axis, w.index))
                edit_.write(*offset + PositionRecord::kSpeed, 1, w.speed);
        }
    }
    if (record.code == kCodeHome || record.code == kCodeHomeP) {
        for (int axis = 0; axis < kPulseAxes; ++axis)
            edit_.write(*SettingsImage::positionRecordOffset(axis, kHomingRecordIndex) + PositionRecord::kSpeed, 1,
                        record.axes[static_cast<std::size_t>(axis)].speedRate);
    }
    if (record.code == kCodeWait && record.number < layout::kTimerCount)
        edit_.write(TimerTable::timerOffset(record.number), 2, record.value & 0xFFFF);

    lastStoredRow_ = row;
    selectedRow_ = std::min(row + 1, kMaxSteps - 1);
    return EditOutcome::success();
}

EditOutcome StepEditor::storeSimpleCommand(std::uint8_t code) {
    if (!editable()) return EditOutcome::nothing();
    if (auto refusal = checkCanAdd()) return EditOutcome::refused(*refusal);
    CommandEditRecord record;
    record.code = code;
    return storeCommand(record);
}

EditOutcome StepEditor::storeEndIf() {
    CommandEditRecord record;
    record.code = kCodeEndIf;
    return storeCommand(record);
}

// --- Steps -----------------------------------------------------------------------

EditOutcome StepEditor::insertEmptyStep(int index) {
    if (!editable() || index >= kMaxSteps) return EditOutcome::nothing();
    EditGroup group(store_.editRecorder(), "空行挿入", EditPlace::step(program().number, index));
    const CurrentProgram before = program();
    if (!insertRecords(index, 1)) return EditOutcome::nothing();
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    return EditOutcome::success();
}

EditOutcome StepEditor::deleteStep(int index) {
    if (!editable() || index < 0 || index >= program().stepCount) return EditOutcome::nothing();
    EditGroup group(store_.editRecorder(), stepsName("削除", 1), EditPlace::step(program().number, index));
    const CurrentProgram before = program();
    removeRecords(index, 1);
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    return EditOutcome::success();
}

EditOutcome StepEditor::deleteSelectedRows(std::vector<int> rows, const AskQuestion& ask) {
    if (!editable()) return EditOutcome::nothing();
    if (rows.empty() || selectedRow_ < 0) return EditOutcome::refused(noRowSelected());
    const int focused = selectedRow_ < kMaxSteps ? selectedRow_ : rows.front();
    if (focused < 0 || focused >= kMaxSteps || program().step(focused).empty())
        return EditOutcome::refused(warning("コマンドが設定されていない行です。"));
    if (!ask || !ask({"本当に削除しますか？", "確認", MessageIcon::Question})) return EditOutcome::nothing();

    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const auto inProgram = [this](int row) { return row >= 0 && row < program().stepCount; };
    const auto firstRow = std::find_if(rows.begin(), rows.end(), inProgram);
    EditGroup group(store_.editRecorder(),
                    stepsName("削除", static_cast<int>(std::count_if(rows.begin(), rows.end(), inProgram))),
                    EditPlace::step(program().number, firstRow == rows.end() ? 0 : *firstRow));
    const CurrentProgram before = program();
    int lowest = -1;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!inProgram(*it)) continue;
        removeRecords(*it, 1);
        lowest = *it;
    }
    if (lowest < 0) return EditOutcome::nothing();
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    selectedRow_ = lowest;
    return EditOutcome::success();
}

// --- Labels and comments ------------------------------------------------------------

MaybeRefusal StepEditor::checkLabelRow() const {
    if (selectedRow_ < 0 || selectedRow_ >= kMaxSteps) return noRowSelected();
    if (program().step(selectedRow_).empty()) return warning("コマンドの存在する行を選択してください。");
    return std::nullopt;
}

EditOutcome StepEditor::setStepLabel(const CommandEditRecord& record) {
    if (!editable()) return EditOutcome::nothing();
    if (auto refusal = checkLabelRow()) return EditOutcome::refused(*refusal);
    if (record.label < 1 || record.label > 999) return EditOutcome::nothing();
    EditGroup group(store_.editRecorder(), "ラベル設定", EditPlace::step(program().number, selectedRow_));
    const CurrentProgram before = program();
    program().step(selectedRow_).label = record.label;
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    return EditOutcome::success();
}

EditOutcome StepEditor::deleteStepLabel() {
    if (!editable()) return EditOutcome::nothing();
    if (auto refusal = checkLabelRow()) return EditOutcome::refused(*refusal);
    if (program().step(selectedRow_).label == 0) return EditOutcome::refused(warning("ラベルが設定されていません。"));
    EditGroup group(store_.editRecorder(), "ラベル削除", EditPlace::step(program().number, selectedRow_));
    const CurrentProgram before = program();
    program().step(selectedRow_).label = 0;
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    return EditOutcome::success();
}

namespace {
void markLabels(const CurrentProgram& p, StepEditor::LabelSet& labels) {
    for (int i = 0; i < p.stepCount; ++i) {
        const int label = p.step(i).label;
        if (label >= 1 && label <= 999) labels[static_cast<std::size_t>(label)] = true;
    }
}
}  // namespace

StepEditor::LabelSet StepEditor::labelsInUseAll() const {
    LabelSet labels{};
    // One walk of the sections, and of each section only the labels of the
    // lines that load as steps.
    const ProgramStore::SectionTable sections = store_.findAllPrograms();
    for (const std::uint8_t number : store_.directory().numbers) {
        if (number == program().number) continue;
        ProgramStore::StepLines lines = store_.stepLines(sections[number]);
        for (std::string_view line; lines.next(line);) {
            const int label = stepLineLabel(line);
            if (label >= 1 && label <= 999) labels[static_cast<std::size_t>(label)] = true;
        }
    }
    markLabels(program(), labels);
    return labels;
}

StepEditor::LabelSet StepEditor::labelsInUseCurrent() const {
    LabelSet labels{};
    markLabels(program(), labels);
    return labels;
}

MaybeRefusal StepEditor::checkCommentRow() const {
    if (selectedRow_ < 0 || selectedRow_ >= kMaxSteps) return noRowSelected();
    if (program().step(selectedRow_).empty()) return warning("コマンドが設定されている行を選んでください。");
    return std::nullopt;
}

EditOutcome StepEditor::setStepComment(std::string_view comment) {
    if (!editable()) return EditOutcome::nothing();
    if (auto refusal = checkCommentRow()) return EditOutcome::refused(*refusal);
    if (comment.size() > kMaxCommentBytes) return EditOutcome::refused(warning("最大文字数を超えています"));
    EditGroup group(store_.editRecorder(), "コメント入力", EditPlace::step(program().number, selectedRow_));
    const CurrentProgram before = program();
    setComment(program().step(selectedRow_), fieldText(comment, kMaxCommentBytes));
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    return EditOutcome::success();
}

// --- Editing an existing step ----------------------------------------------------------

bool StepEditor::loadStepForEdit(int index) {
    lastEditRecord_ = CommandEditRecord{};
    if (index < 0 || index >= kMaxSteps || program().step(index).empty()) return false;
    lastEditRecord_ = editRecordFromStep(program().step(index), edit_.image());
    return true;
}

bool StepEditor::beginEditExisting(int row) {
    if (!editable() || !loadStepForEdit(row) || !hasEditor(lastEditRecord_.code)) return false;
    selectedRow_ = row;
    storeMode_ = StoreMode::Overwrite;
    return true;
}

// --- Points -----------------------------------------------------------------------

int StepEditor::allocateAutoPoint(int k) const {
    return AutoPoints(store_.readableText(), program()).freeIndex(k);
}

void StepEditor::freeStepPoints(const StepRecord& step, ImageEdit& edit) {
    if (!isPositionCommand(step.code)) return;
    const std::string_view operand = step.operand;
    bool namesAxis = false;
    for (const std::string_view token : {"A1", "A2", "A3", "A4"}) namesAxis = namesAxis || operand.find(token) != std::string_view::npos;
    if (!namesAxis) return;
    const auto clearPoint = [&](std::int32_t point) {
        if (point < 1 || reservedPositionIndex(point - 1)) return;
        for (int axis = 0; axis < kPulseAxes; ++axis) edit.writePosition(axis, point - 1, NOT_SET_POSITION);
    };
    const std::size_t first = operand.find(" P");
    if (first == std::string_view::npos) return;
    clearPoint(decimalAt(operand, first + 2));
    if (hasSecondPoint(step.code)) {
        bool found = false;
        const std::int32_t second = decimalAfter(operand, " P", first + 5, &found);
        if (found) clearPoint(second);
    }
}

void StepEditor::freeStepPoints(int index) {
    if (index < 0 || index >= kMaxSteps) return;
    freeStepPoints(program().step(index), edit_);
}

void StepEditor::copyPoints(const std::vector<PointCopy>& copies) {
    // Every source is read before any point is written: a new point may be the
    // old point of a later copy (a paste after deleting the copied steps hands
    // the freed points out again).
    struct Values {
        std::int32_t position;
        std::uint8_t speed;
    };
    const SettingsImage& image = edit_.image();
    std::vector<std::array<std::optional<Values>, kPulseAxes>> sources(copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i)
        for (int axis = 0; axis < kPulseAxes; ++axis)
            if (const auto from = SettingsImage::positionRecordOffset(axis, copies[i].fromIndex))
                sources[i][static_cast<std::size_t>(axis)] =
                    Values{image.readPosition(axis, copies[i].fromIndex), image.u8(*from + PositionRecord::kSpeed)};
    for (std::size_t i = 0; i < copies.size(); ++i) {
        for (int axis = 0; axis < kPulseAxes; ++axis) {
            const auto& source = sources[i][static_cast<std::size_t>(axis)];
            const auto to = SettingsImage::positionRecordOffset(axis, copies[i].toIndex);
            if (!source || !to) continue;
            edit_.writePosition(axis, copies[i].toIndex, source->position);
            edit_.write(*to + PositionRecord::kSpeed, 1, source->speed);
        }
    }
}

// --- Clipboard ----------------------------------------------------------------------

EditOutcome StepEditor::copySteps(std::vector<int> rows) {
    if (!editable() || rows.empty()) return EditOutcome::nothing();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        if (row < 0 || row >= kMaxSteps || program().step(row).empty())
            return EditOutcome::refused(warning("空白の行は、コピーできません。"));
    clipboard_.clear();
    for (int row : rows) clipboard_.push_back(program().step(row));
    return EditOutcome::success();
}

EditOutcome StepEditor::pasteSteps(int row) {
    if (!editable() || clipboard_.empty() || row < 0) return EditOutcome::nothing();
    CurrentProgram& p = program();
    const int count = clipboardCount();
    if (p.stepCount >= kMaxSteps) return EditOutcome::refused(programFull());
    if (p.stepCount + count > kMaxSteps)
        return EditOutcome::refused(warning("ペーストするコマンドステップ数に比べて、空きステップ数が足りません。"));
    if (row > 0 && (row > p.stepCount || p.step(row - 1).empty()))
        return EditOutcome::refused(warning("最終ステップの次行以外の空行にはペーストできません。"));

    EditGroup group(store_.editRecorder(), stepsName("貼り付け", count), EditPlace::step(p.number, row));
    const CurrentProgram before = p;
    insertRecords(row, count);
    // The points in use are gathered once; each pasted step adds its own.
    AutoPoints points(store_.readableText(), p);
    std::vector<PointCopy> copies;
    MaybeRefusal stopped;
    int pasted = 0;
    for (; pasted < count; ++pasted) {
        StepRecord step = clipboard_[static_cast<std::size_t>(pasted)];
        step.label = 0;
        if (usesAutoPoints(step.code)) {
            const int newPoints = hasSecondPoint(step.code) ? 2 : 1;
            std::vector<PointCopy> stepCopies;
            std::size_t search = 0;
            for (int k = 0; k < newPoints; ++k) {
                const std::size_t at = step.operand.find(" P", search);
                if (at == std::string::npos) break;
                const int index = points.freeIndex(k);
                if (index < 0) {
                    stopped = autoPointsFull();
                    break;
                }
                std::size_t digitsEnd = at + 2;
                while (digitsEnd < step.operand.size() && digitsAt(step.operand, digitsEnd, 1)) ++digitsEnd;
                const int oldIndex = digitsEnd > at + 2 ? decimalAt(step.operand, at + 2) - 1 : -1;
                stepCopies.push_back({oldIndex, index});
                step.operand.replace(at + 2, digitsEnd - (at + 2), zeroPadded(index + 1, 4));
                search = at + 2;
            }
            if (stopped) break;
            const std::size_t built = step.operand.size();
            step.operand = fieldText(step.operand, StepRecord::kMaxOperandBytes);
            if (step.operand.size() != built) step.separatorBlank = false;  // its end was cut off
            copies.insert(copies.end(), stepCopies.begin(), stepCopies.end());
        }
        p.step(row + pasted) = std::move(step);
        points.markStep(p.step(row + pasted));
    }
    if (pasted < count) removeRecords(row + pasted, count - pasted);
    if (pasted == 0) {
        p = before;
        return EditOutcome::refused(*stopped);
    }
    if (!commitOrRestore(before)) return EditOutcome::refused(ProgramStore::storeFullRefusal());
    copyPoints(copies);
    if (pasted < count) group.rename(stepsName("貼り付け", pasted));
    lastStoredRow_ = row;
    return {true, stopped};
}

}  // namespace vantrel
