#include "platform/BackgroundFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <utility>

namespace vantrel {

BackgroundFileWriter::BackgroundFileWriter(std::string path) : path_(std::move(path)) {
    thread_ = std::thread([this] { run(); });
}

BackgroundFileWriter::~BackgroundFileWriter() {
    {
        const std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundFileWriter::write(std::string bytes) { submit(Job{false, std::move(bytes)}); }

void BackgroundFileWriter::remove() { submit(Job{true, {}}); }

void BackgroundFileWriter::submit(Job job) {
    {
        const std::lock_guard guard(mutex_);
        pending_ = std::move(job);
    }
    wake_.notify_one();
}

void BackgroundFileWriter::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

std::optional<FileWriteResult> BackgroundFileWriter::takeResult() {
    const std::lock_guard guard(mutex_);
    return std::exchange(result_, std::nullopt);
}

void BackgroundFileWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;  // stopping with nothing left to do
        Job job = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        FileWriteResult result;
        if (job.remove) {
            if (std::remove(path_.c_str()) != 0 && errno != ENOENT) result.error = errno;
        } else {
            result = writeFileAtomically(path_, job.bytes);
        }
        lock.lock();
        busy_ = false;
        result_ = result;
        if (!pending_) idle_.notify_all();
    }
}

}  // namespace vantrel
