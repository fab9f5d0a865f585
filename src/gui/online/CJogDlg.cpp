#include "online/CJogDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "app/AppState.h"
#include "online/CLamp.h"
#include "online/JogDisplay.h"
#include "online/MonitorFields.h"
#include "online/MonitorWindows.h"
#include "online/OutputRequests.h"
#include "online/Teaching.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {
namespace {

void fill(QComboBox* list, const std::vector<std::string>& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) texts.push_back(QString::fromStdString(item));
    list->addItems(texts);
}

}  // namespace

CJogDlg::CJogDlg(AppState& state, std::function<void(int)> relayDriver, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::TestRun).title), parent),
      relayDriver_(std::move(relayDriver)),
      session_(state.link, state.status) {
    build();
    // Only a real press of the mouse holds a JOG button; a button pushed down
    // again by a mouse move after a forced release does not.
    for (QPushButton* b : {forward_, backward_}) b->installEventFilter(this);
    connect(axisList_, &QComboBox::currentIndexChanged, this, &CJogDlg::chooseAxis);
    connect(testPoints_, &QComboBox::currentIndexChanged, this, [this] { refreshDisplay(); });
    followAxisList();
    if (!axis_) chooseAxis(axisList_->currentIndex());
    startRefresh(kTickMs);
}

CJogDlg::~CJogDlg() { session_.close(); }

bool CJogDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if ((press || release) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        bool& armed = watched == forward_ ? forwardArmed_ : backwardArmed_;
        if (watched == forward_ || watched == backward_) armed = press;
    }
    return COnlineWindow::eventFilter(watched, event);
}

// --- the tick -------------------------------------------------------------------------

void CJogDlg::refresh() {
    followAxisList();
    const bool acts = followMode(MonitorWindow::TestRun);
    enableControls(acts);
    if (!acts || !jogAllowed()) releaseJogButtons();
    if (const MaybeRefusal refusal = session_.tick(held(), state().image, axis_, currentFields())) showBox(*refusal);
    refreshDisplay();
}

bool CJogDlg::jogAllowed() {
    return isVisible() && isActiveWindow() && QApplication::activeModalWidget() == nullptr && state().link.isOpen();
}

void CJogDlg::enableControls(bool acts) {
    // "■停止" stays: stopping is never refused.
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] && i != static_cast<std::size_t>(JogButton::Stop)) buttons_[i]->setEnabled(acts);
    for (QCheckBox* box : switches_) box->setEnabled(acts && axis_.has_value());
    alarmReset_->setEnabled(acts);
}

JogHeld CJogDlg::held() const {
    if (forwardArmed_ && forward_->isDown()) return JogHeld::Forward;
    if (backwardArmed_ && backward_->isDown()) return JogHeld::Backward;
    return JogHeld::None;
}

void CJogDlg::releaseJogButtons() {
    forwardArmed_ = false;
    backwardArmed_ = false;
    forward_->setDown(false);
    backward_->setDown(false);
    session_.forceEnd();
}

void CJogDlg::showBox(const Refusal& message) {
    releaseJogButtons();
    ui::showMessage(this, message);
}

JogFields CJogDlg::currentFields() const {
    auto text = [this](Field f) { return fields_[f]->text().toStdString(); };
    JogFields f;
    f.jogSpeed = text(JogSpeed);
    f.jogAccel = text(JogAccel);
    f.inchDistance = text(InchDistance);
    f.inchSpeed = text(InchSpeed);
    f.inchAccel = text(InchAccel);
    f.homeSpeed = text(HomeSpeed);
    f.homeStartSpeed = text(HomeStartSpeed);
    f.homeAccel = text(HomeAccel);
    f.homeOffset = text(HomeOffset);
    f.homeMethod = static_cast<std::uint8_t>(homeMethod_->currentIndex() == 1 ? 1 : 0);
    f.homeDirection = static_cast<std::uint8_t>(homeDirection_->currentIndex() == 1 ? 0 : 1);  // "CW方向" first
    f.testRow = testPoints_->currentIndex();
    f.testSpeed = text(TestSpeed);
    f.testAccel = text(TestAccel);
    return f;
}

void CJogDlg::refreshDisplay() {
    if (!axis_) return;
    const JogDisplay d = jogDisplay(state().image, state().status, *axis_);
    showText(position_, d.commandPosition);
    showText(speed_, d.commandSpeed);
    showText(positionUnit_, d.positionUnit);
    showText(speedUnit_, d.speedUnit);
    alarm_->setLit(d.alarm);
    ready_->setLit(d.ready);
    for (std::size_t i = 0; i < switches_.size() && i < d.switches.size(); ++i)
        if (switches_[i]->isChecked() != d.switches[i]) switches_[i]->setChecked(d.switches[i]);
    if (testPoints_->currentIndex() >= 0) {
        const JogPointText point = jogPointText(state().image, *axis_, testPoints_->currentIndex());
        showText(testPosition_, point.position);
        showText(testMode_, point.mode);
    }
}

// --- the axis ---------------------------------------------------------------------------

void CJogDlg::followAxisList() {
    QStringList texts;
    for (const JogAxisEntry& entry : jogAxisList(state().image)) texts.push_back(QString::fromStdString(entry.text));
    QStringList shown;
    for (int i = 0; i < axisList_->count(); ++i) shown.push_back(axisList_->itemData(i).toString());
    axisReason_->setVisible(texts.isEmpty());
    if (texts == shown) return;
    const QString chosen = axisList_->currentData().toString();
    const QSignalBlocker quiet(axisList_);
    axisList_->clear();
    // Shown in the window's language; the core finds the axis by its own text.
    for (const QString& text : texts) axisList_->addItem(ui::coreText(text.toStdString()), text);
    axisList_->setCurrentIndex(texts.indexOf(chosen));
    // An axis that lost its model is no longer chosen.
    if (axisList_->currentIndex() < 0 || !axis_) {
        axisList_->setCurrentIndex(texts.isEmpty() ? -1 : 0);
        chooseAxis(axisList_->currentIndex());
    }
}

