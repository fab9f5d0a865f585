// Any bytes as what the PC sends the simulated controller. The raw bytes go
// through the frame splitter as the pseudo-terminal server cuts them; then the
// input is read as records, each made a well-formed request (start byte,
// length and check code set, the code mostly one the controller knows), so the
// fields of every request reach the engine and the machine behind it, whose
// clock the records advance. No crash, no undefined behaviour, and every
// answer is a frame of its request: start byte and echoed sequence number,
// and the length it states where that fits its 16 bits.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/ByteOrder.h"
#include "data/DefaultImage.h"
#include "link/FrameCrc.h"
#include "sim/ControllerSim.h"
#include "sim/FrameSplitter.h"

using namespace vantrel;

namespace {

constexpr std::uint8_t kCodes[] = {0x00, 0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x13, 0x15, 0x19, 0xAA, 0xC1};

void check(const std::vector<std::uint8_t>& request, const std::vector<std::uint8_t>& reply) {
    if (reply.empty()) return;
    if (reply.size() < 5 || reply[0] != 0x02 || reply[1] != request[1]) std::abort();
    if (reply.size() < 0x10000 && readU16LE(reply.data() + 2) != reply.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const SettingsImage image = makeDefaultSettingsImage();
    ControllerSim sim(image);
    std::int64_t now = 0;
    sim.setClock([&now] { return now; });
    if (size > 0 && (data[0] & 1)) sim.useStandAloneMachine();

    FrameSplitter splitter;
    splitter.feed(data, size);
    while (auto frame = splitter.next()) check(*frame, sim.handle(*frame));

    // Records: [length choice] [clock step] [code choice] [bytes of the frame from offset 5 ...].
    std::size_t at = 1;
    while (at + 3 <= size) {
        const std::size_t length = FrameSplitter::kMinFrame + data[at] % 26;  // 36 .. 61
        now += data[at + 1] * 7;
        const std::uint8_t choice = data[at + 2];
        at += 3;
        std::vector<std::uint8_t> request(length, 0);
        request[0] = 0x02;
        request[1] = static_cast<std::uint8_t>(at);
        writeU16LE(&request[2], static_cast<std::uint16_t>(length));
        request[4] = choice < 0xF0 ? kCodes[choice % sizeof kCodes] : choice;
        for (std::size_t i = 5; i + 2 < length && at < size; ++i) request[i] = data[at++];
        writeU16LE(&request[length - 2], FrameCrc::compute(request.data(), length - 2));
        check(request, sim.handle(request));
    }
    return 0;
}
