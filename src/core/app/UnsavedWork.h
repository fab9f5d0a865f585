#pragma once

// Whether the settings and the programs hold changes that are in no file:
// each is compared, by fingerprint, with what was last read from or saved to
// a file (or read from the controller). Undoing a change makes the work
// saved again. The exit asks to save what is unsaved, and the recovery copy
// is kept while anything is.

#include <cstdint>
#include <string_view>

#include "data/SettingsImage.h"

namespace vantrel {

class UnsavedWork {
public:
    struct Fingerprints {
        std::uint64_t image = 0;
        std::uint64_t text = 0;
        bool operator==(const Fingerprints&) const = default;
        static Fingerprints of(const SettingsImage& image, std::string_view text);
    };

    // An empty image and no programs count as saved.
    UnsavedWork();
    // The work as it starts counts as saved.
    UnsavedWork(const SettingsImage& image, std::string_view programText);

    // The work as just saved or read.
    void settingsSavedOrRead(const SettingsImage& image);
    void programsSavedOrRead(std::string_view programText);
    // The user chose to end without saving: nothing counts as unsaved now.
    void dropChanges(const SettingsImage& image, std::string_view programText) {
        saved_ = Fingerprints::of(image, programText);
    }

    bool settingsUnsaved(const SettingsImage& image) const;
    bool programsUnsaved(std::string_view programText) const;
    bool anyUnsaved(const SettingsImage& image, std::string_view programText) const {
        return Fingerprints::of(image, programText) != saved_;
    }
    // The fingerprints of the work as last saved or read.
    const Fingerprints& saved() const { return saved_; }

private:
    Fingerprints saved_;
};

}  // namespace vantrel
