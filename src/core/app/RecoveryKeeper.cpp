#include "app/RecoveryKeeper.h"

namespace vantrel {

RecoveryKeeper::RecoveryKeeper(const UnsavedWork& work) : RecoveryKeeper(work, Timing{}) {}

RecoveryKeeper::RecoveryKeeper(const UnsavedWork& work, Timing timing) : work_(work), timing_(timing) {}

void RecoveryKeeper::adoptRecoveryCopy(const SettingsImage& image, std::string_view text) {
    copy_ = Fingerprints::of(image, text);
    copyMayExist_ = true;
    seen_ = copy_;
    unwrittenSince_.reset();
}

RecoveryKeeper::Step RecoveryKeeper::poll(Clock::time_point now, const SettingsImage& image, std::string_view text) {
    const Fingerprints current = Fingerprints::of(image, text);
    if (current != seen_) {
        seen_ = current;
        lastChange_ = now;
    }
    if (current == work_.saved()) {
        unwrittenSince_.reset();
        if (!copyMayExist_) return Step::Nothing;
        copy_.reset();
        copyMayExist_ = false;
        return Step::Remove;
    }
    if (current == copy_) {
        unwrittenSince_.reset();
        return Step::Nothing;
    }
    if (!unwrittenSince_) unwrittenSince_ = now;
    if (now - lastChange_ < timing_.quiet && now - *unwrittenSince_ < timing_.longest) return Step::Nothing;
    copy_ = current;
    copyMayExist_ = true;
    unwrittenSince_.reset();
    return Step::Write;
}

void RecoveryKeeper::writeFailed(Clock::time_point now) {
    // The file may still hold an older copy or none: it is rewritten once the
    // work is quiet again, or removed when the work is saved.
    copy_.reset();
    lastChange_ = now;
    unwrittenSince_ = now;
}

}  // namespace vantrel
