#include "CommandEditorShots.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>

#include "commands/CIoSymbolPicker.h"
#include "commands/CProgAlarmDlg.h"
#include "commands/CProgCalcDlg.h"
#include "commands/CProgCallDlg.h"
#include "commands/CProgIfDlg.h"
#include "commands/CProgIfThenDlg.h"
#include "commands/CProgOutDlg.h"
#include "commands/CProgRioOutDlg.h"
#include "commands/CProgPauseDlg.h"
#include "commands/CProgRegIntDlg.h"
#include "commands/CProgTimerCounterDlg.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/PaletteButton.h"

namespace vantrel::bench {

namespace {

// Runs `fill` on the editor that `open` shows, saves the editor and cancels it.
template <class Dialog>
void shoot(const std::function<void()>& open, const std::function<void(Dialog&)>& fill, const QString& name,
           const SaveShot& save) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, fill, name, save] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        fill(*dialog);
        dialog->adjustSize();
        save(*dialog, name);
        dialog->reject();
    });
    timer->start(20);
    open();
    timer->stop();
    timer->deleteLater();
}

// Presses the palette button (page, text) with the blank row after program 1's steps selected.
std::function<void()> press(CProgramView& view, std::string_view page, std::string_view text) {
    return [&view, page, text] {
        const auto catalogue = paletteCatalogue();
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            if (catalogue[i].button.page != page || catalogue[i].button.button != text) continue;
            view.table()->selectSingleRow(14);
            view.pressPaletteEntry(static_cast<int>(i));
            return;
        }
    };
}

void type(QLineEdit* field, const QString& text) {
    field->setText(text);
    emit field->textEdited(text);
}

void pick(CIoSymbolPicker* picker, int row) { picker->table()->setCurrentCell(row, 0); }

}  // namespace

void saveCommandEditorShots(CProgramView& view, const SaveShot& save) {
    shoot<CProgIfDlg>(press(view, kPageIo, "入力待ち"), [](CProgIfDlg& d) {
        pick(d.picker(), 0);
        d.andButton()->click();
        pick(d.picker(), 1);
        d.offButton()->click();
        d.orButton()->click();
        pick(d.picker(), 2);
        d.compareButton()->click();
        d.operatorList()->setCurrentIndex(3);
        type(d.valueField(), QStringLiteral("7"));
        d.andButton()->click();
    }, QStringLiteral("editor-wait-input.png"), save);

    // The stored "IN2 ON GOTO L001 " of row 12, its label chosen, confirmed.
    shoot<CProgIfDlg>([&view] { view.editStep(12); }, [](CProgIfDlg& d) { d.confirmButton()->click(); },
                      QStringLiteral("editor-conditional-jump.png"), save);

    shoot<CProgIfDlg>(press(view, kPageIo, "条件CALL"), [](CProgIfDlg& d) {
        d.picker()->pages()->setCurrentIndex(3);  // "リモートI/O"
        d.networkAxisList()->setCurrentIndex(10);  // axis 11
        pick(d.picker(), 0);
        d.andButton()->click();
        d.confirmButton()->click();
    }, QStringLiteral("editor-conditional-call.png"), save);

    shoot<CProgOutDlg>(press(view, kPageIo, "外部出力"), [](CProgOutDlg& d) {
        pick(d.picker(), 0);
        d.andButton()->click();
        d.picker()->pages()->setCurrentIndex(1);  // "ドライバ出力"
        pick(d.picker(), 0);
        d.offButton()->click();
        d.andButton()->click();
    }, QStringLiteral("editor-external-output.png"), save);

    shoot<CProgOutDlg>(press(view, kPageIo, "内部出力"), [](CProgOutDlg& d) {
        pick(d.picker(), 4);
        d.andButton()->click();
    }, QStringLiteral("editor-internal-output.png"), save);

    shoot<CProgRioOutDlg>(press(view, kPageNetworkAxes, "リモートI/O書込"), [](CProgRioOutDlg& d) {
        d.axisList()->setCurrentIndex(11);  // "012"
        d.fixAxisButton()->click();
        pick(d.picker(), 0);
        d.andButton()->click();
        pick(d.picker(), 1);
        d.offButton()->click();
        d.andButton()->click();
    }, QStringLiteral("editor-remote-io-write.png"), save);

    shoot<CProgTimerCounterDlg>(press(view, kPageIo, "時間待ち"), [](CProgTimerCounterDlg& d) { pick(d.picker(), 4); },
                                QStringLiteral("editor-time-wait.png"), save);
    shoot<CProgTimerCounterDlg>(press(view, kPageCalculation, "CounterSet"), [](CProgTimerCounterDlg& d) {
        pick(d.picker(), 1);
        type(d.valueField(), QStringLiteral("1000"));
    }, QStringLiteral("editor-counter-set.png"), save);
    shoot<CProgTimerCounterDlg>(press(view, kPageCalculation, "Memory＋"), [](CProgTimerCounterDlg& d) {
        d.picker()->pages()->setCurrentIndex(1);  // "M21～M40"
        pick(d.picker(), 3);
    }, QStringLiteral("editor-memory.png"), save);

    shoot<CProgCallDlg>(press(view, kPageIo, "CALL"), [](CProgCallDlg& d) { d.programList()->setCurrentCell(1, 0); },
                        QStringLiteral("editor-call.png"), save);

    shoot<CProgIfThenDlg>(press(view, kPageIo, "条件分岐(IF/ENDIF)"), [](CProgIfThenDlg& d) {
        type(d.leftField(), QStringLiteral("COUNT"));
        d.operatorList()->setCurrentIndex(1);
        type(d.rightField(), QStringLiteral("10"));
    }, QStringLiteral("editor-if-then.png"), save);

    shoot<CProgCalcDlg>(press(view, kPageCalculation, "演算"), [](CProgCalcDlg& d) {
        d.nameField()->setText(QStringLiteral("COUNT"));
        d.variableButton()->click();
        d.operatorButton(ExpressionOperator::Equals)->click();
        d.nameField()->setText(QStringLiteral("COUNT"));
        d.variableButton()->click();
        d.operatorButton(ExpressionOperator::Plus)->click();
        d.numberField()->setText(QStringLiteral("1"));
        d.numberButton()->click();
    }, QStringLiteral("editor-calculation.png"), save);

    shoot<CProgRegIntDlg>(press(view, kPageCalculation, "変数宣言"), [](CProgRegIntDlg& d) {
        d.listButton()->click();
        d.variableList()->setCurrentCell(4, 0);
    }, QStringLiteral("editor-variable.png"), save);

    shoot<CProgAlarmDlg>(press(view, kPageOther, "ALARM"), [](CProgAlarmDlg& d) { d.alarmList()->setCurrentIndex(4); },
                         QStringLiteral("editor-alarm.png"), save);
    shoot<CProgPauseDlg>(press(view, kPageOther, "PAUSE"), [](CProgPauseDlg&) {}, QStringLiteral("editor-pause.png"),
                         save);
}

}  // namespace vantrel::bench
