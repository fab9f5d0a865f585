#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

#include "link/LinkTrace.h"

namespace vantrel {

// A trace sink that writes the trace as text lines (TraceLine.h) into a file.
// Safe to call from several threads. Lines are written in batches: at once
// for everything but frames, and for frames when 64 KiB are gathered or
// 200 ms have passed, so a trace of a busy link costs few writes and a file
// being watched is never far behind. A trace is a log, not a document: it is
// written in place as it grows, so what was written survives a crash.
class LinkTraceFile : public LinkTraceSink {
public:
    LinkTraceFile() = default;
    ~LinkTraceFile() override;
    LinkTraceFile(const LinkTraceFile&) = delete;
    LinkTraceFile& operator=(const LinkTraceFile&) = delete;

    // Starts a trace in `path` (a file of that name is replaced) with its
    // header line; a trace open before is closed first. False when the file
    // cannot be made or takes not even the header (then it is removed);
    // error() tells why.
    bool open(const std::string& path);
    // Writes what is gathered and closes the file; later events are dropped.
    void close();
    bool isOpen() const;
    std::string path() const;
    // The system's error number of the first failure since open (0: none). A
    // failed write ends the trace; the file keeps what was written before.
    int error() const;
    // Lines written since open, header excluded.
    std::uint64_t lines() const;

    void record(const TraceEvent& event) override;

private:
    bool flushLocked();
    void closeLocked();

    mutable std::mutex lock_;
    int fd_ = -1;
    std::string path_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastWrite_;
    std::string pending_;
    std::uint64_t lines_ = 0;
    int error_ = 0;
};

}  // namespace vantrel
