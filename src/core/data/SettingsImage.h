#pragma once

// The settings image: the controller's whole settings data set as one block of
// 172,828 bytes. The block is also the settings file format, so every offset,
// width and signedness here is binding. Multi-byte values are little-endian.
//
// Indexes in this interface are 0-based: pulse axis 0..3 (軸1..軸4), network
// driver 0..15 (RIVO1..RIVO16), network point 0..99, timer 0..99 (T1..T100),
// counter 0..7, position index 0..2000 (point number p lives at index p - 1).
// Reserved bytes are never written by anything here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace vantrel {

inline constexpr std::size_t SETTINGS_IMAGE_SIZE = 172828;

// Raw 24-bit value meaning "no position set"; shown as "---".
inline constexpr std::int32_t NOT_SET_POSITION = 0x810000;

namespace layout {
// Region A: four position blocks, one per pulse axis.
inline constexpr std::size_t kPositionBlocks = 0;
inline constexpr std::size_t kPositionBlockSize = 17216;
inline constexpr std::size_t kPositionRecordsStart = 21;  // within a block
inline constexpr std::size_t kPositionRecordSize = 7;
inline constexpr int kPositionCount = 2001;  // indexes 0..2000
// Region B: network communication parameters.
inline constexpr std::size_t kNetworkCommParams = 68864;
inline constexpr std::size_t kNetworkCommParamsSize = 16;
// Region C: network driver records.
inline constexpr std::size_t kNetworkDrivers = 68880;
inline constexpr std::size_t kNetworkDriverSize = 6416;
inline constexpr int kNetworkDriverCount = 16;
inline constexpr std::size_t kNetworkPointsStart = 16;  // within a driver record
inline constexpr std::size_t kNetworkPointSize = 64;
inline constexpr int kNetworkPointCount = 100;
// Region D: pulse axis parameter records.
inline constexpr std::size_t kPulseAxes = 171536;
inline constexpr std::size_t kPulseAxisSize = 256;
inline constexpr int kPulseAxisCount = 4;
// Region E: controller flag words (sensor input logic in bytes 4..7).
inline constexpr std::size_t kFlagWords = 172560;
inline constexpr std::size_t kFlagWordsSize = 20;
// Region F: timers T1..T100, uint16 hundredths of a second.
inline constexpr std::size_t kTimers = 172580;
inline constexpr int kTimerCount = 100;
// Region G: counters 1..8, int32 set values.
inline constexpr std::size_t kCounters = 172780;
inline constexpr int kCounterCount = 8;
// Region H: IP address, subnet mask, default gateway, 4 bytes each.
inline constexpr std::size_t kEthernet = 172812;
// Region I: Ethernet port number, uint16.
inline constexpr std::size_t kEthernetPort = 172824;
// Region J: speed override level 0..4 (20 % .. 100 %).
inline constexpr std::size_t kSpeedOverrideLevel = 172826;
inline constexpr std::size_t kReservedLast = 172827;

// Position indexes with a fixed use.
inline constexpr int kMovableMaxIndex = 221;
inline constexpr int kProhibitedMaxIndex = 225;  // areas 1..5 at 225..229
inline constexpr int kMovableMinIndex = 231;
inline constexpr int kProhibitedMinIndex = 235;  // areas 1..5 at 235..239
inline constexpr int kProhibitedAreaCount = 5;
inline constexpr int kPointTableFirstIndex = 1000;  // PT1001 .. PT2000
inline constexpr int kPointTableCount = 1000;
}  // namespace layout

// Controller memory bases of the regions.
namespace address {
inline constexpr std::uint32_t kPositionBlocks = 0x20000;
inline constexpr std::uint32_t kNetwork = 0x50000;  // regions B and C
inline constexpr std::uint32_t kFlagWords = 0x70000;
inline constexpr std::uint32_t kTimers = 52;
inline constexpr std::uint32_t kCounters = 264;
inline constexpr std::uint32_t kEthernet = 0xAA30;  // 0xAA30, 0xAA34, 0xAA38
inline constexpr std::uint32_t kEthernetPort = 0xAA54;
inline constexpr std::uint32_t kSpeedOverrideLevel = 28;
// Pulse axis parameter of axis index a (0..3) at record offset k: kPulseAxisStride * a + kPulseAxisBase + k.
inline constexpr std::uint32_t kPulseAxisStride = 2048;
inline constexpr std::uint32_t kPulseAxisBase = 256;
}  // namespace address

