#include "settings/RivoSettingModel.h"

#include <cstdio>

#include "data/ImageEdit.h"
#include "settings/CellNotes.h"

namespace vantrel {

namespace {
const char* const kNotConnected = "接続無し";

const char* const kModelHelp =
    "【内容】\n接続するドライバのシリーズを設定します。\n\n【設定範囲】\n・QS\n・QM\n・WRB\n・VT3\n・接続無し（初期値）\n\n"
    "※VANTRELに接続するすべてのドライバの通信速度、通信パリティ、通信ストップビットは同じ設定にしてください。\n"
    "※すべてのドライバで、データ設定ソフト「TUNEKIT」を使って加速度単位のパラメータを[s]に、"
    "送信待ち時間のパラメータを0.0msに設定してください。\n"
    "※すべてのドライバのRS-485 I/O機能設定、Remote-I/O機能設定、運転データNo.0は初期値のままにしてください。";
const char* const kSpeedHelp =
    "【内容】\nRIVOドライバとの通信速度を設定します。\n接続するすべてのドライバを同じ設定にしてください。\n\n"
    "【設定範囲】\n・9600bps\n・19200bps\n・38400bps\n・57600bps\n・115200bps（初期値）";
const char* const kParityHelp =
    "【内容】\nRIVOドライバとの通信パリティを設定します。\n接続するすべてのドライバを同じ設定にしてください。\n\n"
    "【設定範囲】\n・なし\n・奇数\n・偶数(初期値)\n\n※ドライバの初期値は偶数です。";
const char* const kStopBitsHelp =
    "【内容】\nRIVOドライバとの通信ストップビットを設定します。\n接続するすべてのドライバを同じ設定にしてください。\n\n"
    "【設定範囲】\n・1bit（初期値）\n・2bit\n\n※ドライバの初期値は1bitです。";

std::size_t lineFieldOffset(RivoSettingModel::LineField field) {
    switch (field) {
    case RivoSettingModel::LineField::Speed:
        return layout::kNetworkCommParams + NetworkCommParams::kSpeed;
    case RivoSettingModel::LineField::Parity:
        return layout::kNetworkCommParams + NetworkCommParams::kParity;
    case RivoSettingModel::LineField::StopBits:
        break;
    }
    return layout::kNetworkCommParams + NetworkCommParams::kStopBits;
}
}  // namespace

std::uint8_t RivoSettingModel::modelCode(const std::string& text) {
    if (text == "QM") return 1;
    if (text == "QS") return 2;
    if (text == "VT3") return 3;
    if (text == "WRB") return 4;
    return 0;
}

std::string RivoSettingModel::modelText(std::uint8_t code) {
    switch (code) {
    case 1: return "QM";
    case 2: return "QS";
    case 3: return "VT3";
    case 4: return "WRB";
    default: return kNotConnected;
    }
}

std::string RivoSettingModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) return column == 0 ? "軸" : "接続機種";
    if (column == 0) {
        char label[16];
        std::snprintf(label, sizeof label, "%02d", row);
        return std::string("軸") + label;
    }
    return modelText(ConstNetworkDriverRecord(image_, row - 1).model());
}

CellKind RivoSettingModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    if (column == 0) return CellKind::Label;
    return CellKind::DropDown;
}

std::vector<std::string> RivoSettingModel::choices(int row, int column) const {
    if (!isDriverCell(row, column)) return {};
    return {"QS", "QM", "WRB", "VT3", kNotConnected};
}

std::string RivoSettingModel::helpText(int row, int column) const {
    return isDriverCell(row, column) ? kModelHelp : "";
}

std::string RivoSettingModel::lockNote(int row, int column) const {
    if (!isDriverCell(row, column) || modelText(ConstNetworkDriverRecord(image_, row - 1).model()) != kNotConnected)
        return {};
    return notConnectedNote(cellText(row, 0), {}, "「RIVOポイント設定」でポイントデータを");
}

MaybeRefusal RivoSettingModel::commit(int row, int column, const std::string& text) {
    if (!isDriverCell(row, column)) return std::nullopt;
    ImageEdit edit(image_, sink_);
    NetworkDriverRecord driver(image_, row - 1);
    edit.write(driver.offsetOf(NetworkDriverRecord::kModel), 1, modelCode(text));
    // Choosing a model, "接続無し" included, makes the driver's positions steps.
    edit.write(driver.offsetOf(NetworkDriverRecord::kUnit), 1, 2);
    return std::nullopt;
}

std::string RivoSettingModel::lineFieldLabel(LineField field) {
    switch (field) {
    case LineField::Speed: return "通信速度設定";
    case LineField::Parity: return "通信パリティ";
    case LineField::StopBits: break;
    }
    return "通信ストップビット";
}

std::vector<std::string> RivoSettingModel::lineFieldChoices(LineField field) {
    switch (field) {
    case LineField::Speed: return {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"};
    case LineField::Parity: return {"なし", "奇数", "偶数"};
    case LineField::StopBits: break;
    }
    return {"1ビット", "2ビット"};
}

std::string RivoSettingModel::lineFieldHelp(LineField field) {
    switch (field) {
    case LineField::Speed: return kSpeedHelp;
    case LineField::Parity: return kParityHelp;
    case LineField::StopBits: break;
    }
    return kStopBitsHelp;
}

int RivoSettingModel::lineFieldIndex(LineField field) const {
    const int code = image_.u8(lineFieldOffset(field));
    return code < static_cast<int>(lineFieldChoices(field).size()) ? code : -1;
}

std::string RivoSettingModel::lineFieldText(LineField field) const {
    const int index = lineFieldIndex(field);
    return index < 0 ? std::string() : lineFieldChoices(field)[static_cast<std::size_t>(index)];
}

std::uint8_t RivoSettingModel::lineFieldCode(LineField field, const std::string& text, bool& known) {
    const auto list = lineFieldChoices(field);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) {
            known = true;
            return static_cast<std::uint8_t>(i);
        }
    }
    // The speed is the list position and has no code for a foreign text; the
    // parity and stop bits take 3 for one.
    known = field != LineField::Speed;
    return 3;
}

void RivoSettingModel::commitLineField(LineField field, const std::string& text) {
    bool known = false;
    const std::uint8_t code = lineFieldCode(field, text, known);
    if (!known) return;
    ImageEdit(image_, sink_).write(lineFieldOffset(field), 1, code);
    if (noticeArmed_) {
        noticeArmed_ = false;
        if (notice_) notice_(Refusal{noticeText(), "確認", MessageIcon::Information});
    }
}

std::string RivoSettingModel::waitTimeText() const {
    return std::to_string(ConstNetworkCommParams(image_).waitTime());
}

std::string RivoSettingModel::timeoutText() const {
    return std::to_string(ConstNetworkCommParams(image_).timeout());
}

}  // namespace vantrel
