// A settings edit made through a view's model reaches a connected controller:
// the model queues on the link's request queues, and the link thread sends
// the write while idle (the simulated controller on a pseudo-terminal).
#include "e2e/E2eSupport.h"
#include "data/DefaultImage.h"
#include "settings/DriverSettingModel.h"
#include "settings/PointModel.h"
#include "settings/RivoSettingModel.h"
#include "settings/TimerModel.h"
#include "data/EditGroup.h"
#include "undo/CellEditName.h"
#include "undo/EditHistory.h"

namespace vantrel::e2e {
namespace {

class SettingsEditE2e : public LinkE2e {};

TEST_F(SettingsEditE2e, AxisSettingsEditsReachTheControllerParameters) {
    image = makeDefaultSettingsImage();
    connectEditTest();
    PulseAxisRecord(image, 0).setModel(1);
    DriverSettingModel model(image, &queues);
    ASSERT_FALSE(model.commit(DriverSettingModel::kMaxRotationSpeedRow, 1, "3000"));
    ASSERT_FALSE(model.commit(DriverSettingModel::kMinAccelTimeRow, 1, "0.10"));
    ASSERT_TRUE(queuesDrained());
    const auto speed = sim.readParameters(256 + 40, 2);
    ASSERT_EQ(speed.size(), 2u);
    EXPECT_EQ(speed[0] | (speed[1] << 8), 3000);
    // The whole acceleration table went out.
    const SettingsImage held = sim.settingsImage();
    for (int i = 0; i < 26; ++i) EXPECT_EQ(ConstPulseAxisRecord(held, 0).accelTime(i), PulseAxisRecord(image, 0).accelTime(i)) << i;
    EXPECT_EQ(PulseAxisRecord(image, 0).accelTime(0), 10u);
    EXPECT_EQ(model.cellText(DriverSettingModel::kMaxRotationSpeedRow, 1), "3000");
}

TEST_F(SettingsEditE2e, PointTimerAndNetworkEditsReachTheControllerMemory) {
    image = makeDefaultSettingsImage();
    connectEditTest();
    PointModel points(image, &queues);
    TimerModel timers(image, &queues);
    RivoSettingModel network(image, &queues);
    ASSERT_FALSE(points.commit(5, 2, "-0.5"));  // PT1002 axis 1
    ASSERT_FALSE(timers.commit(3, 1, "0.29"));  // T3
    ASSERT_FALSE(network.commit(5, 1, "WRB"));  // driver 5
    ASSERT_TRUE(queuesDrained());
    const SettingsImage held = sim.settingsImage();
    EXPECT_EQ(held.readPosition(0, 1001), -50);
    EXPECT_EQ(ConstTimerTable(held).timer(2), 29);
    EXPECT_EQ(ConstNetworkDriverRecord(held, 4).model(), 4);
    EXPECT_EQ(ConstNetworkDriverRecord(held, 4).unit(), 2);
    // The read-backs leave the image as edited.
    EXPECT_EQ(points.cellText(5, 2), "-0.50 mm");
    EXPECT_EQ(timers.cellText(3, 1), "0.29");
}

// Undone, a cell's old value goes to the controller again; redone, the new one.
TEST_F(SettingsEditE2e, AnUndoneEditReachesTheControllerToo) {
    image = makeDefaultSettingsImage();
    connectEditTest();
    ProgramStore programs;
    EditHistory history(image, programs, &queues);
    TimerModel timers(image, &history);
    {
        EditGroup cell(&history, cellEditName(timers, 3, 1));
        ASSERT_FALSE(timers.commit(3, 1, "0.29"));
    }
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(ConstTimerTable(sim.settingsImage()).timer(2), 29);
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(ConstTimerTable(sim.settingsImage()).timer(2), 100);
    ASSERT_TRUE(history.redo());
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(ConstTimerTable(sim.settingsImage()).timer(2), 29);
}

}  // namespace
}  // namespace vantrel::e2e
