#include "app/TestDriver.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include <QSocketNotifier>
#include <QTimer>

#include "app/AppState.h"
#include "app/CMainFrame.h"
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
    if (command == "edit-cell") {
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

}  // namespace vantrel