// Controller address of the byte at image offset `offset`; nothing for the
// reserved last byte or an offset past the image.
std::optional<std::uint32_t> controllerAddress(std::size_t offset);

// Image offset of a pulse-axis parameter address (the inverse of region D's
// address rule); nothing when the address lies outside the four records.
std::optional<std::size_t> pulseAxisOffsetOfAddress(std::uint32_t address);

class SettingsImage {
public:
    static constexpr std::size_t kSize = SETTINGS_IMAGE_SIZE;
    using Bytes = std::array<std::uint8_t, kSize>;

    SettingsImage() { bytes_.fill(0); }

    // Whole-block access, for the settings file and the transfers.
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kSize; }
    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }
    bool operator==(const SettingsImage& other) const { return bytes_ == other.bytes_; }

    // Little-endian field access at an image offset. Offsets must lie inside
    // the image; they are checked and an out-of-range access reads 0 and
    // writes nothing, so a bad offset can never touch memory outside it.
    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::int16_t s16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t s32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    void setU8(std::size_t offset, std::uint8_t value);
    void setU16(std::size_t offset, std::uint16_t value);
    void setS16(std::size_t offset, std::int16_t value) { setU16(offset, static_cast<std::uint16_t>(value)); }
    void setU32(std::size_t offset, std::uint32_t value);
    void setS32(std::size_t offset, std::int32_t value) { setU32(offset, static_cast<std::uint32_t>(value)); }
    // Stores the low `size` bytes (1..4) of `value`, little-endian: the generic
    // form used for queued single values.
    void setValue(std::size_t offset, int size, std::int32_t value);
    std::int32_t value(std::size_t offset, int size, bool isSigned) const;

    // Positions of region A (axis 0..3, index 0..2000). Out-of-range indexes
    // read as NOT_SET_POSITION and are not written.
    std::int32_t readPosition(int axis, int index) const;
    void writePosition(int axis, int index, std::int32_t value);
    static std::optional<std::size_t> positionRecordOffset(int axis, int index);

private:
    Bytes bytes_;
};

// --- Accessor types -------------------------------------------------------
// Small views over the image at a record's base offset. The `Image` parameter
// is SettingsImage or const SettingsImage; setters exist only on the mutable
// form. `offsetOf(k)` gives the image offset of record offset k, and
// `addressOf(k)` its controller address.

template <class Image>
class RecordView {
public:
    RecordView(Image& image, std::size_t base) : image_(&image), base_(base) {}
    std::size_t base() const { return base_; }
    std::size_t offsetOf(std::size_t recordOffset) const { return base_ + recordOffset; }
    std::uint32_t addressOf(std::size_t recordOffset) const { return controllerAddress(base_ + recordOffset).value_or(0); }

protected:
    Image* image_;
    std::size_t base_;
};

template <class Image>
class BasicPositionRecord : public RecordView<Image> {
public:
    static constexpr std::size_t kSpeed = 0;     // uint8, percent 1..100
    static constexpr std::size_t kPosition = 3;  // int24
    BasicPositionRecord(Image& image, int axis, int index)
        : RecordView<Image>(image, SettingsImage::positionRecordOffset(axis, index).value_or(SETTINGS_IMAGE_SIZE)), axis_(axis), index_(index) {}
    std::uint8_t speed() const { return this->image_->u8(this->base_ + kSpeed); }
    void setSpeed(std::uint8_t v) { this->image_->setU8(this->base_ + kSpeed, v); }
    std::int32_t position() const { return this->image_->readPosition(axis_, index_); }
    void setPosition(std::int32_t v) { this->image_->writePosition(axis_, index_, v); }
    bool isSet() const { return position() != NOT_SET_POSITION; }

private:
    int axis_;
    int index_;
};

