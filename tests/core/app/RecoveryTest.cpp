#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecoveryFile.h"
#include "app/RecoveryKeeper.h"

namespace vantrel {
namespace {

using Step = RecoveryKeeper::Step;
using Ms = std::chrono::milliseconds;

// The keeper against a scripted run: at each moment an action on the work,
// then a poll, whose step must be the expected one.
enum class Action { None, EditImage, EditText, Undo, SaveBoth, SaveImageOnly, WriteFails, Adopt };
struct Moment {
    int ms;
    Action action;
    Step expected;
};

void play(const std::vector<Moment>& script) {
    SettingsImage image;
    std::string text = "\tPROG\t#001\r\n\tEND\t\r\n";
    const SettingsImage originalImage = image;
    const std::string originalText = text;
    UnsavedWork work(image, text);
    RecoveryKeeper keeper(work, RecoveryKeeper::Timing{Ms(2000), Ms(20000)});
    const auto start = RecoveryKeeper::Clock::time_point{} + Ms(1000000);
    int edits = 0;
    for (const Moment& m : script) {
        const auto now = start + Ms(m.ms);
        switch (m.action) {
        case Action::None: break;
        case Action::EditImage: image.setU8(100, static_cast<std::uint8_t>(++edits)); break;
        case Action::EditText: text += "\tEND\t\r\n"; break;
        case Action::Undo:
            image = originalImage;
            text = originalText;
            break;
        case Action::SaveBoth:
            work.settingsSavedOrRead(image, {});
            work.programsSavedOrRead(text, {});
            break;
        case Action::SaveImageOnly: work.settingsSavedOrRead(image, {}); break;
        case Action::WriteFails: keeper.writeFailed(now); break;
        case Action::Adopt: keeper.adoptRecoveryCopy(image, text); break;
        }
        EXPECT_EQ(keeper.poll(now, image, text), m.expected) << "at " << m.ms << " ms";
    }
}

std::vector<Moment> steadyTyping() {
    std::vector<Moment> script;
    for (int ms = 0; ms <= 45000; ms += 1000) {
        // The first unwritten change after a write restarts the longest wait.
        const bool written = ms == 20000 || ms == 41000;
        script.push_back({ms, Action::EditImage, written ? Step::Write : Step::Nothing});
    }
    script.push_back({46999, Action::None, Step::Nothing});
    script.push_back({47000, Action::None, Step::Write});
    return script;
}

TEST(RecoveryKeeper, WritesWhenTheWorkDiffersFromTheLastSaveAndIsQuiet) {
    struct Case {
        const char* what;
        std::vector<Moment> script;
    };
    const std::vector<Case> cases = {
        {"nothing changed: no copy",
         {{0, Action::None, Step::Nothing}, {60000, Action::None, Step::Nothing}}},
        {"a burst of typing is written once, when quiet",
         {{0, Action::EditImage, Step::Nothing},
          {500, Action::EditImage, Step::Nothing},
          {1000, Action::EditText, Step::Nothing},
          {2999, Action::None, Step::Nothing},
          {3000, Action::None, Step::Write},
          {3500, Action::None, Step::Nothing},
          {9000, Action::None, Step::Nothing}}},
        {"steady typing (a key a second) is still written, at the latest after the longest wait", steadyTyping()},
        {"saving removes the copy, once",
         {{0, Action::EditText, Step::Nothing},
          {2000, Action::None, Step::Write},
          {2500, Action::SaveBoth, Step::Remove},
          {9000, Action::None, Step::Nothing}}},
        {"saving the image alone keeps the copy of an edited program",
         {{0, Action::EditText, Step::Nothing},
          {100, Action::EditImage, Step::Nothing},
          {2100, Action::None, Step::Write},
          {2200, Action::SaveImageOnly, Step::Nothing},
          {2300, Action::EditImage, Step::Nothing},
          {4300, Action::None, Step::Write}}},
        {"undone before the write: nothing written",
         {{0, Action::EditImage, Step::Nothing}, {1000, Action::Undo, Step::Nothing}, {9000, Action::None, Step::Nothing}}},
        {"undone after the write: the copy goes",
         {{0, Action::EditImage, Step::Nothing}, {2000, Action::None, Step::Write}, {3000, Action::Undo, Step::Remove}}},
        {"a failed write is tried again after the next quiet time",
         {{0, Action::EditImage, Step::Nothing},
          {2000, Action::None, Step::Write},
          {2500, Action::WriteFails, Step::Nothing},
          {4499, Action::None, Step::Nothing},
          {4500, Action::None, Step::Write}}},
        {"a failed write of work since saved: the stale copy is removed",
         {{0, Action::EditImage, Step::Nothing},
          {2000, Action::None, Step::Write},
          {2500, Action::WriteFails, Step::Nothing},
          {2600, Action::SaveBoth, Step::Remove}}},
        {"restored work is not written again until it changes; saving it removes the copy",
         {{0, Action::EditImage, Step::Nothing},
          {1, Action::Adopt, Step::Nothing},
          {9000, Action::None, Step::Nothing},
          {9001, Action::EditText, Step::Nothing},
          {11001, Action::None, Step::Write},
          {12000, Action::SaveBoth, Step::Remove}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        play(c.script);
    }
}

SettingsImage filledImage() {
    SettingsImage image;
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) image.data()[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return image;
}

TEST(RecoveryFile, KeepsImageAndTextAndRefusesAnyDamage) {
    const SettingsImage image = filledImage();
    const std::string text = "\tPROG\t#001\t;\x83\x65\x83\x58\x83\x67\r\n\tEND\t\r\n";
    const std::string bytes = encodeRecoveredWork(image, text);
    const auto work = decodeRecoveredWork(bytes);
    ASSERT_TRUE(work);
    EXPECT_EQ(work->image, image);
    EXPECT_EQ(work->programText, text);
    const auto empty = decodeRecoveredWork(encodeRecoveredWork(image, ""));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->programText, "");

    struct Damage {
        const char* what;
        std::string bytes;
    };
    std::string flippedImage = bytes;
    flippedImage[40000] = static_cast<char>(flippedImage[40000] ^ 0x20);
    std::string flippedText = bytes;
    flippedText[bytes.size() - 12] = static_cast<char>(flippedText[bytes.size() - 12] ^ 0x01);
    std::string hugeCount = bytes;
    const std::size_t textCount = 19 + 4 + SettingsImage::kSize;  // tag, image size, image
    hugeCount[textCount + 3] = '\x7F';
    std::string otherTag = bytes;
    otherTag[0] = 'X';
    const std::vector<Damage> damages = {
        {"empty", ""},
        {"cut in the image", bytes.substr(0, 1000)},
        {"cut before the fingerprint", bytes.substr(0, bytes.size() - 8)},
        {"one byte short", bytes.substr(0, bytes.size() - 1)},
        {"one byte more", bytes + '\0'},
        {"an image byte changed", flippedImage},
        {"a text byte changed", flippedText},
        {"a text length beyond the file", hugeCount},
        {"another file", otherTag},
    };
    for (const Damage& d : damages) EXPECT_FALSE(decodeRecoveredWork(d.bytes)) << d.what;
}

TEST(RecoveryFile, AMissingFileIsNoRecovery) {
    EXPECT_FALSE(readRecoveryFile("/nonexistent/folder/recovery.dat"));
    const Refusal question = restoreWorkQuestion();
    EXPECT_EQ(question.title, "確認");
    EXPECT_EQ(question.icon, MessageIcon::Question);
}

}  // namespace
}  // namespace vantrel
