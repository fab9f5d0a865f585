// The widgets of the test-operation window, group by group.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "online/CJogDlg.h"
#include "online/CLamp.h"
#include "online/MonitorFields.h"
#include "ui/CWindowPlacer.h"

namespace vantrel {
namespace {

constexpr int kFieldWidth = 84;
constexpr int kUnitWidth = 40;

QLabel* makeValue(QWidget* parent) { return newValueField(parent, kFieldWidth + 16); }

QLabel* makeUnit(const QString& text, QWidget* parent) {
    auto* unit = new QLabel(text, parent);
    unit->setMinimumWidth(kUnitWidth);
    return unit;
}

}  // namespace

void CJogDlg::build() {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("軸"), this));
    axisList_ = new QComboBox(this);
    axisList_->setMinimumWidth(100);
    top->addWidget(axisList_);
    top->addSpacing(16);
    top->addWidget(new QLabel(tr("接続機種"), this));
    model_ = makeValue(this);
    model_->setAlignment(Qt::AlignCenter);
    model_->setText(QString());
    model_->setMinimumWidth(70);
    top->addWidget(model_, 0, Qt::AlignVCenter);
    top->addSpacing(16);
    auto* head = new QGridLayout;
    head->addLayout(top, 0, 0);
    QLabel* reason = makeModeReason();

    // Shown while no axis has a connected model: the list is empty, and why.
    axisReason_ = new QLabel(tr("接続機種が設定された軸がありません。"
                                            "「パルス列軸設定」または「RIVO軸設定」で接続機種を選んでください。"),
                             this);
    axisReason_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    axisReason_->setWordWrap(true);
    axisReason_->hide();

    auto* leftPanel = new QWidget(this);
    auto* left = new QVBoxLayout(leftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(makeDisplayGroup());
    left->addWidget(makeJogGroup());
    left->addWidget(makeInchingGroup());
    left->addWidget(makeOutputGroup());
    left->addStretch(1);
    auto* rightPanel = new QWidget(this);
    auto* right = new QVBoxLayout(rightPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(makeHomeGroup());
    right->addWidget(makeTestRunGroup());
    right->addWidget(makeTeachingGroup());
    right->addStretch(1);
    // Side by side, or one above the other with the reason under the axis
    // where side by side would not fit.
    const PanelRows columns = newPanelRows({leftPanel, rightPanel});
    placer().setShapes(2, [head, reason, arrange = columns.arrange](int shape) {
        arrange(shape);
        head->removeWidget(reason);
        head->addWidget(reason, shape == 0 ? 0 : 1, shape == 0 ? 1 : 0);
    });
    head->addWidget(reason, 0, 1);
    head->setColumnStretch(1, 1);

    QPushButton* stop = buttons_[static_cast<std::size_t>(JogButton::Stop)] = new QPushButton(tr("■停止"), this);
    stop->setAutoDefault(false);
    stop->setFocusPolicy(Qt::NoFocus);
    stop->setMinimumSize(160, 40);
    QFont bold = stop->font();
    bold.setBold(true);
    stop->setFont(bold);
    connect(stop, &QPushButton::clicked, this, [this] { pressButton(JogButton::Stop); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(stop);
    bottom->addStretch(1);
    bottom->addWidget(makeCloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(axisReason_);
    layout->addLayout(columns.grid);
    layout->addLayout(bottom);
}

QWidget* CJogDlg::makeDisplayGroup() {
    auto* group = new QGroupBox(tr("現在値"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("指令位置"), group), 0, 0);
    position_ = makeValue(group);
    grid->addWidget(position_, 0, 1);
    positionUnit_ = makeUnit(QString(), group);
    grid->addWidget(positionUnit_, 0, 2);
    grid->addWidget(new QLabel(tr("指令速度"), group), 1, 0);
    speed_ = makeValue(group);
    grid->addWidget(speed_, 1, 1);
    speedUnit_ = makeUnit(QString(), group);
    grid->addWidget(speedUnit_, 1, 2);
    alarm_ = new CLamp(QStringLiteral("ALM"), CLamp::Kind::Indicator, group);
    ready_ = new CLamp(QStringLiteral("READY"), CLamp::Kind::Indicator, group);
    for (CLamp* lamp : {alarm_, ready_}) lamp->setMinimumWidth(64);
    grid->addWidget(alarm_, 0, 3);
    grid->addWidget(ready_, 1, 3);
    grid->setColumnStretch(4, 1);
    return group;
}

QLineEdit* CJogDlg::addField(Field which, const QString& label, const QString& start, QGridLayout* grid, int row) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(new QLabel(label, parent), row, 0);
    auto* edit = new QLineEdit(start, parent);
    edit->setFixedWidth(kFieldWidth);
    edit->setAlignment(Qt::AlignRight);
    grid->addWidget(edit, row, 1);
    units_[which] = makeUnit(QString(), parent);
    grid->addWidget(units_[which], row, 2);
    fields_[which] = edit;
    return edit;
}

QPushButton* CJogDlg::makeMotionButton(const QString& text, JogButton which) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    // Held with the mouse only: no key press can start or hold a motion.
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(72, 36);
    buttons_[static_cast<std::size_t>(which)] = button;
    return button;
}

QWidget* CJogDlg::makeJogGroup() {
    auto* group = new QGroupBox(QStringLiteral("JOG"), this);
    auto* grid = new QGridLayout(group);
    const JogFields start;
    addField(JogSpeed, tr("JOG運転速度"), QString::fromStdString(start.jogSpeed), grid, 0);
    addField(JogAccel, tr("JOG加減速時間"), QString::fromStdString(start.jogAccel), grid, 1);
    backward_ = makeMotionButton(QStringLiteral("<"), JogButton::Backward);
    forward_ = makeMotionButton(QStringLiteral(">"), JogButton::Forward);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backward_);
    buttons->addWidget(forward_);
    grid->addLayout(buttons, 0, 3, 2, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* CJogDlg::makeInchingGroup() {
    auto* group = new QGroupBox(tr("インチング"), this);
    auto* grid = new QGridLayout(group);
    const JogFields start;
    addField(InchDistance, tr("インチング移動量"), QString::fromStdString(start.inchDistance), grid, 0);
    addField(InchSpeed, tr("インチング運転速度"), QString::fromStdString(start.inchSpeed), grid, 1);
    addField(InchAccel, tr("インチング加減速時間"), QString::fromStdString(start.inchAccel), grid, 2);
    QPushButton* back = makeMotionButton(tr("<｜"), JogButton::InchBackward);
    QPushButton* ahead = makeMotionButton(tr("｜>"), JogButton::InchForward);
    connect(back, &QPushButton::clicked, this, [this] { pressButton(JogButton::InchBackward); });
    connect(ahead, &QPushButton::clicked, this, [this] { pressButton(JogButton::InchForward); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(ahead);
    grid->addLayout(buttons, 0, 3, 3, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* CJogDlg::makeHomeGroup() {
    auto* group = new QGroupBox(tr("原点復帰"), this);
    // The settings are shown for pulse axes only; "○" stays for every axis.
    homeSettings_ = new QWidget(group);
    auto* grid = new QGridLayout(homeSettings_);
    grid->setContentsMargins(0, 0, 0, 0);
    const JogFields start;
    addField(HomeSpeed, tr("原点復帰運転速度"), QString::fromStdString(start.homeSpeed), grid, 0);
    addField(HomeStartSpeed, tr("原点復帰起動速度"), QString::fromStdString(start.homeStartSpeed), grid, 1);
    addField(HomeAccel, tr("原点復帰加減速時間"), QString::fromStdString(start.homeAccel), grid, 2);
    addField(HomeOffset, tr("原点復帰オフセット"), QString::fromStdString(start.homeOffset), grid, 3);
    grid->addWidget(new QLabel(tr("原点復帰方法"), homeSettings_), 4, 0);
    homeMethod_ = new QComboBox(homeSettings_);
    homeMethod_->addItems({tr("3センサ"), tr("2センサ")});
    grid->addWidget(homeMethod_, 4, 1, 1, 2);
    grid->addWidget(new QLabel(tr("原点復帰開始方向"), homeSettings_), 5, 0);
    homeDirection_ = new QComboBox(homeSettings_);
    homeDirection_->addItems({tr("CW方向"), tr("CCW方向")});
    grid->addWidget(homeDirection_, 5, 1, 1, 2);

    QPushButton* home = makeMotionButton(QStringLiteral("○"), JogButton::Home);
    connect(home, &QPushButton::clicked, this, [this] { pressButton(JogButton::Home); });
    auto* row = new QHBoxLayout(group);
    row->addWidget(homeSettings_);
    row->addWidget(home, 0, Qt::AlignTop);
    row->addStretch(1);
    return group;
}

QWidget* CJogDlg::makeTestRunGroup() {
    auto* group = new QGroupBox(tr("ポイント運転"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("ポイント"), group), 0, 0);
    testPoints_ = new QComboBox(group);
    testPoints_->setMaxVisibleItems(16);
    grid->addWidget(testPoints_, 0, 1);
    testPosition_ = makeValue(group);
    grid->addWidget(testPosition_, 0, 2);
    testPositionUnit_ = makeUnit(QString(), group);
    grid->addWidget(testPositionUnit_, 0, 3);
    testModeLabel_ = new QLabel(tr("運転方式"), group);
    grid->addWidget(testModeLabel_, 1, 0);
    testMode_ = makeValue(group);
    testMode_->setAlignment(Qt::AlignCenter);
    grid->addWidget(testMode_, 1, 1);
    const JogFields start;
    addField(TestSpeed, tr("運転速度"), QString::fromStdString(start.testSpeed), grid, 2);
    addField(TestAccel, tr("加減速時間"), QString::fromStdString(start.testAccel), grid, 3);
    QPushButton* run = makeMotionButton(tr("▲開始"), JogButton::TestRun);
    connect(run, &QPushButton::clicked, this, [this] { pressButton(JogButton::TestRun); });
    grid->addWidget(run, 2, 3, 2, 1);
    grid->setColumnStretch(4, 1);
    return group;
}

QWidget* CJogDlg::makeTeachingGroup() {
    auto* group = new QGroupBox(tr("ティーチング"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(tr("ポイント番号"), group));
    teachPoints_ = new QComboBox(group);
    teachPoints_->setMaxVisibleItems(16);
    row->addWidget(teachPoints_);
    teach_ = new QPushButton(tr("取込"), group);
    teach_->setAutoDefault(false);
    teach_->setFocusPolicy(Qt::NoFocus);
    connect(teach_, &QPushButton::clicked, this, &CJogDlg::pressTeach);
    row->addWidget(teach_);
    row->addStretch(1);
    return group;
}

QWidget* CJogDlg::makeOutputGroup() {
    auto* group = new QGroupBox(tr("ドライバ出力"), this);
    auto* row = new QHBoxLayout(group);
    // The labels an axis chosen later replaces by those of its model.
    const QString labels[] = {QStringLiteral("C-ON"), QStringLiteral("AWO"), QStringLiteral("FREE")};
    for (std::size_t i = 0; i < switches_.size(); ++i) {
        auto* box = new QCheckBox(labels[i], group);
        box->setFocusPolicy(Qt::NoFocus);
        connect(box, &QCheckBox::clicked, this, [this, i] { clickSwitch(static_cast<int>(i)); });
        row->addWidget(box);
        switches_[i] = box;
    }
    row->addStretch(1);
    alarmReset_ = new QPushButton(tr("アラームリセット"), group);
    alarmReset_->setAutoDefault(false);
    alarmReset_->setFocusPolicy(Qt::NoFocus);
    connect(alarmReset_, &QPushButton::clicked, this, &CJogDlg::pressAlarmReset);
    row->addWidget(alarmReset_);
    return group;
}

}  // namespace vantrel