template <class Image>
class BasicPositionBlock : public RecordView<Image> {
public:
    BasicPositionBlock(Image& image, int axis)
        : RecordView<Image>(image, layout::kPositionBlocks + layout::kPositionBlockSize * static_cast<std::size_t>(axis)),
          axis_(axis) {}
    BasicPositionRecord<Image> record(int index) const { return {*this->image_, axis_, index}; }
    int axis() const { return axis_; }

private:
    int axis_;
};

template <class Image>
class BasicNetworkCommParams : public RecordView<Image> {
public:
    static constexpr std::size_t kSpeed = 0;     // 0 9600 .. 4 115200 bps
    static constexpr std::size_t kParity = 1;    // 0 none, 1 odd, 2 even
    static constexpr std::size_t kStopBits = 2;  // 0 one bit, 1 two bits
    static constexpr std::size_t kWaitTime = 4;  // int32, 0.1 ms
    static constexpr std::size_t kTimeout = 8;   // int32, ms
    explicit BasicNetworkCommParams(Image& image) : RecordView<Image>(image, layout::kNetworkCommParams) {}
    std::uint8_t speed() const { return this->image_->u8(this->base_ + kSpeed); }
    std::uint8_t parity() const { return this->image_->u8(this->base_ + kParity); }
    std::uint8_t stopBits() const { return this->image_->u8(this->base_ + kStopBits); }
    std::int32_t waitTime() const { return this->image_->s32(this->base_ + kWaitTime); }
    std::int32_t timeout() const { return this->image_->s32(this->base_ + kTimeout); }
    void setSpeed(std::uint8_t v) { this->image_->setU8(this->base_ + kSpeed, v); }
    void setParity(std::uint8_t v) { this->image_->setU8(this->base_ + kParity, v); }
    void setStopBits(std::uint8_t v) { this->image_->setU8(this->base_ + kStopBits, v); }
    void setWaitTime(std::int32_t v) { this->image_->setS32(this->base_ + kWaitTime, v); }
    void setTimeout(std::int32_t v) { this->image_->setS32(this->base_ + kTimeout, v); }
};

template <class Image>
class BasicNetworkPointRecord : public RecordView<Image> {
public:
    static constexpr std::size_t kMode = 0;        // uint8, 0 INC, 1 ABS
    static constexpr std::size_t kPosition = 4;    // int32, step
    static constexpr std::size_t kSpeed = 8;       // int32, Hz
    static constexpr std::size_t kAccelTime = 12;  // int32, ms
    static constexpr std::size_t kDecelTime = 16;  // int32, ms
    BasicNetworkPointRecord(Image& image, std::size_t base) : RecordView<Image>(image, base) {}
    std::uint8_t mode() const { return this->image_->u8(this->base_ + kMode); }
    std::int32_t position() const { return this->image_->s32(this->base_ + kPosition); }
    std::int32_t speed() const { return this->image_->s32(this->base_ + kSpeed); }
    std::int32_t accelTime() const { return this->image_->s32(this->base_ + kAccelTime); }
    std::int32_t decelTime() const { return this->image_->s32(this->base_ + kDecelTime); }
    void setMode(std::uint8_t v) { this->image_->setU8(this->base_ + kMode, v); }
    void setPosition(std::int32_t v) { this->image_->setS32(this->base_ + kPosition, v); }
    void setSpeed(std::int32_t v) { this->image_->setS32(this->base_ + kSpeed, v); }
    void setAccelTime(std::int32_t v) { this->image_->setS32(this->base_ + kAccelTime, v); }
    void setDecelTime(std::int32_t v) { this->image_->setS32(this->base_ + kDecelTime, v); }
};

