#include "app/TestDriver.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/TransactionMessages.h"
#include "online/CJogDlg.h"
#include "online/CMonitorMenuDlg.h"
#include "online/CStatusMonitorDlg.h"
#include "program/CProgramView.h"
#include "program/ProgramFiles.h"
#include "program/ProgramList.h"
#include "ui/CGridView.h"
#include "ui/MessageBox.h"

namespace vantrel {

namespace {
std::string oneLine(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

ui::CGridView* gridOf(QWidget* view) {
    if (!view) return nullptr;
    if (auto* grid = qobject_cast<ui::CGridView*>(view)) return grid;
    return view->findChild<ui::CGridView*>();
}
}  // namespace

TestDriver::TestDriver(CMainFrame& frame) : frame_(frame) {
    ui::setMessageHandler([this](QWidget*, const Refusal& message, ui::MessageButtons buttons) {
        say("message\t" + oneLine(message.title) + "\t" + oneLine(message.text));
        shown_.push_back(message);
        if (buttons == ui::MessageButtons::Ok) return ui::MessageAnswer::Ok;
        return nextAnswer() ? ui::MessageAnswer::Yes : ui::MessageAnswer::No;
    });
}

TestDriver::~TestDriver() { ui::setMessageHandler({}); }

void TestDriver::start() {
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        if (!readInput()) notifier_->setEnabled(false);
        runCommands();
    });
    // Commands read while a start-up question waited for its answer run once
    // the event loop runs (a window closed before it would not end the program).
    QTimer::singleShot(0, this, [this] { runCommands(); });
}

bool TestDriver::readInput() {
    if (inputEnded_) return false;
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
        inputEnded_ = true;
        return false;
    }
    partial_.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
        std::string line = partial_.substr(0, end);
        partial_.erase(0, end + 1);
        if (line.rfind("answer ", 0) == 0)
            answers_.push_back(line == "answer yes");
        else if (!line.empty())
            commands_.push_back(std::move(line));
    }
    return true;
}

