#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel {
namespace {

// "軸移動" in CP932.
const std::string kAxisMoveAnsi = "\x8E\xB2\x88\xDA\x93\xAE";

TEST(AnsiTextTest, ConvertsJapaneseBothWays)
{
    EXPECT_EQ(ansiToUtf8(kAxisMoveAnsi), "軸移動");
    EXPECT_EQ(utf8ToAnsi("軸移動"), kAxisMoveAnsi);
    // Half-width katakana are one byte, the full-width tilde of "T1～T20" is 0x81 0x60.
    EXPECT_EQ(utf8ToAnsi("ﾗﾍﾞﾙｴﾗｰ"), "\xD7\xCD\xDE\xD9\xB4\xD7\xB0");
    EXPECT_EQ(utf8ToAnsi("T1～T20"), "T1\x81\x60T20");
    EXPECT_EQ(ansiToUtf8("T1\x81\x60T20"), "T1～T20");
    const std::string mixed = "\tPROG\t#001\t;原点復帰 test\r\n";
    EXPECT_EQ(ansiToUtf8(utf8ToAnsi(mixed)), mixed);
}

TEST(AnsiTextTest, InvalidCp932BytesBecomeReplacementCharacters)
{
    // 0xA0 and 0xFD..0xFF are no CP932 characters; a lead byte at the end is cut.
    EXPECT_EQ(ansiToUtf8("A\xFD" "B"), "A\xEF\xBF\xBD" "B");
    EXPECT_EQ(ansiToUtf8("\xFF\xFF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ansiToUtf8("ok\x8E"), "ok\xEF\xBF\xBD");
    // A lead byte followed by an invalid trail byte: both are kept visible.
    EXPECT_EQ(ansiToUtf8("\x81\x0A" "x"), "\xEF\xBF\xBD\nx");
}

TEST(AnsiTextTest, EmbeddedNulAndEmptyTextsAreKept)
{
    EXPECT_EQ(ansiToUtf8(""), "");
    EXPECT_EQ(utf8ToAnsi(""), "");
    EXPECT_EQ(ansiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(utf8ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(AnsiTextTest, UnrepresentableOrInvalidUtf8BecomesQuestionMarks)
{
    EXPECT_EQ(utf8ToAnsi("a😀b"), "a?b");     // no CP932 form: one '?' for the character
    EXPECT_EQ(utf8ToAnsi("a\xC3" "b"), "a?b");  // cut sequence
    EXPECT_EQ(utf8ToAnsi("\xFF\xFE"), "??");    // bytes that never occur in UTF-8
    EXPECT_EQ(utf8ToAnsi("\xE8\xBB"), "??");    // cut three-byte sequence at the end
}

TEST(AnsiTextTest, ArbitraryBytesNeverCrash)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
        bytes += static_cast<char>(255 - i);
    }
    const std::string utf8 = ansiToUtf8(bytes);
    EXPECT_FALSE(utf8.empty());
    EXPECT_FALSE(utf8ToAnsi(bytes).empty());
    EXPECT_FALSE(utf8ToAnsi(utf8).empty());
}

// Whether text is well-formed UTF-8 (no cut or stray sequences).
bool isValidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

TEST(AnsiTextTest, RandomBytesGiveValidUtf8AndValidTextRoundTrips)
{
    std::mt19937 random(932);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() % 256);
        }
        const std::string utf8 = ansiToUtf8(bytes);
        ASSERT_TRUE(isValidUtf8(utf8)) << round;
        // Text made of CP932 characters converts back to CP932 that shows the
        // same. (The bytes may differ: CP932 has duplicate codes for some
        // characters, such as the IBM and NEC forms of the roman numerals.)
        if (utf8.find(kReplacementUtf8) == std::string::npos) {
            EXPECT_EQ(ansiToUtf8(utf8ToAnsi(utf8)), utf8) << round;
        }
    }
}

TEST(AnsiTextTest, ByteCountsFollowCp932)
{
    EXPECT_EQ(ansiByteCount(std::string(100, 'a')), 100u);
    EXPECT_EQ(ansiByteCount("コメント"), 8u);
    EXPECT_EQ(ansiByteCount("ｺﾒﾝﾄ"), 4u);
    std::string fiftyOne;
    for (int i = 0; i < 51; ++i) {
        fiftyOne += "あ";
    }
    EXPECT_EQ(ansiByteCount(fiftyOne), 102u);
}

TEST(AnsiTextTest, PrefixNeverCutsADoubleByteCharacter)
{
    EXPECT_EQ(ansiPrefix(kAxisMoveAnsi, 5), kAxisMoveAnsi.substr(0, 4));
    EXPECT_EQ(ansiPrefix(kAxisMoveAnsi, 6), kAxisMoveAnsi);
    EXPECT_EQ(ansiPrefix("ab" + kAxisMoveAnsi, 3), "ab");
    EXPECT_EQ(ansiPrefix("abc", 0), "");
    EXPECT_EQ(ansiPrefix("ab\x8E", 10), "ab");  // a lone lead byte at the end is dropped
    EXPECT_TRUE(isAnsiLeadByte(0x81));
    EXPECT_TRUE(isAnsiLeadByte(0xFC));
    EXPECT_FALSE(isAnsiLeadByte(0xA0));
    EXPECT_FALSE(isAnsiLeadByte(0xB1));  // half-width katakana
}

}  // namespace
}  // namespace vantrel
