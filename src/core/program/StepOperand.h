#pragma once

// The two directions between a command editor's record and a step's operand
// text (CP932).

#include <string>

#include "data/SettingsImage.h"
#include "program/CommandEditRecord.h"
#include "program/StepRecord.h"

namespace vantrel {

// The operand text StepEditor::storeCommand stores for a record: built from the
// axes, points and choices for the axis commands, PATH, ACC, SAV, SAV2 and
// SHIFT, the record's own operand for every other code. At most 254 bytes.
std::string buildStepOperand(const CommandEditRecord& record);

// The record an editor re-opens an existing step with, read back from the
// step's operand (and, for WAIT, the timer's current value in the image).
// PATH/ACC give onOff = 1 for OFF, SHIFT gives the shift choice 1 or 2 and the
// point number; the editors translate.
CommandEditRecord editRecordFromStep(const StepRecord& step, const SettingsImage& image);

}  // namespace vantrel
