#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

#include "app/AppState.h"
#include "app/ViewFactory.h"
#include "data/DefaultImage.h"
#include "settings/CCounterView.h"
#include "settings/CDriverSettingView.h"
#include "settings/DriverSettingModel.h"
#include "settings/RivoPointModel.h"
#include "settings/CPointView.h"
#include "settings/CProhibitAreaView.h"
#include "settings/CRivoPointView.h"
#include "settings/CRivoSettingView.h"
#include "settings/CTimerView.h"
#include "settings/IoRogicView.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/StatusNote.h"
#include "ui/VisibleTexts.h"

using namespace vantrel;

namespace {

// Records every message box and answers questions with `answer`.
struct MessageRecorder {
    QStringList texts;
    ui::MessageAnswer answer = ui::MessageAnswer::Yes;
    MessageRecorder() {
        ui::setMessageHandler([this](QWidget*, const Refusal& message, ui::MessageButtons) {
            texts << QString::fromStdString(message.text);
            return answer;
        });
    }
    ~MessageRecorder() { ui::setMessageHandler({}); }
};

QueuedValue queued(std::uint32_t address, std::uint16_t size, std::int32_t value) { return {address, size, value}; }

QString shown(ui::CGridView& view, int row, int column) {
    return view.table()->model()->index(row - 1, column - 1).data(Qt::DisplayRole).toString();
}

// The ways of leaving an open drop-down without picking an entry.
enum class Leave { Tab, Return, Escape, FocusOut };

// A drop-down cell whose stored code the offered texts do not hold as such:
// the image it is set up in, the view it lives in and where it is.
struct UnchosenDropDown {
    const char* name;
    void (*setUp)(SettingsImage& image);
    ui::CGridView* (*open)(SettingsImage& image, RequestQueues& queues, QWidget* host);
    int row;
    int column;
};

ui::CGridView* openPulseAxes(SettingsImage& image, RequestQueues& queues, QWidget* host) {
    return new CDriverSettingView(image, &queues, host);
}
ui::CGridView* openNetworkSettings(SettingsImage& image, RequestQueues& queues, QWidget* host) {
    return (new CRivoSettingView(image, &queues, host))->grid();
}
ui::CGridView* openNetworkPoints(SettingsImage& image, RequestQueues& queues, QWidget* host) {
    return new CRivoPointView(image, &queues, host);
}
PulseAxisRecord connectedAxis1(SettingsImage& image) {
    PulseAxisRecord(image, 0).setModel(1);
    return PulseAxisRecord(image, 0);
}

const UnchosenDropDown kUnchosenDropDowns[] = {
    {"deg axis, position unit", [](SettingsImage& i) { connectedAxis1(i).setPositionUnit(1); }, openPulseAxes,
     DriverSettingModel::kPositionUnitRow, 1},
    {"network driver with unit byte 0, model",
     [](SettingsImage& i) { NetworkDriverRecord(i, 4).setModel(2), NetworkDriverRecord(i, 4).setUnit(0); },
     openNetworkSettings, 5, 1},
    {"home direction 2", [](SettingsImage& i) { connectedAxis1(i).setHomeDirection(2); }, openPulseAxes,
     DriverSettingModel::kHomeDirectionRow, 1},
    {"acceleration type 2", [](SettingsImage& i) { connectedAxis1(i).setAccelType(2); }, openPulseAxes,
     DriverSettingModel::kAccelTypeRow, 1},
    {"network point mode 2",
     [](SettingsImage& i) { NetworkDriverRecord(i, 0).setModel(2), NetworkDriverRecord(i, 0).point(0).setMode(2); },
     openNetworkPoints, 1, RivoPointModel::kModeColumn},
};

}  // namespace

class SettingsViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        image = makeDefaultSettingsImage();
        queues.clearAll();
    }

    void driverSettingEditsQueueAxisParameters() {
        PulseAxisRecord(image, 0).setModel(1);
        QWidget host;
        auto* view = new CDriverSettingView(image, &queues, &host);
        host.show();
        // Opening sends the resolution of the connected mm axis.
        QCOMPARE(queues.popAxisParameterWrite(), std::optional(queued(256 + 32, 2, 1000)));
        QVERIFY(view->commitText(8, 1, "3000"));
        QCOMPARE(PulseAxisRecord(image, 0).maxRotationSpeed(), 3000);
        QCOMPARE(queues.popAxisParameterWrite(), std::optional(queued(256 + 40, 2, 3000)));
        QCOMPARE(shown(*view, 8, 1), QString("3000"));
        // Resolution 333 is shown yellow.
        QVERIFY(view->commitText(5, 1, "0.03"));
        QCOMPARE(shown(*view, 6, 1), QString("333"));
        const auto brush = view->table()->model()->index(5, 0).data(Qt::BackgroundRole).value<QBrush>();
        QCOMPARE(brush.color(), QColor(255, 255, 0));
        // A not connected axis takes no edit.
        QVERIFY(!(view->table()->model()->flags(view->table()->model()->index(7, 2)) & Qt::ItemIsEditable));
    }

    // Beside the table: why an axis without model takes nothing, a value
    // stored as the end of its range, and the range of a refused text.
    void driverSettingSaysWhyBesideTheTable() {
        using M = DriverSettingModel;
        MessageRecorder recorder;
        QWidget host;
        auto* view = new CDriverSettingView(image, &queues, &host);
        host.show();
        const QString locked = QString::fromStdString(view->model().lockNote(M::kStartSpeedRow, 3));
        view->selectCell(M::kStartSpeedRow, 3);
        QVERIFY(!locked.isEmpty() && view->helpText().startsWith(QStringLiteral("※") + locked + QStringLiteral("\n\n【内容】")));
        QCOMPARE(ui::lastStatusNote(), locked);
        QVERIFY(view->commitText(M::kModelRow, 3, QStringLiteral("QM")));  // unlocked: the notes go
        QVERIFY(!view->helpText().contains(locked) && ui::lastStatusNote().isEmpty());
        QVERIFY(view->commitText(M::kStartSpeedRow, 3, QStringLiteral("200000")));
        QVERIFY(ui::lastStatusNote().startsWith(QStringLiteral("200000 は範囲外のため 100000 ")));
        QVERIFY(!view->commitText(M::kStartSpeedRow, 3, QStringLiteral("2e5")));
        QTRY_COMPARE(recorder.texts, QStringList{QStringLiteral("入力は半角数字のみです。")});
        QCOMPARE(ui::lastStatusNote(), QStringLiteral("設定範囲：0～100000 [Hz]"));
    }

    void driverSettingRefusalShowsTheMessage() {
        PulseAxisRecord(image, 0).setModel(1);
        MessageRecorder messages;
        CDriverSettingView view(image, &queues);
        queues.clearAll();  // the resolution sent on opening
        QVERIFY(!view.commitText(8, 1, "４０００"));
        QCoreApplication::processEvents();  // the message is shown through a queued call
        QCOMPARE(messages.texts.size(), 1);
        QCOMPARE(messages.texts[0], QString("入力は半角数字のみです。"));
        QCOMPARE(shown(view, 8, 1), QString("4000"));
        QCOMPARE(queues.axisParameterWriteCount(), 0u);
    }

    void rivoSettingLineFieldsAndNotice() {
        MessageRecorder messages;
        QWidget host;
        auto& view = *new CRivoSettingView(image, &queues, &host);
        host.show();
        QComboBox* speed = view.lineField(RivoSettingModel::LineField::Speed);
        QCOMPARE(speed->currentText(), QString("115200bps"));
        speed->setCurrentIndex(1);
        emit speed->activated(1);
        QComboBox* parity = view.lineField(RivoSettingModel::LineField::Parity);
        parity->setCurrentIndex(0);
        emit parity->activated(0);
        QCOMPARE(NetworkCommParams(image).speed(), 1);
        QCOMPARE(NetworkCommParams(image).parity(), 0);
        QCOMPARE(queues.popValueWrite(), std::optional(queued(0x50000, 1, 1)));
        QCOMPARE(queues.popValueWrite(), std::optional(queued(0x50001, 1, 0)));
        QCOMPARE(messages.texts, QStringList{"通信設定はFLASH書き込み後、コントローラを再起動すると反映されます。"});
        // The driver table.
        QVERIFY(view.grid()->commitText(5, 1, "接続無し"));
        QCOMPARE(NetworkDriverRecord(image, 4).unit(), 2);
        QCOMPARE(queues.popValueWrite(), std::optional(queued(321280 + 6416 * 5, 1, 0)));
        QCOMPARE(queues.popValueWrite(), std::optional(queued(321281 + 6416 * 5, 1, 2)));
    }

    // In English a drop-down shows the catalogue's words and commits the
    // system's own choice, in a table and in the line fields alike.
    void aChoiceInEnglishCommitsTheSystemsOwnText() {
        MessageRecorder messages;
        ui::setGuiLanguage(*qApp, Language::English);
        QWidget host;
        auto* logic = new IoRogicView(image, &queues, &host);
        host.show();
        QTableView* table = logic->table();
        const QModelIndex cell = table->model()->index(1, 1);
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* box = table->findChild<QComboBox*>();
        QVERIFY(box != nullptr);
        QVERIFY(!ui::holdsJapanese(box->itemText(0)));
        box->setCurrentIndex(0);
        emit box->activated(0);
        QCOMPARE(image.u8(172566), 0x02);  // "A接点"
        auto& view = *new CRivoSettingView(image, &queues, &host);
        QComboBox* parity = view.lineField(RivoSettingModel::LineField::Parity);
        QCOMPARE(parity->itemText(2), QString("Even"));
        parity->setCurrentIndex(2);
        emit parity->activated(2);
        QCOMPARE(NetworkCommParams(image).parity(), 2);
        ui::setGuiLanguage(*qApp, Language::Japanese);
    }

    void pointTableEditsPositions() {
        QWidget host;
        auto& view = *new CPointView(image, &queues, &host);
        host.show();
        QCOMPARE(view.table()->model()->rowCount(), 4000);
        QVERIFY(view.commitText(1, 2, "-0.5"));
        QCOMPARE(image.readPosition(0, 1000), -50);
        QCOMPARE(shown(view, 1, 2), QString("-0.50 mm"));
        const auto record = *SettingsImage::positionRecordOffset(0, 1000);
        QCOMPARE(queues.popValueWrite(), std::optional(queued(0x20000 + static_cast<std::uint32_t>(record) + 3, 3, -50)));
        QCOMPARE(view.table()->model()->index(0, 1).data(Qt::EditRole).toString(), QString("-0.50"));
    }

    void inPlaceEditorsStartWithTheNumberAndOfferTheChoices() {
        PulseAxisRecord(image, 0).setModel(1);
        image.writePosition(0, 1000, -50);
        QWidget host;
        auto* points = new CPointView(image, &queues, &host);
        host.show();
        QTableView* table = points->table();
        const QModelIndex position = table->model()->index(0, 1);
        table->setCurrentIndex(position);
        table->edit(position);
        auto* line = table->findChild<QLineEdit*>();
        QVERIFY(line != nullptr);
        QCOMPARE(line->text(), QString("-0.50"));  // no unit in the editor
        line->setText("12.345");
        QTest::keyClick(line, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits through a queued call
        QCOMPARE(image.readPosition(0, 1000), 1235);
        QCOMPARE(shown(*points, 1, 2), QString("12.35 mm"));

        auto* axes = new CDriverSettingView(image, &queues, &host);
        axes->show();
        QTableView* grid = axes->table();
        const QModelIndex travel = grid->model()->index(DriverSettingModel::kTravelRow - 1, 0);
        grid->setCurrentIndex(travel);
        grid->edit(travel);
        QPointer<QLineEdit> travelEdit = grid->findChild<QLineEdit*>();
        QVERIFY(travelEdit != nullptr);
        QCOMPARE(travelEdit->text(), QString("10.00"));  // shown as "10.00 mm"
        travelEdit->setText("12.00");                     // one digit changed
        QTest::keyClick(travelEdit, Qt::Key_Return);
        QTRY_VERIFY(travelEdit.isNull());
        QCOMPARE(PulseAxisRecord(image, 0).travelPerRev(), 1200);
        QCOMPARE(shown(*axes, DriverSettingModel::kTravelRow, 1), QString("12.00 mm"));
        const QModelIndex unit = grid->model()->index(1, 0);
        grid->setCurrentIndex(unit);
        grid->edit(unit);
        auto* box = grid->findChild<QComboBox*>();
        QVERIFY(box != nullptr);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentText(), QString("mm"));
        box->setCurrentIndex(1);
        emit box->activated(1);
        QCOMPARE(PulseAxisRecord(image, 0).positionUnit(), 2);
        QCOMPARE(shown(*axes, 4, 1), QString("---"));
        QCOMPARE(shown(*axes, 3, 1), QString("Hz"));
    }

    void leavingADropDownWithoutAChoiceCommitsNothing_data() {
        QTest::addColumn<int>("dropDown");
        QTest::addColumn<int>("leave");
        const std::pair<Leave, const char*> leaves[] = {
            {Leave::Tab, "Tab"}, {Leave::Return, "Return"}, {Leave::Escape, "Escape"}, {Leave::FocusOut, "focus out"}};
        for (int i = 0; i < static_cast<int>(std::size(kUnchosenDropDowns)); ++i)
            for (const auto& [leave, how] : leaves)
                QTest::addRow("%s, %s", kUnchosenDropDowns[i].name, how) << i << static_cast<int>(leave);
    }

    void leavingADropDownWithoutAChoiceCommitsNothing() {
        QFETCH(int, dropDown);
        QFETCH(int, leave);
        const UnchosenDropDown& cell = kUnchosenDropDowns[dropDown];
        cell.setUp(image);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        ui::CGridView* view = cell.open(image, queues, &host);
        layout->addWidget(view->parentWidget() == &host ? static_cast<QWidget*>(view) : view->parentWidget());
        auto* elsewhere = new QLineEdit(&host);
        layout->addWidget(elsewhere);
        host.resize(900, 600);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        queues.clearAll();  // what opening the view sends
        const SettingsImage before = image;
        const QString text = shown(*view, cell.row, cell.column);

        QTableView* table = view->table();
        const QModelIndex index = table->model()->index(cell.row - 1, cell.column - 1);
        table->setFocus();
        table->setCurrentIndex(index);
        table->edit(index);
        QPointer<QComboBox> box = table->findChild<QComboBox*>();
        QVERIFY(box != nullptr);
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(box->currentText(), text);  // the editor starts on what the cell shows
        switch (static_cast<Leave>(leave)) {
        case Leave::Tab: QTest::keyClick(box, Qt::Key_Tab); break;
        case Leave::Return: QTest::keyClick(box, Qt::Key_Return); break;
        case Leave::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
        case Leave::FocusOut: elsewhere->setFocus(); break;
        }
        QTRY_VERIFY(box.isNull());  // the editor is gone (Tab may open the next one)
        QCoreApplication::processEvents();
        QVERIFY(image == before);
        QCOMPARE(queues.valueWriteCount(), 0u);
        QCOMPARE(queues.axisParameterWriteCount(), 0u);
        QCOMPARE(shown(*view, cell.row, cell.column), text);
    }

    void rivoPointTableGreysUnconnectedDrivers() {
        NetworkDriverRecord(image, 0).setModel(2);
        QWidget host;
        auto& view = *new CRivoPointView(image, &queues, &host);
        host.show();
        QCOMPARE(view.table()->model()->rowCount(), 1024);
        QVERIFY(view.commitText(1, 5, "0.0004"));
        QCOMPARE(NetworkDriverRecord(image, 0).point(0).accelTime(), 1);
        QCOMPARE(queues.popValueWrite(), std::optional(queued(0x50000 + 32 + 12, 4, 1)));
        QVERIFY(!view.commitText(2, 3, "5"));  // driver 2 not connected
        QCOMPARE(queues.valueWriteCount(), 0u);
    }

    void timerCounterAndSensorLogic() {
        CTimerView timers(image, &queues);
        QVERIFY(timers.commitText(1, 1, "0.29"));
        QCOMPARE(queues.popValueWrite(), std::optional(queued(52, 2, 29)));
        CCounterView counters(image, &queues);
        QVERIFY(counters.commitText(1, 1, "2500000"));
        QCOMPARE(queues.popValueWrite(), std::optional(queued(264, 4, 1000000)));
        IoRogicView logic(image, &queues);
        QVERIFY(logic.commitText(2, 2, "A接点"));
        QCOMPARE(image.u8(172566), 0x02);
        QCOMPARE(queues.popValueWrite(), std::optional(queued(0x70006, 1, 0x02)));
        const auto brush = logic.table()->model()->index(1, 1).data(Qt::BackgroundRole).value<QBrush>();
        QCOMPARE(brush.color(), QColor(0, 255, 255));
    }

    void areaViewPagesAndClear() {
        MessageRecorder messages;
        QWidget host;
        auto& view = *new CProhibitAreaView(image, &queues, &host);
        host.show();
        QCOMPARE(view.currentPage(), CProhibitAreaView::Page::MovableRange);
        view.pageButton(CProhibitAreaView::Page::ProhibitedAreas)->click();
        QCOMPARE(view.currentPage(), CProhibitAreaView::Page::ProhibitedAreas);
        ui::CGridView* prohibited = view.grid(CProhibitAreaView::Page::ProhibitedAreas);
        QVERIFY(prohibited->commitText(1, 3, "12.5"));
        QCOMPARE(image.readPosition(0, 227), 1250);
        queues.clearAll();
        messages.answer = ui::MessageAnswer::No;
        view.clearButton(3)->click();
        QCOMPARE(image.readPosition(0, 227), 1250);
        messages.answer = ui::MessageAnswer::Yes;
        view.clearButton(3)->click();
        QCOMPARE(messages.texts, (QStringList{"禁止領域3をクリアしますか？", "禁止領域3をクリアしますか？"}));
        QCOMPARE(image.readPosition(0, 227), 0);
        QCOMPARE(queues.valueWriteCount(), 8u);
        QCOMPARE(shown(*prohibited, 1, 3), QString("0.00 mm"));
        // The movable range page: the partner bound holds.
        image.writePosition(0, 221, 20000);
        QVERIFY(view.grid(CProhibitAreaView::Page::MovableRange)->commitText(2, 1, "500"));
        QCOMPARE(image.readPosition(0, 231), 20000);
    }

    void everyViewIsRegistered() {
        AppState state;
        state.image = makeDefaultSettingsImage();
        ViewFactory factory;
        registerSettingsViews(factory);
        for (ViewKind kind : {ViewKind::PulseAxisSettings, ViewKind::NetworkAxisSettings, ViewKind::PulsePointTable,
                              ViewKind::NetworkPointTable, ViewKind::Timers, ViewKind::MovableRangeAndAreas,
                              ViewKind::SensorInputLogic, ViewKind::Counters}) {
            std::unique_ptr<QWidget> view(factory.create(kind, state, nullptr));
            QVERIFY(view != nullptr);
        }
        // The views queue on the run's request queues.
        std::unique_ptr<QWidget> timers(factory.create(ViewKind::Timers, state, nullptr));
        QVERIFY(static_cast<ui::CGridView*>(timers.get())->commitText(3, 1, "2"));
        QCOMPARE(state.queues.popValueWrite(), std::optional(queued(56, 2, 200)));
    }

private:
    SettingsImage image;
    RequestQueues queues;
};

QTEST_MAIN(SettingsViewsTest)
#include "SettingsViewsTest.moc"
