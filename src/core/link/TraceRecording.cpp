#include "link/TraceRecording.h"

#include "platform/LocalTime.h"

namespace vantrel {
namespace {
constexpr const char* kTraceTitle = "通信トレース";
}

std::string traceFileName(std::time_t startedAt) {
    const std::tm local = localTime(startedAt);
    char name[64];
    std::strftime(name, sizeof name, "trace-%Y%m%d-%H%M%S.txt", &local);
    return name;
}

Refusal traceStartedMessage(const std::string& path) {
    return {"通信トレースを記録しています。\n" + path + "\nもう一度選ぶと記録を終了します。", kTraceTitle,
            MessageIcon::Information};
}

Refusal traceEndedMessage(const std::string& path, unsigned long long lines) {
    return {"通信トレースの記録を終了しました。\n" + path + "\n(" + std::to_string(lines) + "行)", kTraceTitle,
            MessageIcon::Information};
}

}  // namespace vantrel
