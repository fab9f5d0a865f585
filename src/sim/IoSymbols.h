#pragma once

// The I/O symbols the controller knows, as programs name them (the symbols of
// the I/O names file the PC installs): general inputs IN1..IN16 and outputs
// OUT1..OUT16, host inputs HIN1..HIN4 and outputs HOUT1..HOUT4, per pulse axis
// n = 1..4 the sensors HOMESn, CWLSn, CCWLSn, the driver inputs DRDYn, DALMn,
// DTIMn, DENDn, DHOMn, the driver outputs DCONn, DARSTn, DFREEn, DZHOMn, DSPRn
// and the axis states BUSYn, MENDn, ORGFn, AALMn; timers T1..T100, counters
// CNTR1..CNTR8 with their contacts CUP1..CUP8, memories M1..M96, and the
// remote I/O of network driver d (hexadecimal digit 0..F) NIdbb and NOdbb,
// bit bb = 00..15. Numbers are written without leading zeros.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel::simprog {

enum class IoFamily : std::uint8_t {
    Input,         // IN1..16
    HostInput,     // HIN1..4: EXT-STOP, PRG-START, PRG-STOP, ALM-RST
    Sensor,        // bit 0 HOMES, 1 CWLS (+LS), 2 CCWLS (-LS)
    DriverInput,   // bit 0..4 READY, ALM, TIM, END, HOME-END
    Output,        // OUT1..16
    HostOutput,    // HOUT1..4
    DriverOutput,  // bit 0..4 C-ON/AWO, ALM-RST, FREE, ZHOME, spare
    Timer,         // T1..100
    Counter,       // CNTR1..8
    CounterUp,     // CUP1..8
    Memory,        // M1..96
    RemoteInput,   // NIdbb: index = driver 0..15, bit 0..15
    RemoteOutput,  // NOdbb
    AxisState,     // bit 0 BUSY, 1 MEND, 2 ORGF, 3 AALM
};

struct IoSymbol {
    IoFamily family = IoFamily::Input;
    int index = 0;  // 0-based number (axis, timer, counter, memory, driver)
    int bit = 0;    // the kind within a per-axis family, or the remote bit
    bool operator==(const IoSymbol&) const = default;
};

std::optional<IoSymbol> parseIoSymbol(std::string_view text);

// What a program may switch with OUT: general and driver outputs (an external
// OUT), timers (an internal OUT); remote outputs only through NIOWR.
inline bool externalOutput(const IoSymbol& s) { return s.family == IoFamily::Output || s.family == IoFamily::DriverOutput; }

}  // namespace vantrel::simprog
