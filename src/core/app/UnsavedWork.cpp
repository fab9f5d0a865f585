#include "app/UnsavedWork.h"

#include "platform/ContentFingerprint.h"

namespace vantrel {

namespace {
std::uint64_t fingerprintOf(const SettingsImage& image) {
    return contentFingerprint(image.data(), SettingsImage::kSize);
}
}  // namespace

UnsavedWork::Fingerprints UnsavedWork::Fingerprints::of(const SettingsImage& image, std::string_view text) {
    return {fingerprintOf(image), contentFingerprint(text)};
}

UnsavedWork::UnsavedWork() : UnsavedWork(SettingsImage{}, {}) {}

UnsavedWork::UnsavedWork(const SettingsImage& image, std::string_view programText)
    : saved_(Fingerprints::of(image, programText)) {}

void UnsavedWork::settingsSavedOrRead(const SettingsImage& image) { saved_.image = fingerprintOf(image); }

void UnsavedWork::programsSavedOrRead(std::string_view programText) { saved_.text = contentFingerprint(programText); }

bool UnsavedWork::settingsUnsaved(const SettingsImage& image) const { return fingerprintOf(image) != saved_.image; }

bool UnsavedWork::programsUnsaved(std::string_view programText) const {
    return contentFingerprint(programText) != saved_.text;
}

}  // namespace vantrel
