#include "platform/BackgroundFileWriter.h"
#include "platform/ContentFingerprint.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace vantrel {
namespace {

TEST(BackgroundFileWriter, TheFileEndsAsTheNewestJobSays) {
    TempFolder temp;
    BackgroundFileWriter writer(temp.file("recovery.dat"));
    // Many jobs in a row, some while the thread writes: the last one counts.
    for (int i = 0; i < 200; ++i) writer.write("content " + std::to_string(i));
    writer.waitIdle();
    EXPECT_EQ(temp.read("recovery.dat"), "content 199");
    writer.write("again");
    writer.remove();
    writer.waitIdle();
    EXPECT_FALSE(std::filesystem::exists(temp.file("recovery.dat")));
    writer.remove();  // nothing there: no failure
    writer.waitIdle();
    const auto removed = writer.takeResult();
    ASSERT_TRUE(removed);
    EXPECT_TRUE(*removed);
    // Jobs from another thread than the one that waits.
    std::thread other([&writer] {
        for (int i = 0; i < 50; ++i) writer.write(std::string(1000, static_cast<char>('a' + i % 26)));
    });
    other.join();
    writer.waitIdle();
    EXPECT_EQ(temp.read("recovery.dat"), std::string(1000, static_cast<char>('a' + 49 % 26)));
}

TEST(BackgroundFileWriter, AFailedWriteIsReportedOnceUntilAWriteSucceedsAndAJobLeftAtTheEndIsDone) {
    TempFolder temp;
    BackgroundFileWriter failing(temp.file("missing/recovery.dat"));
    failing.write("x");
    failing.waitIdle();
    const auto failure = failing.takeResult();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, ENOENT);
    EXPECT_FALSE(failing.takeResult());
    std::filesystem::create_directory(temp.file("missing"));
    failing.write("x");
    failing.waitIdle();
    const auto written = failing.takeResult();
    ASSERT_TRUE(written);
    EXPECT_TRUE(*written);
    {
        BackgroundFileWriter writer(temp.file("recovery.dat"));
        writer.write("last words");
    }
    EXPECT_EQ(temp.read("recovery.dat"), "last words");
}

TEST(ContentFingerprint, AnyChangedByteOrLengthChangesIt) {
    for (const std::size_t size : {0u, 1u, 7u, 8u, 9u, 31u, 32u, 33u, 100u, 1000u, 172828u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        const std::uint64_t original = contentFingerprint(bytes);
        EXPECT_EQ(contentFingerprint(std::string(bytes)), original);
        const std::size_t step = size > 1000 ? 997 : 1;
        for (std::size_t i = 0; i < size; i += step) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] ^ 0x01);
            ASSERT_NE(contentFingerprint(changed), original) << "size " << size << " byte " << i;
        }
        ASSERT_NE(contentFingerprint(bytes + '\0'), original) << size;
    }
}

}  // namespace
}  // namespace vantrel