template <class Image>
class BasicNetworkDriverRecord : public RecordView<Image> {
public:
    static constexpr std::size_t kModel = 0;   // 0 none, 1 QM, 2 QS, 3 VT3, 4 WRB
    static constexpr std::size_t kUnit = 1;    // 0 mm, 2 step
    static constexpr std::size_t kRatio1 = 2;  // uint16
    static constexpr std::size_t kRatio2 = 4;  // uint16
    BasicNetworkDriverRecord(Image& image, int driver)
        : RecordView<Image>(image, layout::kNetworkDrivers + layout::kNetworkDriverSize * static_cast<std::size_t>(driver)) {}
    std::uint8_t model() const { return this->image_->u8(this->base_ + kModel); }
    std::uint8_t unit() const { return this->image_->u8(this->base_ + kUnit); }
    std::uint16_t ratio1() const { return this->image_->u16(this->base_ + kRatio1); }
    std::uint16_t ratio2() const { return this->image_->u16(this->base_ + kRatio2); }
    void setModel(std::uint8_t v) { this->image_->setU8(this->base_ + kModel, v); }
    void setUnit(std::uint8_t v) { this->image_->setU8(this->base_ + kUnit, v); }
    void setRatio1(std::uint16_t v) { this->image_->setU16(this->base_ + kRatio1, v); }
    void setRatio2(std::uint16_t v) { this->image_->setU16(this->base_ + kRatio2, v); }
    // Point j = 0..99 (point number j + 1).
    BasicNetworkPointRecord<Image> point(int j) const {
        return {*this->image_, this->base_ + layout::kNetworkPointsStart + layout::kNetworkPointSize * static_cast<std::size_t>(j)};
    }
};

template <class Image>
class BasicPulseAxisRecord : public RecordView<Image> {
public:
    static constexpr std::size_t kHomeMethod = 28;        // uint8, 0 3 sensors, 1 2 sensors
    static constexpr std::size_t kTravelPerRev = 30;      // uint16, 0.01 mm (deg)
    static constexpr std::size_t kResolution = 32;        // uint16, P/R
    static constexpr std::size_t kMaxRotationSpeed = 40;  // uint16, r/min
    static constexpr std::size_t kHomeOffset = 62;        // int16, step
    static constexpr std::size_t kAccelTimeTable = 72;    // 26 x uint32, 0.01 s
    static constexpr int kAccelTimeCount = 26;
    static constexpr std::size_t kModel = 176;            // uint8, 0 none, 1 QM, 2 QS, 3 VT3, 5 LD
    static constexpr std::size_t kPositionUnit = 178;     // uint8, 0 mm, 1 deg, 2 step
    static constexpr std::size_t kSpeedUnit = 179;        // uint8, 0 Hz, 1 mm/s, 2 deg/s, 3 r/min
    static constexpr std::size_t kHomeDirection = 181;    // uint8, 0 CCW, 1 CW
    static constexpr std::size_t kAccelType = 194;        // uint8, 0 linear, 1 S-curve
    static constexpr std::size_t kHomeAccelTime = 196;    // uint32, 0.01 s
    static constexpr std::size_t kHomeStartSpeed = 200;   // uint32, Hz
    static constexpr std::size_t kStartSpeed = 204;       // uint32, Hz
    static constexpr std::size_t kMinTravel = 208;        // uint32, 0.01 mm (deg)
    static constexpr std::size_t kHomeSpeed = 224;        // uint32, Hz

    BasicPulseAxisRecord(Image& image, int axis)
        : RecordView<Image>(image, layout::kPulseAxes + layout::kPulseAxisSize * static_cast<std::size_t>(axis)), axis_(axis) {}
    int axis() const { return axis_; }
    static constexpr std::size_t accelTimeOffset(int i) { return kAccelTimeTable + 4 * static_cast<std::size_t>(i); }

    std::uint8_t homeMethod() const { return u8(kHomeMethod); }
    std::uint16_t travelPerRev() const { return this->image_->u16(this->base_ + kTravelPerRev); }
    std::uint16_t resolution() const { return this->image_->u16(this->base_ + kResolution); }
    std::uint16_t maxRotationSpeed() const { return this->image_->u16(this->base_ + kMaxRotationSpeed); }
    std::int16_t homeOffset() const { return this->image_->s16(this->base_ + kHomeOffset); }
    std::uint32_t accelTime(int i) const { return this->image_->u32(this->base_ + accelTimeOffset(i)); }
    std::uint8_t model() const { return u8(kModel); }
    std::uint8_t positionUnit() const { return u8(kPositionUnit); }
    std::uint8_t speedUnit() const { return u8(kSpeedUnit); }
    std::uint8_t homeDirection() const { return u8(kHomeDirection); }
    std::uint8_t accelType() const { return u8(kAccelType); }
    std::uint32_t homeAccelTime() const { return u32(kHomeAccelTime); }
    std::uint32_t homeStartSpeed() const { return u32(kHomeStartSpeed); }
    std::uint32_t startSpeed() const { return u32(kStartSpeed); }
    std::uint32_t minTravel() const { return u32(kMinTravel); }
    std::uint32_t homeSpeed() const { return u32(kHomeSpeed); }