void CJogDlg::chooseAxis(int row) {
    releaseJogButtons();
    axis_ = row < 0 ? std::nullopt : jogAxisOfText(axisList_->itemData(row).toString().toStdString());
    applyAxis();
}

void CJogDlg::applyAxis() {
    enableControls(followMode(MonitorWindow::TestRun));
    if (!axis_) {
        model_->clear();
        return;
    }
    const JogAxisIndex axis = *axis_;
    const SettingsImage& image = state().image;
    showText(model_, jogModelText(image, axis));
    const JogUnits units = jogUnits(image, axis);
    for (Field f : {JogSpeed, InchSpeed, HomeSpeed, TestSpeed}) units_[f]->setText(QString::fromStdString(units.speed));
    for (Field f : {JogAccel, InchAccel, HomeAccel, TestAccel}) units_[f]->setText(QStringLiteral("s"));
    units_[InchDistance]->setText(QString::fromStdString(units.position));
    units_[HomeStartSpeed]->setText(QStringLiteral("Hz"));
    units_[HomeOffset]->setText(QStringLiteral("step"));
    testPositionUnit_->setText(QString::fromStdString(units.position));

    homeSettings_->setVisible(jogShowsHomeSettings(axis));
    const bool network = isNetworkJogAxis(axis);
    testModeLabel_->setVisible(network);
    testMode_->setVisible(network);
    const std::vector<std::string> points = jogPointList(axis);
    fill(testPoints_, points);
    fill(teachPoints_, points);

    const std::vector<DriverSwitch> offered = driverSwitches(image, axis);
    for (std::size_t i = 0; i < switches_.size(); ++i) {
        switches_[i]->setVisible(i < offered.size());
        if (i < offered.size()) switches_[i]->setText(ui::coreText(offered[i].label));
    }

    if (network) {
        // The driver's group is polled from now on, and an open network monitor follows it.
        state().status.selectedNetworkGroup.store(static_cast<std::uint16_t>(jogNetworkGroup(axis)),
                                                   std::memory_order_relaxed);
        if (relayDriver_) relayDriver_(jogAxisNumber(axis));
    }
    refreshDisplay();
}

JogWindowState CJogDlg::windowState() const {
    if (!axis_) return JogWindowState::Closed;
    return isNetworkJogAxis(*axis_) ? JogWindowState::NetworkDriver : JogWindowState::PulseAxis;
}

// --- buttons ---------------------------------------------------------------------------

void CJogDlg::pressButton(JogButton button) {
    if (button == JogButton::Forward || button == JogButton::Backward) return;  // held, not pressed
    releaseJogButtons();
    if (const MaybeRefusal refusal = session_.press(button, state().image, axis_, currentFields())) showBox(*refusal);
}

void CJogDlg::pressTeach() {
    const int row = teachPoints_->currentIndex();
    const TeachResult result =
        teachPoint(state().image, state().queues, state().status, state().link.isOpen(), axis_, row);
    if (result.message) showBox(*result.message);
}

void CJogDlg::pressAlarmReset() {
    if (!axis_) return;
    const int number = jogAxisNumber(*axis_);
    if (isNetworkJogAxis(*axis_))
        requestNetworkAlarmReset(state().link, state().status, number);
    else
        toggleOutput(state().link, state().status,
                     BitRef{StatusWord::DriverOutputs, static_cast<std::uint8_t>(number), kDriverAlarmResetBit});
}

void CJogDlg::clickSwitch(int index) {
    if (axis_) {
        const std::vector<DriverSwitch> offered = driverSwitches(state().image, *axis_);
        if (index >= 0 && static_cast<std::size_t>(index) < offered.size() && offered[static_cast<std::size_t>(index)].bit)
            toggleOutput(state().link, state().status, *offered[static_cast<std::size_t>(index)].bit);
    }
    refreshDisplay();  // the box shows the output as it now is
}

QPushButton* CJogDlg::button(JogButton which) const { return buttons_[static_cast<std::size_t>(which)]; }

// --- what ends a JOG besides a release ----------------------------------------------------

void CJogDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) releaseJogButtons();
    COnlineWindow::changeEvent(event);
}

void CJogDlg::hideEvent(QHideEvent* event) {
    releaseJogButtons();
    COnlineWindow::hideEvent(event);
}

void CJogDlg::closeEvent(QCloseEvent* event) {
    releaseJogButtons();
    session_.close();
    COnlineWindow::closeEvent(event);
}

void CJogDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        pressButton(JogButton::Stop);
        event->accept();
        return;
    }
    COnlineWindow::keyPressEvent(event);
}

// --- texts for the tests and the pictures ------------------------------------------------

QString CJogDlg::modelText() const { return model_->text(); }
QString CJogDlg::commandPositionText() const { return position_->text(); }
QString CJogDlg::commandSpeedText() const { return speed_->text(); }
QString CJogDlg::positionUnitText() const { return positionUnit_->text(); }
QString CJogDlg::speedUnitText() const { return speedUnit_->text(); }
QString CJogDlg::testPointText() const { return testPosition_->text(); }
QString CJogDlg::testModeText() const { return testMode_->text(); }
bool CJogDlg::alarmLit() const { return alarm_->lit(); }
bool CJogDlg::readyLit() const { return ready_->lit(); }

}  // namespace vantrel
