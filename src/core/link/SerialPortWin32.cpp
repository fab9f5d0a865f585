// Windows implementation of SerialPort (Win32 communications API).
#ifdef _WIN32

#include "link/SerialPort.h"

#include "platform/Win32Support.h"

#include <algorithm>

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;
// A waiting read looks at the abort flag and the interrupt count this often,
// so a disconnect ends a read from a silent controller at once, not after the
// read time-out.
constexpr DWORD kAbortCheckMs = 10;

HANDLE asHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD asMs(std::chrono::milliseconds duration) {
    return static_cast<DWORD>(std::clamp<long long>(duration.count(), 1, MAXDWORD - 1));
}

// An overlapped request with its own event, waited for or cancelled before it
// goes (the system writes into it until the request has ended).
class Request {
public:
    explicit Request(HANDLE port) : port_(port) {
        overlapped_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~Request() {
        if (overlapped_.hEvent != nullptr) ::CloseHandle(overlapped_.hEvent);
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    bool ready() const { return overlapped_.hEvent != nullptr; }
    OVERLAPPED* overlapped() { return &overlapped_; }
    HANDLE event() const { return overlapped_.hEvent; }

    // After an issuing call: false when the request failed at once.
    static bool issued(BOOL started) { return started || ::GetLastError() == ERROR_IO_PENDING; }

    // Waits for the request to end and gives what it moved; false when it failed.
    bool finish(DWORD& moved) { return ::GetOverlappedResult(port_, &overlapped_, &moved, TRUE) != 0; }

    // Ends a pending request: it completes with what arrived so far.
    void cancel() { ::CancelIoEx(port_, &overlapped_); }

private:
    HANDLE port_;
    OVERLAPPED overlapped_{};
};

}  // namespace

SerialPort::~SerialPort() { close(); }

std::string SerialPort::devicePath(const std::string& portName) { return "\\\\.\\" + portName; }

std::vector<std::string> SerialPort::candidateNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= 256; ++n) names.push_back("COM" + std::to_string(n));
    return names;
}

bool SerialPort::open(const std::string& devicePath) {
    close();
    // Read and write, not shared (no other open succeeds while it is held), an
    // existing device only. The line settings stay as the driver has them.
    const HANDLE port = ::CreateFileW(win32::wide(devicePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(port);
    setTimeouts(readTimeout_, writeTimeout_);
    return true;
}

bool SerialPort::isOpen() const { return handle_ != -1; }

bool SerialPort::close() {
    if (handle_ == -1) return true;
    const HANDLE port = asHandle(handle_);
    handle_ = -1;
    return ::CloseHandle(port) != 0;
}

void SerialPort::setTimeouts(Milliseconds readTimeout, Milliseconds writeTimeout) {
    readTimeout_ = readTimeout;
    writeTimeout_ = writeTimeout;
    if (handle_ == -1) return;
    // No interval time-out: a read returns when all bytes arrived or the total
    // time-out has passed. Whether the driver takes them does not matter
    // here: read() and write() keep to the time-outs themselves as well.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = asMs(readTimeout);
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = asMs(writeTimeout);
    ::SetCommTimeouts(asHandle(handle_), &timeouts);
}

void SerialPort::discardInput() {
    // Both directions, without aborting a request. What is still queued for
    // output is left from a write that gave up (each write waits until the
    // driver has taken its frame): only then is there output to purge. A
    // driver that reports nothing queued keeps what it has taken, since a
    // purge there would drop frames the controller has not read yet (a
    // pseudo-terminal under Wine: settings blocks go out back to back).
    DWORD errors = 0;
    COMSTAT state{};
    const bool outputQueued = ::ClearCommError(asHandle(handle_), &errors, &state) && state.cbOutQue > 0;
    ::PurgeComm(asHandle(handle_), PURGE_RXCLEAR | (outputQueued ? PURGE_TXCLEAR : 0));
}

long SerialPort::write(const std::uint8_t* data, std::size_t length) {
    if (handle_ == -1) return -1;
    discardInput();
    Request request(asHandle(handle_));
    if (!request.ready()) return -1;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(length, MAXDWORD));
    if (!Request::issued(::WriteFile(asHandle(handle_), data, size, nullptr, request.overlapped()))) return -1;
    // The driver's write time-out ends the request; a driver without one is
    // cut off here, a little later.
    if (::WaitForSingleObject(request.event(), asMs(writeTimeout_) + 500) != WAIT_OBJECT_0) request.cancel();
    DWORD written = 0;
    const bool ok = request.finish(written);
    if (!ok && ::GetLastError() != ERROR_OPERATION_ABORTED) return -1;  // the device is gone
    return static_cast<long>(written);
}

std::size_t SerialPort::read(std::uint8_t* buffer, std::size_t length) {
    lastReadEnd_ = ReadEnd::HungUp;
    if (handle_ == -1) return 0;
    const auto deadline = Clock::now() + readTimeout_;
    std::size_t done = 0;
    ReadEnd end = ReadEnd::Complete;
    while (done < length) {
        Request request(asHandle(handle_));
        if (!request.ready()) break;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(length - done, MAXDWORD));
        if (!Request::issued(::ReadFile(asHandle(handle_), buffer + done, want, nullptr, request.overlapped()))) {
            end = ReadEnd::HungUp;
            break;
        }
        for (;;) {
            if (::WaitForSingleObject(request.event(), kAbortCheckMs) == WAIT_OBJECT_0) break;
            if ((abort_ && abort_->load()) || (interrupts_ && interrupts_->load() > 0)) {
                end = ReadEnd::Aborted;
                request.cancel();
                break;
            }
            if (Clock::now() >= deadline) {
                end = ReadEnd::TimedOut;
                request.cancel();
                break;
            }
        }
        DWORD got = 0;
        const bool ok = request.finish(got);
        done += got;
        if (end != ReadEnd::Complete) break;
        if (!ok) {
            end = ::GetLastError() == ERROR_OPERATION_ABORTED ? ReadEnd::Aborted : ReadEnd::HungUp;
            break;
        }
        // Fewer bytes than asked: the driver's total time-out has passed.
        if (got < want && Clock::now() >= deadline - std::chrono::milliseconds(kAbortCheckMs)) {
            end = ReadEnd::TimedOut;
            break;
        }
    }
    lastReadEnd_ = end;
    return done;
}

}  // namespace vantrel

#endif
