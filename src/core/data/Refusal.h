#pragma once

#include <optional>
#include <string>

namespace vantrel {

// Icon of a message box, chosen by the core and shown by the front end.
enum class MessageIcon { Information, Warning, Error, Question };

// A user error as a value: the exact message, its title and icon. Core
// operations that can refuse return std::optional<Refusal> (nothing = accepted)
// and leave their input as it was.
struct Refusal {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Warning;
    // Shown beside the message, not in it (the status bar): the range the
    // refused field takes. Empty for most refusals.
    std::string note = {};
};

using MaybeRefusal = std::optional<Refusal>;

// A field read from its text: the value, or the refusal to show instead.
template <class T>
struct Checked {
    T value{};
    MaybeRefusal refusal;
    explicit operator bool() const { return !refusal; }
};

}  // namespace vantrel
