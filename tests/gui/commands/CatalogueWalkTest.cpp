// Every button of every palette page, pressed in edit-test mode on a new row,
// opens its editor (the right one, under its title) or stores its step; and a
// double-click on a step of every code with an editor opens that code's
// editor.

#include <algorithm>
#include <map>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "EditorTestSupport.h"
#include "program/CommandCode.h"

using namespace vantrel;
using Kind = CommandEditorKind;

namespace {

// The dialog class of each editor kind.
const std::map<Kind, QString> kDialogClass = {
    {Kind::Condition, "vantrel::CProgIfDlg"},           {Kind::Output, "vantrel::CProgOutDlg"},
    {Kind::RemoteIoWrite, "vantrel::CProgRioOutDlg"},   {Kind::TimerCounterMemory, "vantrel::CProgTimerCounterDlg"},
    {Kind::Label, "vantrel::CLabelDlg"},                {Kind::ProgramChoice, "vantrel::CProgCallDlg"},
    {Kind::Comparison, "vantrel::CProgIfThenDlg"},      {Kind::VariableDeclaration, "vantrel::CProgRegIntDlg"},
    {Kind::Expression, "vantrel::CProgCalcDlg"},        {Kind::UserAlarm, "vantrel::CProgAlarmDlg"},
    {Kind::Pause, "vantrel::CProgPauseDlg"},            {Kind::AxisMove, "vantrel::CProgMoveDlg"},
    {Kind::PointMove, "vantrel::CProgMoveDlg"},         {Kind::LinearInterpolation, "vantrel::CProgMoveDlg"},
    {Kind::ArcInterpolation, "vantrel::CProgMoveDlg"},  {Kind::Home, "vantrel::CProgHomeDlg"},
    {Kind::Acceleration, "vantrel::CProgAccDlg"},       {Kind::Pass, "vantrel::CProgPassDlg"},
    {Kind::AxisStop, "vantrel::CProgAxisDlg"},          {Kind::Excitation, "vantrel::CProgAxisDlg"},
    {Kind::PositionPreset, "vantrel::CProgAxisDlg"},    {Kind::NetworkMove, "vantrel::CProgRivoMoveDlg"},
    {Kind::NetworkAxisCommand, "vantrel::CProgRivoAxisDlg"}, {Kind::Shift, "vantrel::CProgShiftDlg"},
};

// The title of the editors in each mode (the code they store; -1 sets a label).
const std::map<int, QString> kTitle = {
    {kNoStepCode, "Label入力"},   {kCodeOutInternal, "内部出力"},  {kCodeOutExternal, "外部出力"},
    {kCodeIn, "入力待ち"},        {kCodeWait, "時間待ち"},         {kCodeCounterInc, "Counter＋"},
    {kCodeCounterDec, "Counter－"}, {kCodeCounterClear, "CounterClr"}, {kCodeMemoryInc, "Memory＋"},
    {kCodeMemoryDec, "Memory－"},  {kCodeGoto, "JUMP"},             {kCodeGosub, "CALL"},
    {kCodeProgramOn, "プログラム起動"}, {kCodeProgramOff, "プログラム停止"}, {kCodeIfGoto, "条件JUMP"},
    {kCodeIfGosub, "条件CALL"},   {kCodePause, "PAUSE"},           {kCodeAlarm, "ALARM"},
    {kCodeCounterSet, "CounterSet"}, {kCodeRegInt, "変数宣言"},     {kCodeCalc, "演算"},
    {kCodeNioWr, "リモートI/O書込"}, {kCodeIfThen, "条件分岐"},
    // The motion editors.
    {kCodeMove, "軸移動(ポイント指定)"}, {kCodeMoveP, "軸移動(ポイント指定)"}, {kCodeMoveD, "軸移動"},
    {kCodeMovePD, "軸移動"}, {kCodeLineC, "直線補間C"}, {kCodeLine, "直線補間"},
    {kCodeArcC, "円弧補間C"}, {kCodeArc, "円弧補間"}, {kCodeHome, "原点復帰"},
    {kCodeHomeP, "原点復帰"}, {kCodeAcc, "軸加速度"}, {kCodePath, "軸PASS"},
    {kCodeSav, "励磁ON/OFF"}, {kCodePrst, "位置プリセット"}, {kCodeBreak, "軸停止"},
    {kCodeMove2P, "軸移動(RIVO)"}, {kCodeMove2, "軸移動(RIVO)"}, {kCodeBreak2, "軸停止(RIVO)"},
    {kCodeSav2, "励磁ON/OFF(RIVO)"}, {kCodeNioRd, "ﾘﾓｰﾄI/O読出"}, {kCodeHome2P, "原点復帰(RIVO)"},
    {kCodeHome2, "原点復帰(RIVO)"}, {kCodeShift, "シフト演算"},
};

// One step of every code that has an editor.
const std::map<int, std::string> kStepLines = {
    {kCodeMove, "MOVE\tA1 P1001 "},     {kCodeMoveP, "MOVEP\tA1 P1001 "},   {kCodeHome, "HOME\tA1 "},
    {kCodeHomeP, "HOMEP\tA1 "},          {kCodeBreak, "BREAK\tA1 "},         {kCodePath, "PATH\tOFF "},
    {kCodeAcc, "ACC\tOFF"},              {kCodeLine, "LINE\tA1 P0301 "},     {kCodeArc, "ARC\tA1,A2 P0302 P0303 "},
    {kCodeOutInternal, "OUT\tT1 ON"},    {kCodeOutExternal, "OUT\tOUT1 ON"}, {kCodeIn, "IN\tIN1 ON"},
    {kCodeWait, "WAIT\tT1"},             {kCodeCounterInc, "CINC\tCNTR1"},   {kCodeCounterDec, "CDEC\tCNTR1"},
    {kCodeCounterClear, "CCLR\tCNTR1"},  {kCodeMemoryInc, "INC\tM1"},        {kCodeMemoryDec, "DEC\tM1"},
    {kCodeGoto, "GOTO\tL001 "},          {kCodeGosub, "GOSUB\t#001 "},       {kCodeProgramOn, "ON\t#001 "},
    {kCodeProgramOff, "OFF\t#001 "},     {kCodeIfGoto, "IF\tIN1 ON GOTO L001 "},
    {kCodeIfGosub, "IF\tIN1 ON GOSUB #001 "}, {kCodePause, "PAUSE\tON"},     {kCodeAlarm, "ALM\t01 "},
    {kCodeMoveD, "MOVE\tA1 P0304 "},     {kCodeMovePD, "MOVEP\tA1 P0305 "},  {kCodeJmp, "JMP\tL001 "},
    {kCodeLineC, "LINEC\tA1 P0306 "},    {kCodeArcC, "ARCC\tA1,A2 P0307 P0308 "},
    {kCodeMove2P, "MOVE2P\tA1 P001 "},   {kCodeHome2P, "HOME2P\tA1 "},       {kCodeBreak2, "BREAK2\tA1 "},
    {kCodeSav2, "SAV2\tA1 ON"},          {kCodeCounterSet, "CSET\tCNTR1=5"}, {kCodeShift, "SHIFT\tON 1 P081 "},
    {kCodeRegInt, "REGINT\tA"},          {kCodeCalc, "CALC\tA = 1 "},        {kCodeSav, "SAV\tA1 ON"},
    {kCodeNioRd, "NIORD\tA1 "},          {kCodeNioWr, "NIOWR\tNO000 ON"},    {kCodeMove2, "MOVE2\tA1 P001 "},
    {kCodeHome2, "HOME2\tA1 "},          {kCodeIfThen, "IF\tA == 1 THEN"},   {kCodePrst, "PRST\tA1 "},
};

// Cancels every modal dialog that opens and notes its class and title.
class ModalCatcher {
public:
    ModalCatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            opened.append(QString::fromLatin1(dialog->metaObject()->className()) + QStringLiteral(" ") +
                          dialog->windowTitle());
            dialog->reject();
        });
        timer_.start(5);
    }
    QStringList opened;

