#include "ProgressBoard.h"

#include <algorithm>
#include <cstdio>

namespace vantrel::cli {
namespace {
constexpr int kBarWidth = 40;
}

ProgressBoard::ProgressBoard(const std::vector<std::string>& ports, bool terminal) : terminal_(terminal) {
    for (const std::string& port : ports) {
        rows_.push_back({port, 0, "connecting"});
        portWidth_ = std::max(portWidth_, port.size());
    }
}

std::string ProgressBoard::bar(int percent) {
    percent = std::clamp(percent, 0, 100);
    const int filled = percent * kBarWidth / 100;
    std::string text = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
    char number[8];
    std::snprintf(number, sizeof number, "%3d%%", percent);
    return text + number;
}

std::string ProgressBoard::line(const Row& row) const {
    return row.port + std::string(portWidth_ - row.port.size(), ' ') + "  " + bar(row.percent) + "  " + row.note;
}

void ProgressBoard::begin() {
    if (!terminal_) return;
    std::lock_guard guard(lock_);
    for (const Row& row : rows_) std::fprintf(stderr, "%s\n", line(row).c_str());
    std::fflush(stderr);
}

void ProgressBoard::redraw(std::size_t row) {
    // Up to the port's line, rewrite it, and back below the last line.
    const std::size_t up = rows_.size() - row;
    std::fprintf(stderr, "\x1b[%zuA\r%s\x1b[K\x1b[%zuB\r", up, line(rows_[row]).c_str(), up);
    std::fflush(stderr);
}

void ProgressBoard::progress(std::size_t row, int percent) {
    std::lock_guard guard(lock_);
    if (row >= rows_.size() || rows_[row].percent == percent) return;
    rows_[row].percent = percent;
    if (terminal_) redraw(row);
}

void ProgressBoard::note(std::size_t row, const std::string& text) {
    std::lock_guard guard(lock_);
    if (row >= rows_.size()) return;
    rows_[row].note = text;
    if (terminal_)
        redraw(row);
    else
        std::fprintf(stderr, "%s: %s\n", rows_[row].port.c_str(), text.c_str());
}

void ProgressBoard::finish(std::size_t row, const std::string& result, double seconds) {
    char time[32];
    std::snprintf(time, sizeof time, " (%.1f s)", seconds);
    note(row, result + time);
}

}  // namespace vantrel::cli
