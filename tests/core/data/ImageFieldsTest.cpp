#include "data/ImageFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "data/DefaultImage.h"

using namespace vantrel;

namespace {

std::map<std::string, std::string> textsByName(const std::vector<ImageField>& fields) {
    std::map<std::string, std::string> out;
    for (const auto& f : fields) out[f.name] = f.text;
    return out;
}

}  // namespace

TEST(ImageFields, DefaultImageReadsAsItsDefaults) {
    const auto texts = textsByName(describeImage(makeDefaultSettingsImage(), PointSelection::SetOnly));
    EXPECT_EQ(texts.at("axis1.model"), "接続無し");
    EXPECT_EQ(texts.at("axis1.travelPerRev"), "10.00 mm");
    EXPECT_EQ(texts.at("axis2.resolution"), "1000 P/R");
    EXPECT_EQ(texts.at("axis3.maxRotationSpeed"), "4000 r/min");
    EXPECT_EQ(texts.at("axis4.accelTime00"), "0.06 s");
    EXPECT_EQ(texts.at("axis4.accelTime25"), "0.75 s");
    EXPECT_EQ(texts.at("axis1.movableMax.position"), "20000.00 mm");
    EXPECT_EQ(texts.at("axis1.movableMin.position"), "-20000.00 mm");
    EXPECT_EQ(texts.at("axis1.prohibited5.min.position"), "0.00 mm");
    EXPECT_EQ(texts.at("network.speed"), "115200bps");
    EXPECT_EQ(texts.at("network.parity"), "偶数");
    EXPECT_EQ(texts.at("sensorLogic.axis2"), "HOMES A接点, +LS B接点, -LS B接点");
    EXPECT_EQ(texts.at("timer.T100"), "1.00 s");
    EXPECT_EQ(texts.at("counter.C8"), "0");
    EXPECT_EQ(texts.at("speedOverrideLevel"), "100 %");
    // Points not set are left out; network points only of connected drivers.
    EXPECT_EQ(texts.count("axis1.PT1001.position"), 0u);
    EXPECT_EQ(texts.count("rivo1.PT001.speed"), 0u);
}

TEST(ImageFields, AllSelectionHasTheSameFieldsForEveryImage) {
    const auto a = describeImage(SettingsImage{}, PointSelection::All);
    const auto b = describeImage(makeDefaultSettingsImage(), PointSelection::All);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i].name, b[i].name);
    // Names are unique and fields never overlap.
    std::vector<std::string> names;
    for (const auto& f : a) names.push_back(f.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    std::vector<int> owner(SettingsImage::kSize, 0);
    for (const auto& f : a)
        for (int i = 0; i < f.size; ++i) ASSERT_EQ(owner[f.offset + i]++, 0) << f.name;
}

TEST(ImageFields, DiffNamesExactlyTheChangedPointInItsUnit) {
    const SettingsImage a = makeDefaultSettingsImage();
    SettingsImage b = a;
    b.writePosition(1, 1004, -105);  // PT1005 of axis 2
    const auto diff = diffImages(a, b);
    ASSERT_EQ(diff.fields.size(), 1u);
    EXPECT_EQ(diff.fields[0].first.name, "axis2.PT1005.position");
    EXPECT_EQ(diff.fields[0].first.text, "---");
    EXPECT_EQ(diff.fields[0].second.text, "-1.05 mm");
    EXPECT_EQ(diff.reservedBytes, 0u);
    EXPECT_TRUE(diffImages(a, a).empty());
}

TEST(ImageFields, ReservedBytesAreCountedNotNamed) {
    SettingsImage a = makeDefaultSettingsImage();
    SettingsImage b = a;
    b.setU8(layout::kReservedLast, 1);
    b.setU8(0, 9);                                  // reserved head of position block 1
    b.setU8(layout::kFlagWords, 0xFF);              // flag word byte outside the sensor logic
    const auto diff = diffImages(a, b);
    EXPECT_TRUE(diff.fields.empty());
    EXPECT_EQ(diff.reservedBytes, 3u);
    const auto summary = summarizeReserved(b);
    EXPECT_EQ(summary.nonZero, 3u);
    EXPECT_GT(summary.bytes, 10000u);
    EXPECT_LT(summary.bytes, SettingsImage::kSize);
}