private:
    QTimer timer_;
};

// What a button or a double-click of `kind` in `mode` is expected to open.
QString expectedEditor(Kind kind, int mode) { return kDialogClass.at(kind) + QStringLiteral(" ") + kTitle.at(mode); }

}  // namespace

class CatalogueWalkTest : public QObject, public test::EditorFixture {
    Q_OBJECT

private:
    void checkOpened(const QStringList& opened, Kind kind, int mode, const QString& where) {
        QVERIFY2(opened.size() == 1, qPrintable(where + QStringLiteral(": ") + opened.join(QStringLiteral(" | "))));
        QCOMPARE(opened.front(), expectedEditor(kind, mode));
    }

private slots:
    void cleanup() { closeView(); }

    void everyPaletteButtonOpensItsEditorOrStoresItsStep() {
        openView("\tPROG\t#001\r\nL001\tEND\t\r\n");
        ModalCatcher catcher;
        const auto catalogue = paletteCatalogue();
        int editors = 0, stored = 0;
        for (int page = 0; page < static_cast<int>(palettePages().size()); ++page) {
            view->palette()->showPage(page);
            for (int i = 0; i < static_cast<int>(catalogue.size()); ++i) {
                QPushButton* button = view->palette()->page(page)->button(i);
                if (!button) continue;
                const PaletteEntry& entry = catalogue[static_cast<std::size_t>(i)];
                const QString where = QString::fromUtf8(entry.button.page.data()) + QStringLiteral(" / ") + button->text();
                // Only "JOG動作", which has no effect, is disabled.
                QVERIFY2(button->isEnabled() == (entry.action != PaletteAction::Nothing), qPrintable(where));
                if (!button->isEnabled()) continue;

                // A label goes on a step with a command; everything else acts on the new row.
                const int blankRow = stepCount();
                const bool onCommand = entry.action == PaletteAction::ClearLabel || entry.code == kNoStepCode;
                view->table()->selectSingleRow(onCommand ? 0 : blankRow);
                catcher.opened.clear();
                recorder->messages.clear();
                button->click();
                switch (entry.action) {
                case PaletteAction::OpenEditor:
                    checkOpened(catcher.opened, entry.editor, entry.code, where);
                    QCOMPARE(stepCount(), blankRow);  // cancelled
                    ++editors;
                    break;
                case PaletteAction::StoreStep:
                    QVERIFY2(catcher.opened.isEmpty(), qPrintable(where));
                    QCOMPARE(int(step(blankRow).code), entry.code);
                    ++stored;
                    break;
                case PaletteAction::ClearLabel:
                    QCOMPARE(int(step(0).label), 0);
                    break;
                case PaletteAction::Nothing: break;
                }
                QVERIFY2(!QTest::currentTestFailed(), qPrintable(where));
            }
        }
        QCOMPARE(stored, 3);  // "条件分岐(ELSE)", "RETURN", "END"
        // Every editor button of every page was pressed.
        QCOMPARE(editors, static_cast<int>(std::count_if(catalogue.begin(), catalogue.end(), [](const PaletteEntry& e) {
                              return e.action == PaletteAction::OpenEditor;
                          })));
    }

