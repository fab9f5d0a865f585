#include "data/DefaultImage.h"
#include "data/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace vantrel;
namespace fs = std::filesystem;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vantrel-settings-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    fs::path dir_;
};

SettingsImage randomImage(unsigned seed) {
    SettingsImage image;
    std::mt19937 gen(seed);
    for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(gen());
    return image;
}

}  // namespace

TEST_F(SettingsFileTest, RoundTripKeepsEveryByteIncludingReservedOnes) {
    const SettingsImage original = randomImage(7);
    ASSERT_TRUE(saveSettingsFile(original, path("a.bin")));
    EXPECT_EQ(fs::file_size(path("a.bin")), 172828u);
    SettingsImage loaded;
    EXPECT_EQ(loadSettingsFile(loaded, path("a.bin")).bytes, 172828u);
    EXPECT_EQ(loaded, original);
}

TEST_F(SettingsFileTest, SaveReplacesALongerFile) {
    writeBytes("a.bin", std::vector<std::uint8_t>(200000, 0xAB));
    ASSERT_TRUE(saveSettingsFile(SettingsImage{}, path("a.bin")));
    EXPECT_EQ(fs::file_size(path("a.bin")), 172828u);
}

TEST_F(SettingsFileTest, AShortInitialImageReplacesOnlyItsLeadingBytes) {
    const SettingsImage before = randomImage(3);
    SettingsImage image = before;
    writeBytes("short.bin", std::vector<std::uint8_t>(100, 0x5A));
    EXPECT_EQ(loadSettingsFilePrefix(image, path("short.bin")).bytes, 100u);
    for (std::size_t i = 0; i < 100; ++i) ASSERT_EQ(image.u8(i), 0x5A) << i;
    for (std::size_t i = 100; i < SettingsImage::kSize; ++i) ASSERT_EQ(image.u8(i), before.u8(i)) << i;

    writeBytes("empty.bin", {});
    EXPECT_EQ(loadSettingsFilePrefix(image, path("empty.bin")).bytes, 0u);
}

TEST_F(SettingsFileTest, BytesBeyondTheImageAreIgnored) {
    std::vector<std::uint8_t> bytes(172828 + 5000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31);
    writeBytes("long.bin", bytes);
    SettingsImage image;
    EXPECT_EQ(loadSettingsFile(image, path("long.bin")).bytes, 172828u);
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) ASSERT_EQ(image.u8(i), bytes[i]) << i;
}

TEST_F(SettingsFileTest, UnopenableFilesChangeNothingAndReportFailure) {
    const SettingsImage before = randomImage(9);
    SettingsImage image = before;
    EXPECT_FALSE(loadSettingsFile(image, path("missing.bin")));
    EXPECT_EQ(image, before);
    EXPECT_FALSE(saveSettingsFile(image, path("no/such/folder/a.bin")));
    EXPECT_FALSE(fs::exists(path("no")));
    fs::create_directories(path("folder.bin"));
    EXPECT_FALSE(loadSettingsFile(image, path("folder.bin")));
    EXPECT_EQ(image, before);
}
