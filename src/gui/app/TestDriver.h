#pragma once

#include <deque>
#include <string>

#include <QObject>

class QSocketNotifier;

namespace vantrel {

class CMainFrame;

// The hidden --test-driver run, for end-to-end tests of the whole program as
// a process (killed, started again): the test gives commands on the standard
// input, one a line, and reads on the standard output every message the
// program shows ("message<TAB>title<TAB>text", line breaks as "\n") and the
// end of each command ("done <command>").
//
//   answer yes|no                      the next question's answer (a question
//                                      with none given waits for one)
//   edit-cell KIND ROW COLUMN TEXT     shows view KIND and commits TEXT into a
//                                      cell of its table, as typing does
//   rename-program NUMBER NAME         a program edit: renames a program
//   save-settings PATH                 "名前を付けて保存" into PATH
//   save-programs PATH                 saves the program store into PATH
//   fail-internally                    an error that nothing catches, thrown
//                                      from an event of the event loop
//   quit                               closes the main window
class TestDriver : public QObject {
    Q_OBJECT
public:
    // Answers and prints messages from now on (so the start-up questions too).
    explicit TestDriver(CMainFrame& frame);
    ~TestDriver() override;
    // Starts taking commands.
    void start();

private:
    // Reads what the standard input has (waiting until something is there).
    // False at the end of the input.
    bool readInput();
    void runCommands();
    void run(const std::string& line);
    bool nextAnswer();

    CMainFrame& frame_;
    QSocketNotifier* notifier_ = nullptr;
    std::string partial_;
    std::deque<std::string> commands_;
    std::deque<bool> answers_;
    bool inputEnded_ = false;
    bool running_ = false;
};

}  // namespace vantrel