    void setHomeMethod(std::uint8_t v) { this->image_->setU8(this->base_ + kHomeMethod, v); }
    void setTravelPerRev(std::uint16_t v) { this->image_->setU16(this->base_ + kTravelPerRev, v); }
    void setResolution(std::uint16_t v) { this->image_->setU16(this->base_ + kResolution, v); }
    void setMaxRotationSpeed(std::uint16_t v) { this->image_->setU16(this->base_ + kMaxRotationSpeed, v); }
    void setHomeOffset(std::int16_t v) { this->image_->setS16(this->base_ + kHomeOffset, v); }
    void setAccelTime(int i, std::uint32_t v) { this->image_->setU32(this->base_ + accelTimeOffset(i), v); }
    void setModel(std::uint8_t v) { this->image_->setU8(this->base_ + kModel, v); }
    void setPositionUnit(std::uint8_t v) { this->image_->setU8(this->base_ + kPositionUnit, v); }
    void setSpeedUnit(std::uint8_t v) { this->image_->setU8(this->base_ + kSpeedUnit, v); }
    void setHomeDirection(std::uint8_t v) { this->image_->setU8(this->base_ + kHomeDirection, v); }
    void setAccelType(std::uint8_t v) { this->image_->setU8(this->base_ + kAccelType, v); }
    void setHomeAccelTime(std::uint32_t v) { this->image_->setU32(this->base_ + kHomeAccelTime, v); }
    void setHomeStartSpeed(std::uint32_t v) { this->image_->setU32(this->base_ + kHomeStartSpeed, v); }
    void setStartSpeed(std::uint32_t v) { this->image_->setU32(this->base_ + kStartSpeed, v); }
    void setMinTravel(std::uint32_t v) { this->image_->setU32(this->base_ + kMinTravel, v); }
    void setHomeSpeed(std::uint32_t v) { this->image_->setU32(this->base_ + kHomeSpeed, v); }

    // Controller address of record offset k (the pulse-axis parameter space).
    std::uint32_t parameterAddress(std::size_t recordOffset) const {
        return address::kPulseAxisStride * static_cast<std::uint32_t>(axis_) + address::kPulseAxisBase +
               static_cast<std::uint32_t>(recordOffset);
    }

private:
    std::uint8_t u8(std::size_t k) const { return this->image_->u8(this->base_ + k); }
    std::uint32_t u32(std::size_t k) const { return this->image_->u32(this->base_ + k); }
    int axis_;
};

template <class Image>
class BasicControllerFlagWords : public RecordView<Image> {
public:
    static constexpr std::uint8_t kHomesBit = 0x08;
    static constexpr std::uint8_t kPlusLimitBit = 0x04;
    static constexpr std::uint8_t kMinusLimitBit = 0x02;
    explicit BasicControllerFlagWords(Image& image) : RecordView<Image>(image, layout::kFlagWords) {}
    // Sensor logic byte of pulse axis 0..3 (axis n = 1..4 lives at 172,568 - n).
    static constexpr std::size_t sensorLogicOffset(int axis) {
        return layout::kFlagWords + 7 - static_cast<std::size_t>(axis);
    }
    std::uint8_t sensorLogic(int axis) const { return this->image_->u8(sensorLogicOffset(axis)); }
    void setSensorLogic(int axis, std::uint8_t v) { this->image_->setU8(sensorLogicOffset(axis), v); }
};

template <class Image>
class BasicTimerTable : public RecordView<Image> {
public:
    explicit BasicTimerTable(Image& image) : RecordView<Image>(image, layout::kTimers) {}
    static constexpr std::size_t timerOffset(int i) { return layout::kTimers + 2 * static_cast<std::size_t>(i); }
    std::uint16_t timer(int i) const { return this->image_->u16(timerOffset(i)); }
    void setTimer(int i, std::uint16_t v) { this->image_->setU16(timerOffset(i), v); }
};

