#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/AtomicFile.h"

namespace vantrel {

// Keeps one file up to date from a thread of its own, so that the caller
// (the user-interface thread) never waits for the disk. Each job replaces the
// file atomically or removes it. Only the newest job counts: a job that has
// not started yet is replaced by the next one, so a slow disk never builds a
// queue of stale contents.
class BackgroundFileWriter {
public:
    explicit BackgroundFileWriter(std::string path);
    // Finishes the job in hand and a waiting one, then ends the thread.
    ~BackgroundFileWriter();
    BackgroundFileWriter(const BackgroundFileWriter&) = delete;
    BackgroundFileWriter& operator=(const BackgroundFileWriter&) = delete;

    const std::string& path() const { return path_; }

    // Replaces the file by `bytes` (atomically).
    void write(std::string bytes);
    // Removes the file; a missing file is no failure.
    void remove();
    // Returns when no job is waiting or running.
    void waitIdle();
    // The outcome of the last job finished since the previous call (a write
    // or a removal), if one finished: success as well as failure, so that the
    // caller can tell when a file that could not be written is written again.
    std::optional<FileWriteResult> takeResult();

private:
    struct Job {
        bool remove = false;
        std::string bytes;
    };
    void submit(Job job);
    void run();

    const std::string path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::optional<FileWriteResult> result_;
    std::thread thread_;
};

}  // namespace vantrel
