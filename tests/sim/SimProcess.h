#pragma once

// The vantrel-sim program as a child process of a test.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vantrel::simtest {

// A running vantrel-sim with its standard output on a pipe, and its standard
// input on another (console commands) or on /dev/null.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args, bool console = false) {
        int out[2];
        int in[2] = {-1, -1};
        if (pipe(out) != 0 || (console && pipe(in) != 0)) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(out[1], STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            if (console) {
                dup2(in[0], STDIN_FILENO);
                close(in[0]);
                close(in[1]);
            } else {
                const int devNull = open("/dev/null", O_RDONLY);
                dup2(devNull, STDIN_FILENO);
                close(devNull);
            }
            std::vector<char*> argv;
            args.insert(args.begin(), VANTREL_SIM_PROGRAM);
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(VANTREL_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        output_ = out[0];
        if (console) {
            close(in[0]);
            input_ = in[1];
        }
    }
    ~SimProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) close(output_);
        if (input_ >= 0) close(input_);
    }
    // Sends one console line.
    void type(const std::string& line) {
        const std::string text = line + "\n";
        if (input_ < 0 || write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) ADD_FAILURE();
    }
    // Ends the console input.
    void endInput() {
        if (input_ >= 0) close(input_);
        input_ = -1;
    }
    // Reads output until `count` lines arrived or the output ends (5 s at most per read).
    std::vector<std::string> lines(std::size_t count) {
        while (std::count(text_.begin(), text_.end(), '\n') < static_cast<std::ptrdiff_t>(count)) {
            pollfd p{output_, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0) break;
            char buf[256];
            const ssize_t n = read(output_, buf, sizeof buf);
            if (n <= 0) break;
            text_.append(buf, static_cast<std::size_t>(n));
        }
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text_.find('\n', start)) != std::string::npos; start = nl + 1)
            out.push_back(text_.substr(start, nl - start));
        return out;
    }
    int waitExit() {
        int status = 0;
        waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void signal(int sig) { kill(pid_, sig); }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    int input_ = -1;
    bool exited_ = false;
    std::string text_;
};

}  // namespace vantrel::simtest
