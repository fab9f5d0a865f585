#pragma once

#include <functional>

#include "data/Refusal.h"

namespace vantrel {

// Asks the user a Yes/No question (text, title, icon); true for Yes. The GUI
// answers with a message box, tests with a recorder.
using AskQuestion = std::function<bool(const Refusal& question)>;

}  // namespace vantrel
