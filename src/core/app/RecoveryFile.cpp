#include "app/RecoveryFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "data/ByteOrder.h"
#include "data/FileSaveMessages.h"
#include "platform/ContentFingerprint.h"
#include "platform/FileRead.h"
#include "program/ProgramStore.h"

namespace vantrel {

namespace {
constexpr std::string_view kTag = "VANTREL RECOVERY 1\n";
constexpr std::size_t kCountSize = 4;
constexpr std::size_t kFingerprintSize = 8;
// A file can never be larger than a full store with the image beside it.
constexpr std::size_t kMaxFileSize =
    kTag.size() + 2 * kCountSize + SettingsImage::kSize + ProgramStore::kCapacity + kFingerprintSize;

void appendCount(std::string& out, std::uint32_t value) {
    std::uint8_t bytes[kCountSize];
    writeU32LE(bytes, value);
    out.append(reinterpret_cast<const char*>(bytes), kCountSize);
}

std::uint32_t countAt(std::string_view bytes, std::size_t offset) {
    return readU32LE(reinterpret_cast<const std::uint8_t*>(bytes.data() + offset));
}
}  // namespace

std::string encodeRecoveredWork(const SettingsImage& image, std::string_view programText) {
    std::string out;
    out.reserve(kTag.size() + 2 * kCountSize + SettingsImage::kSize + programText.size() + kFingerprintSize);
    out += kTag;
    appendCount(out, static_cast<std::uint32_t>(SettingsImage::kSize));
    out.append(reinterpret_cast<const char*>(image.data()), SettingsImage::kSize);
    appendCount(out, static_cast<std::uint32_t>(programText.size()));
    out += programText;
    const std::uint64_t fingerprint = contentFingerprint(out);
    appendCount(out, static_cast<std::uint32_t>(fingerprint));
    appendCount(out, static_cast<std::uint32_t>(fingerprint >> 32));
    return out;
}

std::optional<RecoveredWork> decodeRecoveredWork(std::string_view bytes) {
    const std::size_t imageAt = kTag.size() + kCountSize;
    const std::size_t textCountAt = imageAt + SettingsImage::kSize;
    if (bytes.size() < textCountAt + kCountSize + kFingerprintSize || bytes.size() > kMaxFileSize) return std::nullopt;
    if (bytes.substr(0, kTag.size()) != kTag || countAt(bytes, kTag.size()) != SettingsImage::kSize) return std::nullopt;
    const std::size_t textSize = countAt(bytes, textCountAt);
    const std::size_t textAt = textCountAt + kCountSize;
    if (textSize > ProgramStore::kMaxTextLength || bytes.size() != textAt + textSize + kFingerprintSize)
        return std::nullopt;
    const std::size_t fingerprintAt = textAt + textSize;
    const std::uint64_t stored = static_cast<std::uint64_t>(countAt(bytes, fingerprintAt)) |
                                 (static_cast<std::uint64_t>(countAt(bytes, fingerprintAt + kCountSize)) << 32);
    if (stored != contentFingerprint(bytes.substr(0, fingerprintAt))) return std::nullopt;
    RecoveredWork work;
    std::copy_n(bytes.data() + imageAt, SettingsImage::kSize, reinterpret_cast<char*>(work.image.data()));
    work.programText.assign(bytes.substr(textAt, textSize));
    return work;
}

std::optional<RecoveredWork> readRecoveryFile(const std::string& path) {
    const FileContent file = readFile(path, kMaxFileSize);
    if (!file) return std::nullopt;
    return decodeRecoveredWork(file.bytes);
}

std::string damagedRecoveryPath(const std::string& path, const std::tm& when, int attempt) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1, when.tm_mday,
                  when.tm_hour, when.tm_min, when.tm_sec);
    const std::string counted = attempt > 0 ? "-" + std::to_string(attempt + 1) : std::string();
    return folder + "recovery-damaged-" + stamp + counted + ".dat";
}

Refusal damagedRecoveryMessage(const std::string& path, const std::string& setAsidePath) {
    std::string text = "前回の復元用データが壊れているため、復元できません。\n";
    text += setAsidePath.empty() ? path : "次の名前で残しました:\n" + setAsidePath;
    return {text, "確認", MessageIcon::Warning};
}

std::string recoveryWriteFailedText(const FileWriteResult& result) {
    return "復元用データを書き込めません（" + fileWriteReason(result) + "）";
}

Refusal restoreWorkQuestion() {
    return {"前回は正常に終了しませんでした。\n保存されていない設定とプログラムを復元しますか？", "確認",
            MessageIcon::Question};
}

}  // namespace vantrel
