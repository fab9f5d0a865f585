#include "program/PaletteCatalogue.h"

#include <array>

namespace vantrel {

namespace {

constexpr std::string_view kPulsePage = "軸動作(ﾊﾟﾙｽ列)";
constexpr std::string_view kNetworkPage = "軸動作(RIVO)";
constexpr std::string_view kIoPage = "I/O等";
constexpr std::string_view kCalcPage = "演算";
constexpr std::string_view kOtherPage = "その他";

constexpr std::string_view kAxisControl = "軸制御";
constexpr std::string_view kAxisControlNoWait = "軸制御（完了待ちなし）";

using A = PaletteAction;

// An editor button whose text is unique on its page.
constexpr PaletteEntry editor(std::string_view page, std::string_view group, std::string_view button) {
    return {{page, "", button}, group, A::OpenEditor, kCodeEmpty, false};
}
// An editor button that the page has in two groups: the group is part of its key.
constexpr PaletteEntry twin(std::string_view page, std::string_view group, std::string_view button) {
    return {{page, group, button}, group, A::OpenEditor, kCodeEmpty, false};
}
constexpr PaletteEntry other(std::string_view page, std::string_view group, std::string_view button, A action,
                             std::uint8_t code = kCodeEmpty) {
    return {{page, "", button}, group, action, code, false};
}

const std::array kPulseEntries = {
    twin(kPulsePage, kAxisControl, "軸移動"),
    twin(kPulsePage, kAxisControl, "軸移動(ポイント指定)"),
    twin(kPulsePage, kAxisControl, "原点復帰"),
    editor(kPulsePage, kAxisControl, "軸加速度"),
    editor(kPulsePage, kAxisControl, "直線補間"),
    editor(kPulsePage, kAxisControl, "直線補間C"),
    editor(kPulsePage, kAxisControl, "円弧補間"),
    editor(kPulsePage, kAxisControl, "円弧補間C"),
    editor(kPulsePage, kAxisControl, "軸PASS"),
    twin(kPulsePage, kAxisControlNoWait, "軸移動"),
    twin(kPulsePage, kAxisControlNoWait, "軸移動(ポイント指定)"),
    twin(kPulsePage, kAxisControlNoWait, "原点復帰"),
    editor(kPulsePage, kAxisControlNoWait, "軸停止"),
    editor(kPulsePage, kAxisControlNoWait, "励磁ON/OFF"),
};

// Both "軸移動" buttons of the network page open the same editor in the same
// mode; their key names the group, as the double-click of a network move does.
const std::array kNetworkEntries = {
    twin(kNetworkPage, kAxisControl, "軸移動"),
    editor(kNetworkPage, kAxisControl, "原点復帰"),
    editor(kNetworkPage, kAxisControl, "軸停止"),
    editor(kNetworkPage, kAxisControl, "励磁ON/OFF"),
    editor(kNetworkPage, kAxisControl, "リモートI/O読出"),
    editor(kNetworkPage, kAxisControl, "リモートI/O書込"),
    twin(kNetworkPage, kAxisControl, "軸移動"),
    editor(kNetworkPage, kAxisControl, "軸復帰"),
    other(kNetworkPage, kAxisControl, "JOG動作", A::NoEffect),
};

const std::array kIoEntries = {
    editor(kIoPage, "", "外部出力"),
    editor(kIoPage, "", "内部出力"),
    editor(kIoPage, "条件待ち", "時間待ち"),
    editor(kIoPage, "条件待ち", "入力待ち"),
    other(kIoPage, "分岐", "LABEL", A::SetLabel),
    other(kIoPage, "分岐", "LABEL削除", A::DeleteLabel),
    editor(kIoPage, "分岐", "JUMP"),
    editor(kIoPage, "分岐", "CALL"),
    editor(kIoPage, "分岐", "条件JUMP"),
    editor(kIoPage, "分岐", "条件CALL"),
    editor(kIoPage, "分岐", "プログラム起動"),
    editor(kIoPage, "分岐", "プログラム停止"),
    PaletteEntry{{kIoPage, "", "条件分岐(IF/ENDIF)"}, "分岐", A::OpenEditor, kCodeEmpty, true},
    other(kIoPage, "分岐", "条件分岐(ELSE)", A::StoreDirectly, kCodeElse),
};

const std::array kCalcEntries = {
    editor(kCalcPage, "カウンタ", "Counter＋"),
    editor(kCalcPage, "カウンタ", "Counter－"),
    editor(kCalcPage, "カウンタ", "CounterSet"),
    editor(kCalcPage, "カウンタ", "CounterClr"),
    editor(kCalcPage, "メモリ", "Memory＋"),
    editor(kCalcPage, "メモリ", "Memory－"),
    editor(kCalcPage, "演算", "変数宣言"),
    editor(kCalcPage, "演算", "演算"),
};

const std::array kOtherEntries = {
    editor(kOtherPage, "システム", "ALARM"),
    other(kOtherPage, "システム", "RETURN", A::StoreDirectly, kCodeReturn),
    other(kOtherPage, "システム", "END", A::StoreDirectly, kCodeEnd),
    editor(kOtherPage, "システム", "PAUSE"),
    editor(kOtherPage, "その他", "SHIFT"),
    editor(kOtherPage, "その他", "PRESET"),
};

}  // namespace

const std::array<std::string_view, kPalettePageCount> kPalettePageTitles = {kPulsePage, kNetworkPage, kIoPage,
                                                                          kCalcPage, kOtherPage};

std::span<const PaletteEntry> paletteEntries(int page) {
    switch (page) {
    case 0: return kPulseEntries;
    case 1: return kNetworkEntries;
    case 2: return kIoEntries;
    case 3: return kCalcEntries;
    case 4: return kOtherEntries;
    default: return {};
    }
}

bool samePaletteButton(const PaletteButton& a, const PaletteButton& b) {
    return a.page == b.page && a.group == b.group && a.button == b.button;
}

std::optional<PaletteEntry> findPaletteEntry(const PaletteButton& key) {
    for (int page = 0; page < kPalettePageCount; ++page)
        for (const PaletteEntry& entry : paletteEntries(page))
            if (samePaletteButton(entry.key, key)) return entry;
    return std::nullopt;
}

}  // namespace vantrel
