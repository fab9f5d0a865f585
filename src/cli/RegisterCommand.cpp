#include <chrono>
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <thread>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "online/NetworkRegisterCheck.h"

namespace vantrel::cli {
namespace {

// The driver answers the controller over its RS-485 line; the register test
// window reads the answer back this long after the request went out.
constexpr std::chrono::milliseconds kDriverAnswerTime{300};

// The five fields of the answer in the controller's live values: address, size.
constexpr std::pair<std::uint32_t, std::uint16_t> kAnswerFields[] = {
    {ControllerStatus::kNetworkLiveBase + 0, 1},  // slave address
    {ControllerStatus::kNetworkLiveBase + 1, 1},  // function code
    {ControllerStatus::kNetworkLiveBase + 4, 2},  // register address
    {ControllerStatus::kNetworkLiveBase + 6, 2},  // register count
    {ControllerStatus::kNetworkLiveBase + 8, 4},  // data
};

constexpr int kFirstSlave = 1;
constexpr int kLastSlave = 16;

// The slave of the typed text when it is one of the sixteen (which driver
// record to ask the controller for); the check itself decides.
std::optional<int> slaveToLookUp(const std::string& text) {
    char* end = nullptr;
    const long slave = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || slave < kFirstSlave || slave > kLastSlave) return std::nullopt;
    return static_cast<int>(slave);
}

// Whether a network driver is set up at `slave`: the model byte of its record,
// read from the controller into the session's image.
bool readDriverModel(LinkSession& session, int slave) {
    const std::uint32_t address = NetworkDriverRecord(session.image, slave - 1).addressOf(NetworkDriverRecord::kModel);
    const std::uint64_t stores = session.imageStores();
    if (!session.queues.queueValueRead(address, 1)) return false;
    return session.waitQueuesIdle() && session.imageStores() != stores;
}

struct Answer {
    std::uint8_t slave = 0;
    std::uint8_t function = 0;
    std::uint16_t address = 0;
    std::uint16_t count = 0;
    std::int32_t data = 0;  // as shown
};

void printAnswer(const Answer& a, bool json) {
    if (json) {
        nlohmann::ordered_json out = {
            {"slave", a.slave}, {"function", a.function}, {"address", a.address}, {"count", a.count}, {"data", a.data}};
        std::cout << out.dump() << "\n";
        return;
    }
    std::cout << "スレーブアドレス: " << int(a.slave) << "\n"
              << "ファンクションコード: " << int(a.function) << "\n"
              << "レジスタアドレス: " << a.address << "\n"
              << "レジスタ数: " << a.count << "\n"
              << "データ: " << a.data << "\n";
}

}  // namespace

int runRegister(const Words& words) {
    const CliArgs args(words, {"--port", "--slave", "--function", "--address", "--count", "--data"}, {"--json"});
    if (args.help())
        return printHelp("register --port P --slave N --function 3|8|16 [--address A] [--count 1|2] [--data D] [--json]",
                         "Sends one register request to network driver N (RIVO N) through the controller,\n"
                         "as the register test window does, with its checks and messages: edit-test mode\n"
                         "only, a slave 1..16 with a driver set up, then by function: 3 reads --count\n"
                         "registers from --address; 8 is the diagnostics with --data 0..65535; 16 writes\n"
                         "--data to --count registers at --address. --address defaults to 0, --count to 2,\n"
                         "--data to 0. Prints the five fields of the answer the controller holds then:\n"
                         "slave address, function code, register address, register count and data (the\n"
                         "low 16 bits for a read or diagnostics of one register, 0 for a write). --json\n"
                         "prints {\"slave\", \"function\", \"address\", \"count\", \"data\"}. Exit status 1 when a\n"
                         "check refuses the request or the answer is not the request's.");
    if (!args.ok()) return usageError("register", args.error());
    const auto port = requirePort(args, "register");
    if (!port) return kExitUsage;
    NetworkRegisterForm form;
    const auto slave = args.value("--slave");
    if (!slave) return usageError("register", "--slave N is required");
    form.slave = *slave;
    const std::string function = args.value("--function").value_or("");
    if (function == "3" || function == "8" || function == "16")
        form.function = std::atoi(function.c_str());
    else
        return usageError("register", "--function must be 3, 8 or 16");
    form.registerAddress = args.value("--address").value_or(form.registerAddress);
    form.registerCount = args.value("--count").value_or(form.registerCount);
    form.data = args.value("--data").value_or(form.data);

    LinkSession session(false);
    if (!connectController(session, *port)) return kExitFailed;
    const std::uint16_t mode = session.status.modeWord.load(std::memory_order_relaxed);
    // The driver set-up is the controller's: read the one byte the check needs.
    if (const auto lookUp = slaveToLookUp(form.slave); lookUp && mode == 0 && !readDriverModel(session, *lookUp))
        return waitFailed(session, "register", "the controller did not answer the read of driver " + form.slave + "'s set-up");
    NetworkRegisterCheck check;
    {
        std::lock_guard<std::recursive_mutex> guard(session.link.lock());  // the link thread's image
        check = checkNetworkRegisterRequest(form, mode, session.image);
    }
    if (check.refusal) return fail(*check.refusal);
    if (!check.request) return usageError("register", "--function must be 3, 8 or 16");
    const NetworkRegisterRequest request = *check.request;

    // The request goes out with the next status poll: once two polls have
    // been answered since (the one under way may have been built before), the
    // one that carried it has been.
    const std::uint32_t before = session.status.statusReplies.load(std::memory_order_relaxed);
    session.link.setNetworkRegisterRequest(request);
    const auto carried = [&] {
        return static_cast<std::uint32_t>(session.status.statusReplies.load(std::memory_order_relaxed) - before) >= 2;
    };
    if (!session.waitStatusReplies(carried, LinkSession::kStatusPollTries))
        return waitFailed(session, "register", "the request was not sent: the controller answered no status poll");
    std::this_thread::sleep_for(kDriverAnswerTime);
    for (const auto& [address, size] : kAnswerFields) session.queues.queueValueRead(address, size);
    if (!session.waitQueuesIdle()) return waitFailed(session, "register", "the answer could not be read back");

    const ControllerStatus& st = session.status;
    Answer answer{st.registerReplySlave(), st.registerReplyFunction(), st.registerReplyAddress(), st.registerReplyCount(), 0};
    answer.data = shownRegisterData(answer.function, answer.count, st.registerReplyData());
    printAnswer(answer, args.flag("--json"));
    if (answer.slave != request.slave || answer.function != request.function) {
        std::cerr << "vantrel-cli: register: the answer read back (slave " << int(answer.slave) << ", function "
                  << int(answer.function) << ") is not the request's (slave " << int(request.slave) << ", function "
                  << int(request.function) << ")\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace vantrel::cli
