#pragma once

#include <string_view>

#include <QString>

namespace vantrel {

// A text of the core (UTF-8) as a QString.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vantrel
