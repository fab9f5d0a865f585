#pragma once

// When to keep a recovery copy of the user's work. While the settings image
// or the program store text hold unsaved changes (UnsavedWork) a recovery
// copy is kept: written once the work has been quiet for a moment
// (so a burst of typing costs one write, not one per key) and at the latest a
// while after the first unwritten change (so steady typing is still saved).
// When nothing is unsaved any more (saved, or the edit undone) the copy is
// removed.
//
// The keeper never sits on the path of an edit: the owner calls poll() from a
// timer, and poll() only reads the two blocks. It is used on one thread.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/UnsavedWork.h"
#include "data/SettingsImage.h"

namespace vantrel {

class RecoveryKeeper {
public:
    using Clock = std::chrono::steady_clock;

    struct Timing {
        // Write when nothing has changed for this long...
        std::chrono::milliseconds quiet{2000};
        // ...or when the oldest unwritten change is this old.
        std::chrono::milliseconds longest{20000};
    };

    enum class Step {
        Nothing,
        Write,   // write the recovery copy of the image and text just polled
        Remove,  // remove the recovery copy
    };

    // `work` tells what was last saved or read; it outlives the keeper.
    explicit RecoveryKeeper(const UnsavedWork& work);
    RecoveryKeeper(const UnsavedWork& work, Timing timing);

    // The recovery copy on disk holds exactly this work (it was just restored
    // from it), so it need not be written again.
    void adoptRecoveryCopy(const SettingsImage& image, std::string_view text);

    // Looks at the work as it is now and says what to do with the copy. Write
    // and Remove are taken as done; writeFailed() says otherwise.
    Step poll(Clock::time_point now, const SettingsImage& image, std::string_view text);
    // The last Write did not reach the disk: try again after the next quiet time.
    void writeFailed(Clock::time_point now);

    // Whether a recovery copy may be on disk.
    bool hasCopy() const { return copyMayExist_; }

private:
    using Fingerprints = UnsavedWork::Fingerprints;

    const UnsavedWork& work_;
    Timing timing_;
    std::optional<Fingerprints> seen_;        // at the last poll
    std::optional<Fingerprints> copy_;        // what the recovery copy holds, when known
    bool copyMayExist_ = false;
    Clock::time_point lastChange_{};          // when the work last changed
    std::optional<Clock::time_point> unwrittenSince_;  // first change the copy lacks
};

}  // namespace vantrel
