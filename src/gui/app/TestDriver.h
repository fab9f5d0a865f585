#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QObject>

#include "data/Refusal.h"

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
//
// The soak (bench/soak/soak.sh) drives a connected session with these; each
// waits for its outcome and ends "done <command> failed" when it did not come
// or a warning was shown on the way:
//
//   connect                            connects, reads the controller's settings
//   mode 0|1|2                         asks for a mode, waits for the controller's
//   start                              the run request, waits until a task runs
//   open-monitors                      status monitor with trend, I/O and network monitor
//   jog DISTANCE                       inching of axis 1 in the test-operation window
//                                      (backwards for a negative distance), closed after
//   compile                            the program editor's compile
//   open-settings PATH                 "開く" of PATH (sent to a connected controller)
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
    // Runs the event loop until `condition` holds or `timeoutMs` passed.
    bool waitFor(const std::function<bool()>& condition, int timeoutMs);
    // The commands that drive a connected session; false when one failed.
    // Nothing when `command` is not one of them.
    std::optional<bool> runSessionCommand(const std::string& command, std::istringstream& in);
    bool connectController();
    bool jog(int distance);
    bool compile();

    CMainFrame& frame_;
    QSocketNotifier* notifier_ = nullptr;
    std::string partial_;
    std::deque<std::string> commands_;
    std::deque<bool> answers_;
    bool inputEnded_ = false;
    bool running_ = false;
    // Messages shown since the current command began.
    std::vector<Refusal> shown_;
};

}  // namespace vantrel
