#include "sim/IoSymbols.h"

#include <array>

namespace vantrel::simprog {

namespace {

struct Prefix {
    std::string_view text;
    IoFamily family;
    int bit;
    int count;  // numbers 1..count
};

// The first prefix a symbol begins with names its family, so a prefix that
// begins another one's symbols comes after it (MEND before M).
constexpr std::array kPrefixes{
    Prefix{"HOMES", IoFamily::Sensor, 0, 4},     Prefix{"CCWLS", IoFamily::Sensor, 2, 4},
    Prefix{"CWLS", IoFamily::Sensor, 1, 4},      Prefix{"DRDY", IoFamily::DriverInput, 0, 4},
    Prefix{"DALM", IoFamily::DriverInput, 1, 4}, Prefix{"DTIM", IoFamily::DriverInput, 2, 4},
    Prefix{"DEND", IoFamily::DriverInput, 3, 4}, Prefix{"DHOM", IoFamily::DriverInput, 4, 4},
    Prefix{"DCON", IoFamily::DriverOutput, 0, 4}, Prefix{"DARST", IoFamily::DriverOutput, 1, 4},
    Prefix{"DFREE", IoFamily::DriverOutput, 2, 4}, Prefix{"DZHOM", IoFamily::DriverOutput, 3, 4},
    Prefix{"DSPR", IoFamily::DriverOutput, 4, 4}, Prefix{"BUSY", IoFamily::AxisState, 0, 4},
    Prefix{"MEND", IoFamily::AxisState, 1, 4},   Prefix{"ORGF", IoFamily::AxisState, 2, 4},
    Prefix{"AALM", IoFamily::AxisState, 3, 4},   Prefix{"HOUT", IoFamily::HostOutput, 0, 4},
    Prefix{"HIN", IoFamily::HostInput, 0, 4},    Prefix{"OUT", IoFamily::Output, 0, 16},
    Prefix{"IN", IoFamily::Input, 0, 16},        Prefix{"CNTR", IoFamily::Counter, 0, 8},
    Prefix{"CUP", IoFamily::CounterUp, 0, 8},    Prefix{"T", IoFamily::Timer, 0, 100},
    Prefix{"M", IoFamily::Memory, 0, 96},
};

// A decimal number without sign or leading zero; -1 otherwise.
int plainNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3 || digits[0] == '0') return -1;
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<IoSymbol> parseIoSymbol(std::string_view text) {
    // Remote I/O: "NI"/"NO", the driver as one hexadecimal digit, the bit as two digits.
    if (text.size() == 5 && text[0] == 'N' && (text[1] == 'I' || text[1] == 'O')) {
        const int driver = hexDigit(text[2]);
        const bool digits = text[3] >= '0' && text[3] <= '9' && text[4] >= '0' && text[4] <= '9';
        const int bit = digits ? (text[3] - '0') * 10 + (text[4] - '0') : -1;
        if (driver < 0 || bit < 0 || bit > 15) return std::nullopt;
        return IoSymbol{text[1] == 'I' ? IoFamily::RemoteInput : IoFamily::RemoteOutput, driver, bit};
    }
    for (const Prefix& p : kPrefixes) {
        if (text.substr(0, p.text.size()) != p.text) continue;
        const int n = plainNumber(text.substr(p.text.size()));
        if (n < 1 || n > p.count) return std::nullopt;
        return IoSymbol{p.family, n - 1, p.bit};
    }
    return std::nullopt;
}

}  // namespace vantrel::simprog
