#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"
#include "settings/CounterModel.h"
#include "settings/TimerModel.h"

namespace vantrel {
namespace {

using test::RecordingSink;

TEST(TimerModelTest, LayoutAndDefaults) {
    SettingsImage image = makeDefaultSettingsImage();
    TimerModel model(image, nullptr);
    EXPECT_EQ(model.rowCount(), 101);
    EXPECT_EQ(model.cellText(0, 1), "タイマー設定値");
    EXPECT_EQ(model.cellText(100, 0), "タイマー100");
    EXPECT_EQ(model.cellText(1, 1), "1.00");
    EXPECT_EQ(model.helpText(5, 1), "【内容】\nプログラムの時間待ちコマンドで使用するタイマーの設定をします。\n\n【設定範囲】\n0.00～99.99 [s]\n(初期値：1.00  [s])");
}

TEST(TimerModelTest, RoundingAndLimits) {
    SettingsImage image;
    RecordingSink sink;
    TimerModel model(image, &sink);
    EXPECT_FALSE(model.commit(1, 1, "0.29"));
    EXPECT_EQ(TimerTable(image).timer(0), 29);
    EXPECT_EQ(model.cellText(1, 1), "0.29");
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(52, 2, 29));
    EXPECT_FALSE(model.commit(100, 1, "0.004"));
    EXPECT_EQ(TimerTable(image).timer(99), 0);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(250, 2, 0));  // 50 + 2 x 100
    EXPECT_FALSE(model.commit(100, 1, "150"));
    EXPECT_EQ(TimerTable(image).timer(99), 9999);
    EXPECT_EQ(model.cellText(100, 1), "99.99");
    EXPECT_FALSE(model.commit(2, 1, "0.015"));
    EXPECT_EQ(TimerTable(image).timer(1), 2);  // halves away from zero
    EXPECT_FALSE(model.commit(2, 1, "0.285"));
    EXPECT_EQ(TimerTable(image).timer(1), 29);  // 0.285 x 100 is 28.4999... in binary
    EXPECT_FALSE(model.commit(2, 1, "0.0099"));
    EXPECT_EQ(TimerTable(image).timer(1), 0);
    EXPECT_FALSE(model.commit(2, 1, "0.01"));
    EXPECT_EQ(TimerTable(image).timer(1), 1);
    EXPECT_FALSE(model.commit(2, 1, "-7"));
    EXPECT_EQ(TimerTable(image).timer(1), 0);
    EXPECT_FALSE(model.commit(2, 1, "99.985"));
    EXPECT_EQ(TimerTable(image).timer(1), 9999);
}

TEST(TimerModelTest, BadTextIsRefused) {
    SettingsImage image = makeDefaultSettingsImage();
    RecordingSink sink;
    TimerModel model(image, &sink);
    const MaybeRefusal refusal = model.commit(3, 1, "1s");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "入力は半角数字のみです。");
    EXPECT_EQ(model.cellText(3, 1), "1.00");
    EXPECT_TRUE(sink.writes.empty());
}

TEST(CounterModelTest, LayoutAndLimits) {
    SettingsImage image = makeDefaultSettingsImage();
    RecordingSink sink;
    CounterModel model(image, &sink);
    EXPECT_EQ(model.rowCount(), 9);
    EXPECT_EQ(model.cellText(0, 1), "カウンタ設定値");
    EXPECT_EQ(model.cellText(8, 0), "カウンタ8");
    EXPECT_EQ(model.cellText(8, 1), "0");
    EXPECT_NE(model.helpText(1, 1).find("カウンタ1UP"), std::string::npos);
    EXPECT_FALSE(model.commit(1, 1, "2500000"));
    EXPECT_EQ(CounterTable(image).counter(0), 1000000);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(264, 4, 1000000));
    EXPECT_FALSE(model.commit(8, 1, "-1"));
    EXPECT_EQ(CounterTable(image).counter(7), 0);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(292, 4, 0));  // 260 + 4 x 8
    EXPECT_FALSE(model.commit(8, 1, "41.5"));
    EXPECT_EQ(CounterTable(image).counter(7), 42);
    EXPECT_EQ(model.cellText(8, 1), "42");
    EXPECT_FALSE(model.commit(8, 1, "999999.4"));
    EXPECT_EQ(CounterTable(image).counter(7), 999999);
    ASSERT_TRUE(model.commit(8, 1, "1 000"));
    EXPECT_EQ(CounterTable(image).counter(7), 999999);
}

}  // namespace
}  // namespace vantrel
