#include "program/PaletteButton.h"

#include <array>

#include "program/CommandCode.h"

namespace vantrel {

namespace {

using Kind = CommandEditorKind;
using Action = PaletteAction;

constexpr std::string_view kNoGroup = "";
constexpr std::string_view kGroupWait = "条件待ち";
constexpr std::string_view kGroupBranch = "分岐";
constexpr std::string_view kGroupCounter = "カウンタ";
constexpr std::string_view kGroupMemory = "メモリ";
constexpr std::string_view kGroupCalculation = "演算";
constexpr std::string_view kGroupSystem = "システム";
constexpr std::string_view kGroupOther = "その他";

constexpr PaletteEntry editor(std::string_view page, std::string_view group, std::string_view text, Kind kind, int code) {
    return {{page, group, text}, Action::OpenEditor, kind, code};
}
constexpr PaletteEntry store(std::string_view page, std::string_view group, std::string_view text, int code) {
    return {{page, group, text}, Action::StoreStep, Kind::None, code};
}

constexpr std::string_view kPulse = kPagePulseAxes;
constexpr std::string_view kNetwork = kPageNetworkAxes;
constexpr std::string_view kWait = kGroupAxisControl;
constexpr std::string_view kNoWait = kGroupAxisControlNoWait;

const PaletteEntry kCatalogue[] = {
    editor(kPulse, kWait, "軸移動", Kind::AxisMove, kCodeMoveD),
    editor(kPulse, kWait, "軸移動(ポイント指定)", Kind::PointMove, kCodeMove),
    editor(kPulse, kWait, "原点復帰", Kind::Home, kCodeHome),
    editor(kPulse, kWait, "軸加速度", Kind::Acceleration, kCodeAcc),
    editor(kPulse, kWait, "直線補間", Kind::LinearInterpolation, kCodeLine),
    editor(kPulse, kWait, "直線補間C", Kind::LinearInterpolation, kCodeLineC),
    editor(kPulse, kWait, "円弧補間", Kind::ArcInterpolation, kCodeArc),
    editor(kPulse, kWait, "円弧補間C", Kind::ArcInterpolation, kCodeArcC),
    editor(kPulse, kWait, "軸PASS", Kind::Pass, kCodePath),
    editor(kPulse, kNoWait, "軸移動", Kind::AxisMove, kCodeMovePD),
    editor(kPulse, kNoWait, "軸移動(ポイント指定)", Kind::PointMove, kCodeMoveP),
    editor(kPulse, kNoWait, "原点復帰", Kind::Home, kCodeHomeP),
    editor(kPulse, kNoWait, "軸停止", Kind::AxisStop, kCodeBreak),
    editor(kPulse, kNoWait, "励磁ON/OFF", Kind::Excitation, kCodeSav),

    editor(kNetwork, kWait, "軸移動", Kind::NetworkMove, kCodeMove2P),
    editor(kNetwork, kWait, "原点復帰", Kind::NetworkAxisCommand, kCodeHome2P),
    editor(kNetwork, kWait, "軸停止", Kind::NetworkAxisCommand, kCodeBreak2),
    editor(kNetwork, kWait, "励磁ON/OFF", Kind::NetworkAxisCommand, kCodeSav2),
    editor(kNetwork, kWait, "リモートI/O読出", Kind::NetworkAxisCommand, kCodeNioRd),
    editor(kNetwork, kWait, "リモートI/O書込", Kind::RemoteIoWrite, kCodeNioWr),
    editor(kNetwork, kWait, "軸移動", Kind::NetworkMove, kCodeMove2P),
    editor(kNetwork, kWait, "軸復帰", Kind::NetworkAxisCommand, kCodeHome2P),
    {{kNetwork, kWait, "JOG動作"}, Action::Nothing, Kind::None, kNoStepCode},

    editor(kPageIo, kNoGroup, "外部出力", Kind::Output, kCodeOutExternal),
    editor(kPageIo, kNoGroup, "内部出力", Kind::Output, kCodeOutInternal),
    editor(kPageIo, kGroupWait, "時間待ち", Kind::TimerCounterMemory, kCodeWait),
    editor(kPageIo, kGroupWait, "入力待ち", Kind::Condition, kCodeIn),
    editor(kPageIo, kGroupBranch, "LABEL", Kind::Label, kNoStepCode),
    {{kPageIo, kGroupBranch, "LABEL削除"}, Action::ClearLabel, Kind::None, kNoStepCode},
    editor(kPageIo, kGroupBranch, "JUMP", Kind::Label, kCodeGoto),
    editor(kPageIo, kGroupBranch, "CALL", Kind::ProgramChoice, kCodeGosub),
    editor(kPageIo, kGroupBranch, "条件JUMP", Kind::Condition, kCodeIfGoto),
    editor(kPageIo, kGroupBranch, "条件CALL", Kind::Condition, kCodeIfGosub),
    editor(kPageIo, kGroupBranch, "プログラム起動", Kind::ProgramChoice, kCodeProgramOn),
    editor(kPageIo, kGroupBranch, "プログラム停止", Kind::ProgramChoice, kCodeProgramOff),
    editor(kPageIo, kGroupBranch, "条件分岐(IF/ENDIF)", Kind::Comparison, kCodeIfThen),
    store(kPageIo, kGroupBranch, "条件分岐(ELSE)", kCodeElse),

    editor(kPageCalculation, kGroupCounter, "Counter＋", Kind::TimerCounterMemory, kCodeCounterInc),
    editor(kPageCalculation, kGroupCounter, "Counter－", Kind::TimerCounterMemory, kCodeCounterDec),
    editor(kPageCalculation, kGroupCounter, "CounterSet", Kind::TimerCounterMemory, kCodeCounterSet),
    editor(kPageCalculation, kGroupCounter, "CounterClr", Kind::TimerCounterMemory, kCodeCounterClear),
    editor(kPageCalculation, kGroupMemory, "Memory＋", Kind::TimerCounterMemory, kCodeMemoryInc),
    editor(kPageCalculation, kGroupMemory, "Memory－", Kind::TimerCounterMemory, kCodeMemoryDec),
    editor(kPageCalculation, kGroupCalculation, "変数宣言", Kind::VariableDeclaration, kCodeRegInt),
    editor(kPageCalculation, kGroupCalculation, "演算", Kind::Expression, kCodeCalc),

    editor(kPageOther, kGroupSystem, "ALARM", Kind::UserAlarm, kCodeAlarm),
    store(kPageOther, kGroupSystem, "RETURN", kCodeReturn),
    store(kPageOther, kGroupSystem, "END", kCodeEnd),
    editor(kPageOther, kGroupSystem, "PAUSE", Kind::Pause, kCodePause),
    editor(kPageOther, kGroupOther, "SHIFT", Kind::Shift, kCodeShift),
    editor(kPageOther, kGroupOther, "PRESET", Kind::PositionPreset, kCodePrst),
};

const std::array<std::string_view, 5> kPages = {kPagePulseAxes, kPageNetworkAxes, kPageIo, kPageCalculation, kPageOther};

const std::array<std::string_view, 2> kAxisGroups = {kGroupAxisControl, kGroupAxisControlNoWait};
const std::array<std::string_view, 3> kIoGroups = {kNoGroup, kGroupWait, kGroupBranch};
const std::array<std::string_view, 3> kCalculationGroups = {kGroupCounter, kGroupMemory, kGroupCalculation};
const std::array<std::string_view, 2> kOtherGroups = {kGroupSystem, kGroupOther};

// Codes re-opened by the editor of another code's button.
int doubleClickSource(int code) {
    switch (code) {
    case kCodeJmp: return kCodeGoto;
    case kCodeMove2: return kCodeMove2P;
    case kCodeHome2: return kCodeHome2P;
    default: return code;
    }
}

}  // namespace

std::span<const PaletteEntry> paletteCatalogue() { return kCatalogue; }

std::span<const std::string_view> palettePages() { return kPages; }

std::span<const std::string_view> paletteGroups(std::string_view page) {
    if (page == kPagePulseAxes || page == kPageNetworkAxes) return kAxisGroups;
    if (page == kPageIo) return kIoGroups;
    if (page == kPageCalculation) return kCalculationGroups;
    if (page == kPageOther) return kOtherGroups;
    return {};
}

const PaletteEntry* doubleClickEntry(int code) {
    if (code < 0) return nullptr;
    const int source = doubleClickSource(code);
    for (const PaletteEntry& entry : kCatalogue)
        if (entry.action == Action::OpenEditor && entry.code == source) return &entry;
    return nullptr;
}

int doubleClickMode(int code) {
    const PaletteEntry* entry = doubleClickEntry(code);
    if (!entry) return kNoStepCode;
    return code == kCodeMove2 || code == kCodeHome2 ? code : entry->code;
}

std::optional<PaletteButton> doubleClickButton(int code) {
    const PaletteEntry* entry = doubleClickEntry(code);
    if (!entry) return std::nullopt;
    return entry->button;
}

std::string paletteToolTip(const PaletteEntry& entry) {
    switch (entry.action) {
    case PaletteAction::ClearLabel: return "選択したステップのラベルを削除します";
    case PaletteAction::Nothing: return "このボタンにはコマンドがありません";
    case PaletteAction::OpenEditor:
    case PaletteAction::StoreStep: break;
    }
    if (entry.code == kNoStepCode) return "選択したステップにラベルを付けます";
    // The conditional forms share the keyword IF: they are told apart by what follows it.
    switch (entry.code) {
    case kCodeIfGoto: return "コマンド: IF … GOTO";
    case kCodeIfGosub: return "コマンド: IF … GOSUB";
    case kCodeIfThen: return "コマンド: IF … THEN / ENDIF";
    default: return "コマンド: " + std::string(commandKeyword(entry.code));
    }
}

}  // namespace vantrel
