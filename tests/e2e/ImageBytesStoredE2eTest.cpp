#include <random>

#include "E2eSupport.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {

// Records, in the order the link makes them, what it reports it stored, when
// the settings read is done (with the link's image at that moment) and the
// ending results.
class StoreRecorder : public RecordingEvents {
public:
    struct Entry {
        enum Kind { Stored, ReadDone, Result } kind;
        std::size_t offset = 0;
        std::vector<std::uint8_t> bytes;  // Stored: the bytes; ReadDone: the link's whole image
        int result = 0;
    };

    explicit StoreRecorder(const SettingsImage& linkImage) : linkImage_(linkImage) {}

    void imageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) override {
        add({Entry::Stored, offset, bytes, 0});
    }
    void settingsReadDone() override {
        // On the link thread, between its stores: reading its image is safe here.
        add({Entry::ReadDone, 0, std::vector<std::uint8_t>(linkImage_.data(), linkImage_.data() + SettingsImage::size()), 0});
        RecordingEvents::settingsReadDone();
    }
    void progress(int percent, int result) override {
        if (result != kRunning) add({Entry::Result, 0, {}, result});
        RecordingEvents::progress(percent, result);
    }

    std::vector<Entry> entries() const {
        std::lock_guard g(m_);
        return entries_;
    }
    std::vector<Entry> stored() const {
        std::vector<Entry> list;
        for (const auto& e : entries())
            if (e.kind == Entry::Stored) list.push_back(e);
        return list;
    }
    // `image` with every reported store applied, as an owner keeping its own copy does.
    SettingsImage replayedOnto(SettingsImage image) const {
        for (const auto& e : stored()) {
            EXPECT_LE(e.offset + e.bytes.size(), SettingsImage::size());
            std::copy(e.bytes.begin(), e.bytes.end(), image.data() + e.offset);
        }
        return image;
    }

private:
    void add(Entry e) {
        std::lock_guard g(m_);
        entries_.push_back(std::move(e));
    }

    const SettingsImage& linkImage_;
    mutable std::mutex m_;
    std::vector<Entry> entries_;
};

class ImageBytesStored : public LinkE2e {
protected:
    void connectRecorded() {
        ASSERT_TRUE(link.open(server.portName(), &recorder));
        ASSERT_EQ(recorder.waitConnection(), std::optional<int>(kEditTestMode));
        ASSERT_TRUE(backToPolling());
    }
    // The link's image, read while the link lock keeps the thread out of it.
    SettingsImage linkImage() {
        std::lock_guard g(link.lock());
        return image;
    }

    StoreRecorder recorder{image};
};

std::vector<std::uint8_t> bytesOf(const SettingsImage& image, std::size_t offset, std::size_t size) {
    return {image.data() + offset, image.data() + offset + size};
}

}  // namespace

TEST_F(ImageBytesStored, SettingsReadReportsThePulseAxesThenTheWholeImageBeforeItIsDone) {
    SettingsImage controller;
    std::mt19937 rng(21);
    for (auto& b : controller.bytes()) b = static_cast<std::uint8_t>(rng());
    controller.setU8(layout::kReservedLast, 0);
    sim.loadSettingsImage(controller);
    connectRecorded();
    const SettingsImage before = linkImage();
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_EQ(recorder.waitResult(), std::optional<int>(kDone));

    const auto entries = recorder.entries();
    ASSERT_EQ(entries.size(), 4u);  // pulse axes, whole image, read done, the program read's result
    EXPECT_EQ(entries[0].kind, StoreRecorder::Entry::Stored);
    EXPECT_EQ(entries[0].offset, layout::kPulseAxes);
    EXPECT_EQ(entries[0].bytes, bytesOf(controller, layout::kPulseAxes, 4 * layout::kPulseAxisSize));
    EXPECT_EQ(entries[1].kind, StoreRecorder::Entry::Stored);
    EXPECT_EQ(entries[1].offset, 0u);
    EXPECT_EQ(entries[2].kind, StoreRecorder::Entry::ReadDone);
    EXPECT_EQ(entries[1].bytes, entries[2].bytes);  // the whole image as the link holds it when done
    EXPECT_EQ(entries[1].bytes, bytesOf(controller, 0, SettingsImage::size()));
    EXPECT_EQ(entries[3].kind, StoreRecorder::Entry::Result);
    EXPECT_EQ(recorder.replayedOnto(before), linkImage());
}

TEST_F(ImageBytesStored, AReadWhoseHeadGoesUnansweredReportsNothingStored) {
    setFaults([](SimFaults& f) { f.noReply = CodeFault::times(0x01, 1); });
    connectRecorded();
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_TRUE(recorder.waitResult().has_value());
    EXPECT_EQ(recorder.settingsReads(), 1);
    EXPECT_TRUE(recorder.stored().empty());
}

TEST_F(ImageBytesStored, ValueReadBacksReportExactlyTheBytesTheyStored) {
    connectRecorded();
    const SettingsImage before = linkImage();
    queues.queueValueWrite(52, 2, 777);  // timer 0, kept big-endian by the controller
    ASSERT_TRUE(queuesDrained());
    const std::uint32_t position = 0x20000 + 21 + 7 * 5 + 3;
    queues.queueValueWrite(position, 3, 0x81EE);
    ASSERT_TRUE(queuesDrained());
    queues.queueValueWrite(address::kEthernetPort, 2, 8000);  // Ethernet port
    ASSERT_TRUE(queuesDrained());
    // Stored elsewhere or not at all: a live network value, a counter.
    queues.queueValueRead(0x69110, 1);
    queues.queueValueWrite(address::kCounters, 4, 99);
    ASSERT_TRUE(queuesDrained());

    SettingsImage now = linkImage();
    const auto stored = recorder.stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].offset, layout::kTimers);
    EXPECT_EQ(stored[0].bytes, (std::vector<std::uint8_t>{0x09, 0x03}));
    EXPECT_EQ(TimerTable(now).timer(0), 777);
    EXPECT_EQ(stored[1].offset, position - 0x20000);
    EXPECT_EQ(stored[1].bytes, bytesOf(now, position - 0x20000, 3));
    EXPECT_EQ(stored[1].bytes, (std::vector<std::uint8_t>{0xEE, 0x81, 0x00}));
    EXPECT_EQ(stored[2].offset, layout::kEthernetPort);
    EXPECT_EQ(stored[2].bytes, bytesOf(now, layout::kEthernetPort, 2));
    EXPECT_EQ(now.u16(layout::kEthernetPort), 8000);
    EXPECT_EQ(recorder.replayedOnto(before), now);
}

TEST_F(ImageBytesStored, OnlyAnAcceptedPulseAxisWriteReportsItsStoredValue) {
    connectRecorded();
    setFaults([](SimFaults& f) { f.wrongSequence = CodeFault::times(0x0D, 1); });
    const SettingsImage before = linkImage();
    const std::uint32_t maxSpeedAxis3 = 2048 * 2 + 256 + 40;
    queues.queueAxisParameterWrite(maxSpeedAxis3, 2, 3000);  // refused once, then accepted
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x0D), 2);

    SettingsImage now = linkImage();
    const auto stored = recorder.stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].offset, *pulseAxisOffsetOfAddress(maxSpeedAxis3));
    EXPECT_EQ(stored[0].bytes, (std::vector<std::uint8_t>{0xB8, 0x0B}));
    EXPECT_EQ(PulseAxisRecord(now, 2).maxRotationSpeed(), 3000);
    EXPECT_EQ(recorder.replayedOnto(before), now);
}
