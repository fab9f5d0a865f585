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

void UnsavedWork::settingsSavedOrRead(const SettingsImage& image, Origin origin) {
    saved_.image = fingerprintOf(image);
    settingsOrigin_ = std::move(origin);
}

void UnsavedWork::programsSavedOrRead(std::string_view programText, Origin origin) {
    saved_.text = contentFingerprint(programText);
    programsOrigin_ = std::move(origin);
}

void UnsavedWork::restored(const SettingsImage& image, std::string_view programText) {
    if (settingsUnsaved(image)) settingsOrigin_ = {Origin::Kind::Recovered, {}};
    if (programsUnsaved(programText)) programsOrigin_ = {Origin::Kind::Recovered, {}};
}

bool UnsavedWork::settingsUnsaved(const SettingsImage& image) const { return fingerprintOf(image) != saved_.image; }

bool UnsavedWork::programsUnsaved(std::string_view programText) const {
    return contentFingerprint(programText) != saved_.text;
}

}  // namespace vantrel