bool TestDriver::nextAnswer() {
    while (answers_.empty() && readInput()) {
    }
    if (answers_.empty()) return false;  // no more input: no
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void TestDriver::runCommands() {
    if (running_) return;  // a command's own event loop brought more input
    running_ = true;
    while (!commands_.empty()) {
        const std::string line = commands_.front();
        commands_.pop_front();
        run(line);
    }
    running_ = false;
}

void TestDriver::run(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    AppState& state = frame_.state();
    std::string result = "done " + command;
    shown_.clear();
    if (const std::optional<bool> succeeded = runSessionCommand(command, in)) {
        // A session command: its outcome, and no warning on the way.
        const bool warned = std::any_of(shown_.begin(), shown_.end(), [](const Refusal& m) {
            return m.icon == MessageIcon::Warning || m.icon == MessageIcon::Error;
        });
        if (!*succeeded || warned) result += " failed";
    } else if (command == "edit-cell") {
        int kind = 0, row = 0, column = 0;
        std::string text;
        in >> kind >> row >> column >> text;
        frame_.chooseView(static_cast<ViewKind>(kind));
        ui::CGridView* grid = gridOf(frame_.currentView());
        if (!grid || !grid->commitText(row, column, QString::fromStdString(text))) result += " refused";
    } else if (command == "rename-program") {
        int number = 0;
        std::string name;
        in >> number >> name;
        state.programs.selectProgram(number);
        if (ProgramList::renameProgram(state.programs, name)) result += " refused";
        state.programs.setStoreClean(false);
        state.unsavedFlash = true;
    } else if (command == "save-settings") {
        std::string path;
        in >> path;
        MainFramePrompts prompts = MainFramePrompts::dialogs();
        // The path once; a second dialog (after a failure) is cancelled.
        prompts.saveSettingsFile = [path, given = false](QWidget*, const QString&) mutable {
            const QString chosen = given ? QString() : QString::fromStdString(path);
            given = true;
            return chosen;
        };
        frame_.setPrompts(prompts);
        frame_.saveSettingsFile();
    } else if (command == "save-programs") {
        std::string path;
        in >> path;
        if (!state.programFiles.saveProgramFile(path)) result += " failed";
    } else if (command == "fail-internally") {
        // An error nothing catches, from an event of its own as a fault would come.
        QTimer::singleShot(0, this, [] { throw std::runtime_error("an error the test driver raised"); });
    } else if (command == "quit") {
        frame_.close();
    } else {
        result = "unknown " + command;
    }
    say(result);
}

bool TestDriver::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

std::optional<bool> TestDriver::runSessionCommand(const std::string& command, std::istringstream& in) {
    AppState& state = frame_.state();
    if (command == "connect") return connectController();
    if (command == "mode") {
        int mode = -1;
        in >> mode;
        if (mode < 0 || mode > 2) return false;
        frame_.setRequestedMode(static_cast<std::uint16_t>(mode));
        const std::uint32_t polls = state.status.statusReplies.load();
        if (waitFor([&state, mode] { return state.status.modeWord.load() == mode; }, 15000)) return true;
        say("note mode: asked " + std::to_string(state.status.requestedMode.load()) + ", controller in " +
            std::to_string(state.status.modeWord.load()) + ", " +
            std::to_string(state.status.statusReplies.load() - polls) + " polls answered meanwhile, alarm " +
            std::to_string(state.status.alarmCode.load()));
        return false;
    }
    if (command == "start") {
        frame_.startProgram();
        return waitFor([&state] { return state.status.isRunning(); }, 5000);
    }
    if (command == "open-monitors") {
        CMonitorMenuDlg& menu = frame_.monitorMenu();
        auto* status = qobject_cast<CStatusMonitorDlg*>(menu.openWindow(MonitorWindow::PulseStatusMonitor));
        if (status) status->setTrendShown(true);
        return status && menu.openWindow(MonitorWindow::IoMonitor) &&
               menu.openWindow(MonitorWindow::NetworkStatusMonitor);
    }
    if (command == "jog") {
        int distance = 0;
        in >> distance;
        return jog(distance);
    }
    if (command == "compile") return compile();
    if (command == "open-settings") {
        std::string path;
        in >> path;
        MainFramePrompts prompts = MainFramePrompts::dialogs();
        prompts.openSettingsFile = [path](QWidget*, const QString&) { return QString::fromStdString(path); };
        frame_.setPrompts(prompts);
        frame_.openSettingsFile();
        return !shown_.empty();  // the send's verdict
    }
    return std::nullopt;
}

bool TestDriver::connectController() {
    MainFramePrompts prompts = MainFramePrompts::dialogs();
    prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
    frame_.setPrompts(prompts);
    frame_.connectController();
    const std::string done = settingsReadMessage(kProgressDone).text;
    return waitFor([this, &done] {
        return std::any_of(shown_.begin(), shown_.end(), [&done](const Refusal& m) { return m.text == done; });
    }, 30000);
}

bool TestDriver::jog(int distance) {
    AppState& state = frame_.state();
    CMonitorMenuDlg& menu = frame_.monitorMenu();
    auto* window = qobject_cast<CJogDlg*>(menu.openWindow(MonitorWindow::TestRun));
    if (!window) return false;
    // The axis list fills on the window's first tick.
    if (!waitFor([window] { return window->axisList()->count() > 0; }, 2000)) return false;
    window->chooseAxis(0);
    window->field(CJogDlg::InchDistance)->setText(QString::number(std::abs(distance)));
    // As a person would: inching once the axis stands (a stopped program's move ramps down).
    waitFor([&] { return state.status.axisCommandSpeed[0].load() == 0; }, 5000);
    const std::int32_t before = state.status.axisCommandPosition[0].load();
    // A press while another request waits for the link is dropped (the
    // network monitor's reads come often): pressed again, as a person would.
    const auto moving = [&] { return state.status.axisCommandPosition[0].load() != before; };
    int presses = 0;
    bool moved = false;
    while (!moved && presses < 10) {
        window->pressButton(distance < 0 ? JogButton::InchBackward : JogButton::InchForward);
        ++presses;
        moved = waitFor(moving, 500);
    }
    if (presses > 1) say("note jog: pressed " + std::to_string(presses) + " times");
    const bool stopped = moved && waitFor([&] { return state.status.axisCommandSpeed[0].load() == 0; }, 10000);
    if (!stopped)
        say("note jog: position " + std::to_string(before) + " -> " +
            std::to_string(state.status.axisCommandPosition[0].load()) + ", speed " +
            std::to_string(state.status.axisCommandSpeed[0].load()) + ", alarm " +
            std::to_string(state.status.alarmCode.load()));
    window->close();
    return stopped;
}

bool TestDriver::compile() {
    frame_.chooseView(ViewKind::ProgramEditor);
    auto* view = frame_.currentView() ? frame_.currentView()->findChild<CProgramView*>() : nullptr;
    if (!view) view = qobject_cast<CProgramView*>(frame_.currentView());
    if (!view) return false;
    view->compilePrograms();
    return view->compileState().lastStatus == CompileResult::kAccepted;
}

}  // namespace vantrel
