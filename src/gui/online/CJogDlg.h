#pragma once

#include <array>
#include <functional>
#include <optional>

#include "online/COnlineWindow.h"
#include "online/JogAxis.h"
#include "online/JogChecks.h"
#include "online/JogSession.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class CLamp;

// The test-operation window ("テスト運転"): moves one axis of the connected
// controller by hand and takes positions into points. JOG runs while ">" or
// "<" is held, renewed every 50 ms tick; inching, home return, test run and
// stop send one request each; the driver output switches and the alarm reset
// set the bits the next status poll sends; teaching queues the command
// position for the chosen point. Each tick also refreshes the axis' command
// position and speed, ALM and READY.
//
// A JOG runs only while its button is really held: the window losing
// activation, being hidden or closed, a modal box appearing anywhere, the
// link dropping, a failed check or the controller leaving edit-test mode all
// take the button from the user and send the stop, and the button must be
// pressed again. Closing the window also stops an inching, home return or
// test run it started that still moves. Escape sends stop. Outside edit-test
// mode the motion buttons, driver switches and alarm reset are disabled and
// the window says why; with no axis the driver switches are. The axis list
// follows the settings: an axis whose model is chosen while the window is open
// joins it, and an empty list says where a model is chosen.
class CJogDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kTickMs = 50;

    // The text fields, in the order of the window.
    enum Field {
        JogSpeed,
        JogAccel,
        InchDistance,
        InchSpeed,
        InchAccel,
        HomeSpeed,
        HomeStartSpeed,
        HomeAccel,
        HomeOffset,
        TestSpeed,
        TestAccel,
        kFieldCount
    };

    // `relayDriver` receives network driver 0..15 when one is chosen (the
    // monitor menu passes it on to the network monitor).
    CJogDlg(AppState& state, std::function<void(int driver)> relayDriver, QWidget* parent = nullptr);
    ~CJogDlg() override;

    // The 50 ms tick: the JOG button held or released, then the display.
    void refresh() override;

    // As the user does it.
    void chooseAxis(int row);
    void pressButton(JogButton button);  // the one-shot buttons; JOG buttons are held
    void pressTeach();
    void pressAlarmReset();
    void clickSwitch(int index);

    // Window state the application keeps: pulse axis, network driver or none chosen.
    JogWindowState windowState() const;
    std::optional<JogAxisIndex> axis() const { return axis_; }
    const JogSession& session() const { return session_; }

    QPushButton* button(JogButton button) const;
    QPushButton* teachButton() const { return teach_; }
    QComboBox* axisList() const { return axisList_; }
    // The line that says why the axis list is empty (hidden while it is not).
    QLabel* axisReason() const { return axisReason_; }
    QComboBox* testPoints() const { return testPoints_; }
    QComboBox* teachPoints() const { return teachPoints_; }
    QLineEdit* field(Field which) const { return fields_[which]; }
    QLabel* unitLabel(Field which) const { return units_[which]; }
    QCheckBox* driverSwitch(int index) const { return switches_[static_cast<std::size_t>(index)]; }
    QWidget* homeSettings() const { return homeSettings_; }
    QString modelText() const;
    QString commandPositionText() const;
    QString commandSpeedText() const;
    QString positionUnitText() const;
    QString speedUnitText() const;
    QString testPointText() const;
    QString testModeText() const;
    bool alarmLit() const;
    bool readyLit() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QWidget* makeDisplayGroup();
    QWidget* makeJogGroup();
    QWidget* makeInchingGroup();
    QWidget* makeHomeGroup();
    QWidget* makeTestRunGroup();
    QWidget* makeTeachingGroup();
    QWidget* makeOutputGroup();
    QLineEdit* addField(Field which, const QString& label, const QString& start, class QGridLayout* grid, int row);
    QPushButton* makeMotionButton(const QString& text, JogButton button);

    // Whether a held JOG button may drive: shown, active, no modal box, link open.
    bool jogAllowed();
    JogHeld held() const;
    // A release that did not come from the mouse: the buttons must be pressed
    // anew, and a JOG held ends with the stop.
    void releaseJogButtons();
    void enableControls(bool acts);
    // Shows a message box; a JOG held ends first.
    void showBox(const Refusal& message);
    JogFields currentFields() const;
    void refreshDisplay();
    // Fills the axis list anew when the connected models changed; the chosen
    // axis stays chosen while it is listed.
    void followAxisList();
    void applyAxis();

    std::function<void(int)> relayDriver_;
    JogSession session_;
    std::optional<JogAxisIndex> axis_;
    bool forwardArmed_ = false;
    bool backwardArmed_ = false;

    QComboBox* axisList_ = nullptr;
    QLabel* axisReason_ = nullptr;
    QLabel* model_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* speed_ = nullptr;
    QLabel* positionUnit_ = nullptr;
    QLabel* speedUnit_ = nullptr;
    CLamp* alarm_ = nullptr;
    CLamp* ready_ = nullptr;
    std::array<QLineEdit*, kFieldCount> fields_{};
    std::array<QLabel*, kFieldCount> units_{};
    QPushButton* forward_ = nullptr;
    QPushButton* backward_ = nullptr;
    std::array<QPushButton*, 8> buttons_{};  // by JogButton value
    QWidget* homeSettings_ = nullptr;
    QComboBox* homeMethod_ = nullptr;
    QComboBox* homeDirection_ = nullptr;
    QComboBox* testPoints_ = nullptr;
    QLabel* testPosition_ = nullptr;
    QLabel* testPositionUnit_ = nullptr;
    QLabel* testModeLabel_ = nullptr;
    QLabel* testMode_ = nullptr;
    QComboBox* teachPoints_ = nullptr;
    QPushButton* teach_ = nullptr;
    std::array<QCheckBox*, 3> switches_{};
    QPushButton* alarmReset_ = nullptr;
};

}  // namespace vantrel
