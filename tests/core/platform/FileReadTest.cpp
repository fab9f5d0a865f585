#include "platform/FileRead.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace vantrel {
namespace {

// The limit holds while reading, whatever size the file system reports.
TEST(FileRead, TheLimitHoldsWhileReading) {
    TempFolder temp;
    temp.write("100.bin", std::string(100, 'a'));
    temp.write("101.bin", std::string(101, 'b'));
    struct Case {
        const char* what;
        std::string path;
        std::size_t limit;
        LongerFile longer;
        int error;
        std::size_t size;  // of what was read
    };
    const std::vector<Case> cases = {
        {"exactly the limit", temp.file("100.bin"), 100, LongerFile::Refused, 0, 100},
        {"one byte more, refused", temp.file("101.bin"), 100, LongerFile::Refused, EFBIG, 0},
        {"one byte more, cut", temp.file("101.bin"), 100, LongerFile::Cut, 0, 100},
#ifndef _WIN32  // no /proc on Windows
        {"a file that reports no size but has more", "/proc/self/status", 10, LongerFile::Refused, EFBIG, 0},
        {"the same cut", "/proc/self/status", 10, LongerFile::Cut, 0, 10},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FileContent content = readFile(c.path, c.limit, c.longer);
        EXPECT_EQ(content.result.error, c.error) << content.result.description();
        EXPECT_EQ(content.bytes.size(), c.size);
    }
#ifndef _WIN32
    EXPECT_GT(readFile("/proc/self/status", 1 << 20).bytes.size(), 10u);
#endif
}

}  // namespace
}  // namespace vantrel
