#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The byte pipe to the controller: one serial device opened exclusively, with
// no line settings made (on POSIX it is put in raw binary mode: no echo, no
// line editing, no translation). Not thread-safe: one thread uses it at a time
// (the link serialises every use under its lock).
//
// The interface is the same on every platform; SerialPortPosix.cpp implements
// it with termios, SerialPortWin32.cpp with the Win32 communications API
// (overlapped requests, so a read can be cut short from its own thread).
class SerialPort {
public:
    using Milliseconds = std::chrono::milliseconds;
    // Why the last read returned.
    enum class ReadEnd : std::uint8_t { Complete, TimedOut, HungUp, Aborted };

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Device path of a port name: "/dev/" + name on POSIX ("ttyACM0",
    // "pts/7"), "\\.\" + name on Windows ("COM3").
    static std::string devicePath(const std::string& portName);
    // The port names worth trying to open, in order: "COM1" .. "COM256" on
    // Windows; the serial devices in /dev on POSIX (ttyACM*, ttyUSB*, ttyS*,
    // ...), "ttyS2" before "ttyS10".
    static std::vector<std::string> candidateNames();

    // Opens `devicePath` for reading and writing, exclusively (no other open
    // succeeds while it is held) and without making it a controlling terminal.
    // Closes a port held before. False when the device cannot be opened.
    bool open(const std::string& devicePath);
    bool isOpen() const;
    // Closes the port; true when it was open and closed cleanly (or was closed).
    bool close();

    void setTimeouts(Milliseconds readTimeout, Milliseconds writeTimeout);

    // Discards whatever has arrived and not been read yet, then writes the
    // bytes, giving up after the write time-out. Returns the number of bytes
    // handed to the device (fewer than `length` only when the time-out ended
    // the write), or -1 when the write failed: port closed, or the device
    // reported an error or hang-up, also after part of the bytes went out.
    long write(const std::uint8_t* data, std::size_t length);

    // Reads until `length` bytes have arrived, the read time-out has passed,
    // the device reports an end (hang-up, error) or `abort` becomes true.
    // Returns the number of bytes read (0 when nothing arrived).
    std::size_t read(std::uint8_t* buffer, std::size_t length);
    ReadEnd lastReadEnd() const { return lastReadEnd_; }

    // While *flag is true, reads return at once with what arrived.
    void setAbortFlag(const std::atomic<bool>* flag) { abort_ = flag; }
    // While *count is above 0 (threads wait to close or reopen the port), a
    // read returns at once with what arrived, instead of keeping them
    // waiting up to the read time-out for a controller that has gone quiet.
    void setInterruptCount(const std::atomic<int>* count) { interrupts_ = count; }

private:
    void discardInput();

    std::intptr_t handle_ = -1;
    Milliseconds readTimeout_{3000};
    Milliseconds writeTimeout_{1000};
    const std::atomic<bool>* abort_ = nullptr;
    const std::atomic<int>* interrupts_ = nullptr;
    ReadEnd lastReadEnd_ = ReadEnd::Complete;
};

}  // namespace vantrel
