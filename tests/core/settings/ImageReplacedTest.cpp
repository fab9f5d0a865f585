#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "data/DefaultImage.h"
#include "data/SettingsFile.h"
#include "settings/DriverSettingModel.h"
#include "settings/PointModel.h"
#include "settings/RivoPointModel.h"
#include "settings/TimerModel.h"

namespace vantrel {
namespace {

// The models keep no copy of the image: a settings file opened (or a read
// from the controller) while a view is shown appears at its next repaint.
TEST(ImageReplacedTest, ViewsShowAFileOpenedBehindThem) {
    SettingsImage other = makeDefaultSettingsImage();
    PulseAxisRecord(other, 0).setModel(3);
    PulseAxisRecord(other, 0).setMaxRotationSpeed(2500);
    other.writePosition(0, 1000, -5);
    NetworkDriverRecord(other, 0).setModel(1);
    NetworkDriverRecord(other, 0).point(0).setSpeed(4321);
    TimerTable(other).setTimer(0, 1234);
    const std::string path = ::testing::TempDir() + "vantrel_settings_replaced.bin";
    ASSERT_TRUE(saveSettingsFile(other, path));

    SettingsImage image = makeDefaultSettingsImage();
    DriverSettingModel axes(image, nullptr);
    PointModel points(image, nullptr);
    RivoPointModel networkPoints(image, nullptr);
    TimerModel timers(image, nullptr);
    EXPECT_EQ(axes.cellText(1, 1), "接続無し");
    EXPECT_EQ(points.cellText(1, 2), "---");

    ASSERT_TRUE(loadSettingsFile(image, path));
    EXPECT_EQ(axes.cellText(1, 1), "VT3");
    EXPECT_EQ(axes.cellText(8, 1), "2500");
    EXPECT_TRUE(axes.isEditable(8, 1));
    EXPECT_EQ(points.cellText(1, 2), "-0.05 mm");
    EXPECT_EQ(networkPoints.cellText(1, 4), "4321");
    EXPECT_EQ(networkPoints.cellKind(1, 4), CellKind::Text);
    EXPECT_EQ(timers.cellText(1, 1), "12.34");
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vantrel
