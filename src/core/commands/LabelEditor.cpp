#include "commands/LabelEditor.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "data/ProgramTitle.h"
#include "program/CommandCode.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

Refusal warning(std::string text) { return {std::move(text), kProgramTitle, MessageIcon::Warning}; }

// A whole decimal number with an optional sign; nothing for any other text.
std::optional<long long> integerText(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9') return std::nullopt;
        if (value < 100000000) value = value * 10 + (text[j] - '0');  // large enough to be out of range
    }
    return text[0] == '-' ? -value : value;
}

}  // namespace

LabelEditor::LabelEditor(Mode mode, const StepEditor::LabelSet& labelsInUse, const CommandEditRecord& start)
    : mode_(mode), inUse_(labelsInUse), start_(start) {
    for (int label = kMinLabel; label <= kMaxLabel; ++label) {
        const bool used = inUse_[static_cast<std::size_t>(label)];
        if (used == (mode_ == Mode::Jump)) choices_.push_back(label);
    }
    // An existing jump opens on its target (a new step's record names none).
    // A label that is gone is shown all the same; OK then refuses it as a
    // label not set, rather than jumping somewhere else.
    const bool existingJump = mode_ == Mode::Jump && (start_.code == kCodeGoto || start_.code == kCodeJmp);
    if (existingJump) {
        const auto target = std::find(choices_.begin(), choices_.end(), start_.point1);
        initialChoice_ = static_cast<int>(target - choices_.begin());
        if (target == choices_.end()) {
            choices_.insert(choices_.begin(), start_.point1);
            initialChoice_ = 0;
        }
        return;
    }
    if (!choices_.empty()) initialChoice_ = 0;
}

std::string_view LabelEditor::title() const { return mode_ == Mode::SetLabel ? "Label入力" : "JUMP"; }

std::vector<std::string> LabelEditor::choiceTexts() const {
    std::vector<std::string> texts;
    texts.reserve(choices_.size());
    for (const int label : choices_) texts.push_back(zeroPadded(label, 3));
    return texts;
}

LabelEditor::Result LabelEditor::confirmTyped(std::string_view text) const {
    const std::optional<long long> value = integerText(text);
    if (!value) return {warning("整数を入力してください。"), {}};
    if (*value < kMinLabel || *value > kMaxLabel) {
        char message[128];
        std::snprintf(message, sizeof message, "%d から %d までの整数を入力してください。", kMinLabel, kMaxLabel);
        return {warning(message), {}};
    }
    return confirm(static_cast<int>(*value));
}

LabelEditor::Result LabelEditor::confirmChosen(int index) const {
    if (index < 0 || index >= static_cast<int>(choices_.size()))
        return {warning(mode_ == Mode::SetLabel ? "ﾗﾍﾞﾙが既に設定されています" : "ﾗﾍﾞﾙが設定されていません"), {}};
    return confirm(choices_[static_cast<std::size_t>(index)]);
}

LabelEditor::Result LabelEditor::confirm(int label) const {
    const bool used = label >= kMinLabel && label <= kMaxLabel && inUse_[static_cast<std::size_t>(label)];
    Result result;
    result.record = start_;
    if (mode_ == Mode::SetLabel) {
        if (used) return {warning("ﾗﾍﾞﾙが既に設定されています"), {}};
        result.record.label = static_cast<std::uint16_t>(label);
        return result;
    }
    if (!used) return {warning("ﾗﾍﾞﾙが設定されていません"), {}};
    result.record.code = kCodeGoto;
    result.record.operand = "L" + zeroPadded(label, 3) + " ";
    result.record.point1 = static_cast<std::uint16_t>(label);
    return result;
}

}  // namespace vantrel
