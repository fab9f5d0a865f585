#pragma once

// Whether the settings and the programs hold changes that are in no file:
// each is compared, by fingerprint, with what was last read from or saved to
// a file (or read from the controller). Undoing a change makes the work
// saved again. The exit asks to save what is unsaved, and the recovery copy
// is kept while anything is. Each kind also remembers where it was last
// saved or read, for the title bar and the overwriting save.

#include <cstdint>
#include <string>
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

    // Where the work was last saved or read.
    struct Origin {
        enum class Kind {
            None,        // nothing yet
            Defaults,    // the defaults beside the program (initial.bin, Ncstepini.sys)
            File,        // a file the user chose
            Controller,  // read from the controller
            Recovered,   // restored from the recovery copy a crash left
        };
        Kind kind = Kind::None;
        std::string path;  // the file (Defaults and File)
        bool operator==(const Origin&) const = default;
    };

    // An empty image and no programs count as saved.
    UnsavedWork();
    // The work as it starts counts as saved.
    UnsavedWork(const SettingsImage& image, std::string_view programText);

    // The work as just saved or read.
    void settingsSavedOrRead(const SettingsImage& image, Origin origin);
    void programsSavedOrRead(std::string_view programText, Origin origin);
    // The work came back from the recovery copy: what differs from the files
    // is from no file now.
    void restored(const SettingsImage& image, std::string_view programText);
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
    const Origin& settingsOrigin() const { return settingsOrigin_; }
    const Origin& programsOrigin() const { return programsOrigin_; }

private:
    Fingerprints saved_;
    Origin settingsOrigin_;
    Origin programsOrigin_;
};

}  // namespace vantrel
