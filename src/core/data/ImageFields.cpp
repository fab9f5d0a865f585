#include "data/ImageFields.h"

#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "data/Units.h"
#include "data/ValueText.h"

namespace vantrel {
namespace {

std::string format(const char* fmt, long long a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a);
    return buf;
}

std::string withUnit(long long v, std::string_view unit) {
    std::string s = std::to_string(v);
    if (!unit.empty()) {
        s += ' ';
        s += unit;
    }
    return s;
}

std::string codeText(unsigned code, std::initializer_list<std::pair<unsigned, const char*>> names, const char* other) {
    for (const auto& [c, name] : names)
        if (c == code) return name;
    return other;
}


class Catalogue {
public:
    Catalogue(const SettingsImage& image, PointSelection points, std::vector<ImageField>& out)
        : image_(image), points_(points), out_(out) {}

    void all() {
        for (int a = 0; a < layout::kPulseAxisCount; ++a) pulseAxis(a);
        for (int a = 0; a < layout::kPulseAxisCount; ++a) positions(a);
        network();
        for (int d = 0; d < layout::kNetworkDriverCount; ++d) driver(d);
        flags();
        for (int t = 0; t < layout::kTimerCount; ++t) {
            const auto at = TimerTable::timerOffset(t);
            add("timer.T" + std::to_string(t + 1), at, 2, image_.u16(at), twoDecimalText(image_.u16(at), " s"));
        }
        for (int c = 0; c < layout::kCounterCount; ++c) {
            const auto at = CounterTable::counterOffset(c);
            add("counter.C" + std::to_string(c + 1), at, 4, image_.s32(at), std::to_string(image_.s32(at)));
        }
        ethernet();
        const auto level = speedOverrideLevel(image_);
        add("speedOverrideLevel", layout::kSpeedOverrideLevel, 1, level, std::to_string(level * 20 + 20) + " %");
    }

private:
    void add(std::string name, std::size_t offset, int size, std::int64_t raw, std::string text) {
        out_.push_back({std::move(name), offset, size, raw, std::move(text)});
    }

    void pulseAxis(int a) {
        const ConstPulseAxisRecord r(image_, a);
        const std::string p = "axis" + std::to_string(a + 1) + ".";
        using R = ConstPulseAxisRecord;
        const auto unit = r.positionUnit();
        auto u8 = [&](const char* name, std::size_t k, std::string text) {
            add(p + name, r.offsetOf(k), 1, image_.u8(r.offsetOf(k)), std::move(text));
        };
        auto u32 = [&](const char* name, std::size_t k, std::string text) {
            add(p + name, r.offsetOf(k), 4, image_.u32(r.offsetOf(k)), std::move(text));
        };
        u8("model", R::kModel, codeText(r.model(), {{1, "QM"}, {2, "QS"}, {3, "VT3"}, {5, "LD"}}, "接続無し"));
        u8("positionUnit", R::kPositionUnit, positionUnitText(unit));
        u8("speedUnit", R::kSpeedUnit, speedUnitText(r.speedUnit()));
        add(p + "travelPerRev", r.offsetOf(R::kTravelPerRev), 2, r.travelPerRev(), travelText(r.travelPerRev(), unit));
        u32("minTravel", R::kMinTravel, travelText(r.minTravel(), unit));
        add(p + "resolution", r.offsetOf(R::kResolution), 2, r.resolution(), withUnit(r.resolution(), "P/R"));
        u32("startSpeed", R::kStartSpeed, withUnit(r.startSpeed(), "Hz"));
        add(p + "maxRotationSpeed", r.offsetOf(R::kMaxRotationSpeed), 2, r.maxRotationSpeed(),
            withUnit(r.maxRotationSpeed(), "r/min"));
        u8("accelType", R::kAccelType, r.accelType() == 1 ? "S字加減速" : "直線加減速");
        for (int i = 0; i < R::kAccelTimeCount; ++i) {
            const auto k = R::accelTimeOffset(i);
            add(p + "accelTime" + format("%02lld", i), r.offsetOf(k), 4, r.accelTime(i),
                twoDecimalText(r.accelTime(i), " s"));
        }
        u8("homeMethod", R::kHomeMethod, r.homeMethod() == 1 ? "2センサ" : "3センサ");
        u8("homeDirection", R::kHomeDirection, r.homeDirection() != 0 ? "CW" : "CCW");
        u32("homeSpeed", R::kHomeSpeed, withUnit(r.homeSpeed(), "Hz"));
        u32("homeAccelTime", R::kHomeAccelTime, twoDecimalText(r.homeAccelTime(), " s"));
        u32("homeStartSpeed", R::kHomeStartSpeed, withUnit(r.homeStartSpeed(), "Hz"));
        add(p + "homeOffset", r.offsetOf(R::kHomeOffset), 2, r.homeOffset(), withUnit(r.homeOffset(), "step"));
    }

