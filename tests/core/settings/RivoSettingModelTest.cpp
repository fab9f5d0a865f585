#include "settings/RivoSettingModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"

namespace vantrel {
namespace {

using test::RecordingSink;
using Field = RivoSettingModel::LineField;

class RivoSettingModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.setNoticeHandler([this](const Refusal& message) { notices.push_back(message.text); });
        model.opened();
    }
    SettingsImage image;
    RecordingSink sink;
    RivoSettingModel model{image, &sink};
    std::vector<std::string> notices;
};

TEST_F(RivoSettingModelTest, DriverTableLayout) {
    EXPECT_EQ(model.rowCount(), 17);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.cellText(0, 0), "軸");
    EXPECT_EQ(model.cellText(0, 1), "接続機種");
    EXPECT_EQ(model.cellText(1, 0), "軸01");
    EXPECT_EQ(model.cellText(16, 0), "軸16");
    EXPECT_EQ(model.choices(3, 1), (std::vector<std::string>{"QS", "QM", "WRB", "VT3", "接続無し"}));
    EXPECT_EQ(model.cellKind(3, 1), CellKind::DropDown);
    EXPECT_NE(model.helpText(3, 1).find("・接続無し（初期値）"), std::string::npos);
}

TEST_F(RivoSettingModelTest, StoredModelCodesShowTheirTexts) {
    const std::pair<int, const char*> cases[] = {{0, "接続無し"}, {1, "QM"}, {2, "QS"}, {3, "VT3"}, {4, "WRB"}, {5, "接続無し"}, {255, "接続無し"}};
    for (const auto& [code, text] : cases) {
        NetworkDriverRecord(image, 6).setModel(static_cast<std::uint8_t>(code));
        EXPECT_EQ(model.cellText(7, 1), text) << code;
    }
}

TEST_F(RivoSettingModelTest, ChoosingAModelSendsCodeThenStepUnit) {
    const std::pair<const char*, int> cases[] = {{"QM", 1}, {"QS", 2}, {"VT3", 3}, {"WRB", 4}};
    for (const auto& [text, code] : cases) {
        sink.writes.clear();
        EXPECT_FALSE(model.commit(2, 1, text));
        // Driver 2: +0 at 321,280 + 6,416 x 2.
        ASSERT_EQ(sink.writes.size(), 2u);
        EXPECT_EQ(sink.writes[0], RecordingSink::value(321280 + 6416 * 2, 1, code));
        EXPECT_EQ(sink.writes[1], RecordingSink::value(321281 + 6416 * 2, 1, 2));
        EXPECT_EQ(NetworkDriverRecord(image, 1).model(), code);
        EXPECT_EQ(model.cellText(2, 1), text);
    }
}

TEST_F(RivoSettingModelTest, NotConnectedStillGetsStepUnit) {
    NetworkDriverRecord(image, 4).setModel(1);
    NetworkDriverRecord(image, 4).setUnit(0);
    EXPECT_FALSE(model.commit(5, 1, "接続無し"));
    EXPECT_EQ(image.u8(68880 + 6416 * 4), 0);
    EXPECT_EQ(image.u8(68880 + 6416 * 4 + 1), 2);
    ASSERT_EQ(sink.writes.size(), 2u);
    EXPECT_EQ(sink.writes[0], RecordingSink::value(321280 + 6416 * 5, 1, 0));
    EXPECT_EQ(sink.writes[1], RecordingSink::value(321281 + 6416 * 5, 1, 2));
}

TEST_F(RivoSettingModelTest, LineFieldsShowStoredCodes) {
    NetworkCommParams(image).setSpeed(4);
    NetworkCommParams(image).setParity(2);
    NetworkCommParams(image).setStopBits(0);
    EXPECT_EQ(model.lineFieldText(Field::Speed), "115200bps");
    EXPECT_EQ(model.lineFieldText(Field::Parity), "偶数");
    EXPECT_EQ(model.lineFieldText(Field::StopBits), "1ビット");
    NetworkCommParams(image).setSpeed(7);
    EXPECT_EQ(model.lineFieldIndex(Field::Speed), -1);
    EXPECT_EQ(model.lineFieldText(Field::Speed), "");
}

TEST_F(RivoSettingModelTest, LineFieldsSendTheirCodes) {
    model.commitLineField(Field::Speed, "38400bps");
    model.commitLineField(Field::Parity, "奇数");
    model.commitLineField(Field::StopBits, "2ビット");
    ASSERT_EQ(sink.writes.size(), 3u);
    EXPECT_EQ(sink.writes[0], RecordingSink::value(0x50000, 1, 2));
    EXPECT_EQ(sink.writes[1], RecordingSink::value(0x50001, 1, 1));
    EXPECT_EQ(sink.writes[2], RecordingSink::value(0x50002, 1, 1));
    EXPECT_EQ(NetworkCommParams(image).speed(), 2);
    EXPECT_EQ(NetworkCommParams(image).parity(), 1);
    EXPECT_EQ(NetworkCommParams(image).stopBits(), 1);
}

TEST_F(RivoSettingModelTest, ForeignParityAndStopTextsStoreThreeForeignSpeedNothing) {
    model.commitLineField(Field::Parity, "mark");
    model.commitLineField(Field::StopBits, "1.5");
    model.commitLineField(Field::Speed, "300bps");
    ASSERT_EQ(sink.writes.size(), 2u);
    EXPECT_EQ(NetworkCommParams(image).parity(), 3);
    EXPECT_EQ(NetworkCommParams(image).stopBits(), 3);
    EXPECT_EQ(NetworkCommParams(image).speed(), 0);
}

TEST_F(RivoSettingModelTest, NoticeOncePerOpening) {
    model.commitLineField(Field::Speed, "9600bps");
    model.commitLineField(Field::Parity, "なし");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "通信設定はFLASH書き込み後、コントローラを再起動すると反映されます。");
    // A driver model change is no line setting and shows nothing.
    model.commit(1, 1, "QS");
    EXPECT_EQ(notices.size(), 1u);
    model.opened();
    model.commitLineField(Field::StopBits, "2ビット");
    EXPECT_EQ(notices.size(), 2u);
}

TEST_F(RivoSettingModelTest, HiddenFieldsAreHeldButNeverWritten) {
    NetworkCommParams(image).setWaitTime(15);
    NetworkCommParams(image).setTimeout(-200);
    EXPECT_EQ(model.waitTimeText(), "15");
    EXPECT_EQ(model.timeoutText(), "-200");
    model.commitLineField(Field::Speed, "57600bps");
    EXPECT_EQ(NetworkCommParams(image).waitTime(), 15);
    EXPECT_EQ(NetworkCommParams(image).timeout(), -200);
}

}  // namespace
}  // namespace vantrel