    void aDoubleClickOnEveryStepOpensItsEditor() {
        std::string text = "\tPROG\t#001\r\n";
        std::vector<int> codes;
        for (int code = 0; code < kCommandCodeCount; ++code) {
            if (!hasEditor(code)) continue;
            QVERIFY2(kStepLines.count(code), qPrintable(QString::number(code)));
            text += "\t" + kStepLines.at(code) + "\r\n";
            codes.push_back(code);
        }
        openView(text);
        const std::string before = state->programs.text();
        ModalCatcher catcher;
        for (int row = 0; row < static_cast<int>(codes.size()); ++row) {
            const int code = codes[static_cast<std::size_t>(row)];
            const QString where = QStringLiteral("code %1").arg(code);
            QVERIFY2(step(row).code == code, qPrintable(where));
            catcher.opened.clear();
            doubleClick(row);
            const PaletteEntry* entry = doubleClickEntry(code);
            checkOpened(catcher.opened, entry->editor, doubleClickMode(code), where);
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(where));
        }
        QCOMPARE(int(codes.size()), int(kStepLines.size()));
        QCOMPARE(state->programs.text(), before);  // every editor was cancelled
    }
};

VANTREL_GUI_TEST_MAIN(CatalogueWalkTest)
#include "CatalogueWalkTest.moc"