    std::string positionName(int axis, int index) const {
        const std::string p = "axis" + std::to_string(axis + 1) + ".";
        if (index == layout::kMovableMaxIndex) return p + "movableMax";
        if (index == layout::kMovableMinIndex) return p + "movableMin";
        if (index >= layout::kProhibitedMaxIndex && index < layout::kProhibitedMaxIndex + layout::kProhibitedAreaCount)
            return p + "prohibited" + std::to_string(index - layout::kProhibitedMaxIndex + 1) + ".max";
        if (index >= layout::kProhibitedMinIndex && index < layout::kProhibitedMinIndex + layout::kProhibitedAreaCount)
            return p + "prohibited" + std::to_string(index - layout::kProhibitedMinIndex + 1) + ".min";
        if (index >= layout::kPointTableFirstIndex && index < layout::kPointTableFirstIndex + layout::kPointTableCount)
            return p + "PT" + std::to_string(index + 1);
        return p + format("P%04lld", index + 1);
    }

    void positions(int a) {
        for (int i = 0; i < layout::kPositionCount; ++i) {
            const ConstPositionRecord rec(image_, a, i);
            const auto value = rec.position();
            if (points_ == PointSelection::SetOnly && value == NOT_SET_POSITION) continue;
            const std::string name = positionName(a, i);
            add(name + ".position", rec.offsetOf(ConstPositionRecord::kPosition), 3, value, positionText(value, ConstPulseAxisRecord(image_, a).positionUnit()));
            add(name + ".speed", rec.offsetOf(ConstPositionRecord::kSpeed), 1, rec.speed(), withUnit(rec.speed(), "%"));
        }
    }

    void network() {
        const ConstNetworkCommParams c(image_);
        using C = ConstNetworkCommParams;
        add("network.speed", c.offsetOf(C::kSpeed), 1, c.speed(),
            codeText(c.speed(), {{0, "9600bps"}, {1, "19200bps"}, {2, "38400bps"}, {3, "57600bps"}, {4, "115200bps"}}, "?"));
        add("network.parity", c.offsetOf(C::kParity), 1, c.parity(),
            codeText(c.parity(), {{0, "なし"}, {1, "奇数"}, {2, "偶数"}}, "?"));
        add("network.stopBits", c.offsetOf(C::kStopBits), 1, c.stopBits(),
            codeText(c.stopBits(), {{0, "1ビット"}, {1, "2ビット"}}, "?"));
        add("network.waitTime", c.offsetOf(C::kWaitTime), 4, c.waitTime(), withUnit(c.waitTime(), "x 0.1 ms"));
        add("network.timeout", c.offsetOf(C::kTimeout), 4, c.timeout(), withUnit(c.timeout(), "ms"));
    }