template <class Image>
class BasicCounterTable : public RecordView<Image> {
public:
    explicit BasicCounterTable(Image& image) : RecordView<Image>(image, layout::kCounters) {}
    static constexpr std::size_t counterOffset(int i) { return layout::kCounters + 4 * static_cast<std::size_t>(i); }
    std::int32_t counter(int i) const { return this->image_->s32(counterOffset(i)); }
    void setCounter(int i, std::int32_t v) { this->image_->setS32(counterOffset(i), v); }
};

template <class Image>
class BasicEthernetSettings : public RecordView<Image> {
public:
    using Address = std::array<std::uint8_t, 4>;
    static constexpr std::size_t kIpAddress = 0;
    static constexpr std::size_t kSubnetMask = 4;
    static constexpr std::size_t kGateway = 8;
    static constexpr std::size_t kPort = 12;  // uint16 (region I)
    explicit BasicEthernetSettings(Image& image) : RecordView<Image>(image, layout::kEthernet) {}
    Address ipAddress() const { return get(kIpAddress); }
    Address subnetMask() const { return get(kSubnetMask); }
    Address gateway() const { return get(kGateway); }
    std::uint16_t port() const { return this->image_->u16(this->base_ + kPort); }
    void setIpAddress(const Address& a) { set(kIpAddress, a); }
    void setSubnetMask(const Address& a) { set(kSubnetMask, a); }
    void setGateway(const Address& a) { set(kGateway, a); }
    void setPort(std::uint16_t v) { this->image_->setU16(this->base_ + kPort, v); }

private:
    Address get(std::size_t k) const {
        Address a{};
        for (std::size_t i = 0; i < 4; ++i) a[i] = this->image_->u8(this->base_ + k + i);
        return a;
    }
    void set(std::size_t k, const Address& a) {
        for (std::size_t i = 0; i < 4; ++i) this->image_->setU8(this->base_ + k + i, a[i]);
    }
};

using PositionRecord = BasicPositionRecord<SettingsImage>;
using PositionBlock = BasicPositionBlock<SettingsImage>;
using NetworkCommParams = BasicNetworkCommParams<SettingsImage>;
using NetworkDriverRecord = BasicNetworkDriverRecord<SettingsImage>;
using NetworkPointRecord = BasicNetworkPointRecord<SettingsImage>;
using PulseAxisRecord = BasicPulseAxisRecord<SettingsImage>;
using ControllerFlagWords = BasicControllerFlagWords<SettingsImage>;
using TimerTable = BasicTimerTable<SettingsImage>;
using CounterTable = BasicCounterTable<SettingsImage>;
using EthernetSettings = BasicEthernetSettings<SettingsImage>;

using ConstPositionRecord = BasicPositionRecord<const SettingsImage>;
using ConstPositionBlock = BasicPositionBlock<const SettingsImage>;
using ConstNetworkCommParams = BasicNetworkCommParams<const SettingsImage>;
using ConstNetworkDriverRecord = BasicNetworkDriverRecord<const SettingsImage>;
using ConstNetworkPointRecord = BasicNetworkPointRecord<const SettingsImage>;
using ConstPulseAxisRecord = BasicPulseAxisRecord<const SettingsImage>;
using ConstControllerFlagWords = BasicControllerFlagWords<const SettingsImage>;
using ConstTimerTable = BasicTimerTable<const SettingsImage>;
using ConstCounterTable = BasicCounterTable<const SettingsImage>;
using ConstEthernetSettings = BasicEthernetSettings<const SettingsImage>;

// Speed override level of region J: 0..4, shown as level x 20 + 20 percent.
inline std::uint8_t speedOverrideLevel(const SettingsImage& image) { return image.u8(layout::kSpeedOverrideLevel); }
inline void setSpeedOverrideLevel(SettingsImage& image, std::uint8_t level) { image.setU8(layout::kSpeedOverrideLevel, level); }

}  // namespace vantrel
