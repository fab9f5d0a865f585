#include "platform/SingleInstance.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <memory>
#include <thread>

namespace vantrel {
namespace {

TEST(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstIsGone)
{
    TempFolder temp;
    auto first = std::make_unique<SingleInstance>(temp.path());
    EXPECT_TRUE(first->holdsLock());
    EXPECT_FALSE(first->anotherInstanceRuns());
#ifndef _WIN32
    EXPECT_EQ(first->lockFilePath(), temp.path() + "/VANTREL.exe ZOLTEC.lock");
#endif
    {
        const SingleInstance second(temp.path());
        EXPECT_TRUE(second.anotherInstanceRuns());
        EXPECT_FALSE(second.holdsLock());
    }
    // The refused second object must not have released the first one's lock.
    {
        const SingleInstance third(temp.path());
        EXPECT_TRUE(third.anotherInstanceRuns());
    }
    first.reset();
    const SingleInstance fourth(temp.path());
    EXPECT_TRUE(fourth.holdsLock());
    EXPECT_FALSE(fourth.anotherInstanceRuns());
}

// Another process (fork) and the holder's answer (a local socket) are POSIX's.
#ifndef _WIN32
TEST(SingleInstanceTest, AnotherProcessIsRefused)
{
    TempFolder temp;
    const SingleInstance mine(temp.path());
    ASSERT_TRUE(mine.holdsLock());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const SingleInstance theirs(temp.path());
        _exit(theirs.anotherInstanceRuns() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

TEST(SingleInstanceTest, AnUnusableLockFolderLetsTheProgramStart)
{
    SKIP_WITHOUT_XDG();
    const SingleInstance lock("/nonexistent-folder-for-vantrel-test");
    EXPECT_FALSE(lock.anotherInstanceRuns());
    EXPECT_FALSE(lock.holdsLock());
}

TEST(SingleInstanceTest, DefaultFolderIsTheRuntimeFolder)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv runtime("XDG_RUNTIME_DIR", temp.path().c_str());
    EXPECT_EQ(SingleInstance::defaultLockFolder(), temp.path());
    const SingleInstance lock;
    EXPECT_EQ(lock.lockFilePath(), temp.path() + "/VANTREL.exe ZOLTEC.lock");
}

TEST(SingleInstanceTest, WithoutRuntimeFolderTheDataFolderIsUsed)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    ScopedEnv dataHome("XDG_DATA_HOME", temp.path().c_str());
    EXPECT_EQ(SingleInstance::defaultLockFolder(), temp.path() + "/KESSLAND/VANTREL");
    const SingleInstance lock;
    EXPECT_TRUE(lock.holdsLock());
}

#ifndef _WIN32
TEST(SingleInstanceTest, ALaterStartTellsARunningHolderFromOneThatHangs)
{
    struct Case {
        const char* what;
        bool holderAnswers;  // its event loop runs
        bool socketGone;     // it cannot be asked
    };
    const Case cases[] = {{"answers", true, false}, {"hangs", false, false}, {"cannot be asked", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        const SingleInstance first(temp.path());
        ASSERT_GE(first.pingSocket(), 0);
        if (c.socketGone) {
            unlink((temp.path() + "/VANTREL.exe ZOLTEC.sock").c_str());
        }
        std::thread eventLoop([&] {
            pollfd waiting{first.pingSocket(), POLLIN, 0};
            if (c.holderAnswers && poll(&waiting, 1, 10000) == 1) {
                first.answerPings();
            }
        });
        const SingleInstance second(temp.path());
        ASSERT_TRUE(second.anotherInstanceRuns());
        // Nothing to tell when it cannot be asked.
        EXPECT_EQ(second.holderAnswers(std::chrono::milliseconds(c.holderAnswers ? 10000 : 300)),
                  c.holderAnswers || c.socketGone);
        eventLoop.join();
    }
}
#endif

}  // namespace
}  // namespace vantrel