    void driver(int d) {
        const ConstNetworkDriverRecord r(image_, d);
        using R = ConstNetworkDriverRecord;
        const std::string p = "rivo" + std::to_string(d + 1) + ".";
        add(p + "model", r.offsetOf(R::kModel), 1, r.model(),
            codeText(r.model(), {{1, "QM"}, {2, "QS"}, {3, "VT3"}, {4, "WRB"}}, "接続無し"));
        add(p + "unit", r.offsetOf(R::kUnit), 1, r.unit(), r.unit() == 2 ? "step" : "mm");
        add(p + "ratio1", r.offsetOf(R::kRatio1), 2, r.ratio1(), std::to_string(r.ratio1()));
        add(p + "ratio2", r.offsetOf(R::kRatio2), 2, r.ratio2(), std::to_string(r.ratio2()));
        const bool connected = r.model() >= 1 && r.model() <= 4;
        if (points_ == PointSelection::SetOnly && !connected) return;
        using P = ConstNetworkPointRecord;
        for (int j = 0; j < layout::kNetworkPointCount; ++j) {
            const auto pt = r.point(j);
            const std::string q = p + format("PT%03lld", j + 1) + ".";
            add(q + "mode", pt.offsetOf(P::kMode), 1, pt.mode(), pt.mode() == 1 ? "ABS" : "INC");
            add(q + "position", pt.offsetOf(P::kPosition), 4, pt.position(), withUnit(pt.position(), "step"));
            add(q + "speed", pt.offsetOf(P::kSpeed), 4, pt.speed(), withUnit(pt.speed(), "Hz"));
            add(q + "accelTime", pt.offsetOf(P::kAccelTime), 4, pt.accelTime(), millisecondsText(pt.accelTime()) + " s");
            add(q + "decelTime", pt.offsetOf(P::kDecelTime), 4, pt.decelTime(), millisecondsText(pt.decelTime()) + " s");
        }
    }

    void flags() {
        for (int a = 0; a < layout::kPulseAxisCount; ++a) {
            const auto at = ConstControllerFlagWords::sensorLogicOffset(a);
            const auto v = image_.u8(at);
            auto contact = [&](std::uint8_t bit) { return (v & bit) ? "B接点" : "A接点"; };
            using F = ConstControllerFlagWords;
            add("sensorLogic.axis" + std::to_string(a + 1), at, 1, v,
                std::string("HOMES ") + contact(F::kHomesBit) + ", +LS " + contact(F::kPlusLimitBit) + ", -LS " +
                    contact(F::kMinusLimitBit));
        }
    }

    void ethernet() {
        const ConstEthernetSettings e(image_);
        using E = ConstEthernetSettings;
        auto address = [&](const char* name, std::size_t k, const E::Address& v) {
            const std::int64_t raw = (std::int64_t{v[0]} << 24) | (v[1] << 16) | (v[2] << 8) | v[3];
            add(std::string("ethernet.") + name, e.offsetOf(k), 4, raw,
                std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]));
        };
        address("ipAddress", E::kIpAddress, e.ipAddress());
        address("subnetMask", E::kSubnetMask, e.subnetMask());
        address("gateway", E::kGateway, e.gateway());
        add("ethernet.port", e.offsetOf(E::kPort), 2, e.port(), std::to_string(e.port()));
    }

    const SettingsImage& image_;
    PointSelection points_;
    std::vector<ImageField>& out_;
};

}  // namespace

std::vector<ImageField> describeImage(const SettingsImage& image, PointSelection points) {
    std::vector<ImageField> fields;
    fields.reserve(points == PointSelection::All ? 26000 : 400);
    Catalogue(image, points, fields).all();
    return fields;
}

namespace {

// The bytes the fields cover; with PointSelection::All that is every named byte.
std::vector<bool> maskOf(const std::vector<ImageField>& fields) {
    std::vector<bool> mask(SettingsImage::kSize, false);
    for (const auto& f : fields)
        for (int i = 0; i < f.size; ++i) mask[f.offset + static_cast<std::size_t>(i)] = true;
    return mask;
}

}  // namespace

std::vector<bool> namedByteMask() { return maskOf(describeImage(SettingsImage{}, PointSelection::All)); }

ReservedSummary summarizeReserved(const SettingsImage& image) {
    ReservedSummary summary;
    const auto mask = namedByteMask();
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) {
        if (mask[i]) continue;
        ++summary.bytes;
        if (image.u8(i) != 0) ++summary.nonZero;
    }
    return summary;
}

ImageDifference diffImages(const SettingsImage& a, const SettingsImage& b) {
    ImageDifference diff;
    const auto fa = describeImage(a, PointSelection::All);
    const auto fb = describeImage(b, PointSelection::All);
    for (std::size_t i = 0; i < fa.size() && i < fb.size(); ++i)
        if (fa[i].raw != fb[i].raw) diff.fields.emplace_back(fa[i], fb[i]);
    const auto mask = maskOf(fa);  // the names of All do not depend on the image
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i)
        if (!mask[i] && a.u8(i) != b.u8(i)) ++diff.reservedBytes;
    return diff;
}

}  // namespace vantrel
