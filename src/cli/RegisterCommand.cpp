#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <thread>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "data/CellInput.h"
#include "online/RegisterTest.h"

namespace vantrel::cli {
namespace {

// The driver answers the controller over its RS-485 line; the register test
// window reads the answer back this long after the request went out.
constexpr std::chrono::milliseconds kDriverAnswerTime{300};

constexpr double kFirstSlave = 1;
constexpr double kLastSlave = 16;

// The slave the typed text names when it is one of the sixteen, read as the
// register test reads it (which driver record to ask the controller for; the
// check itself decides).
std::optional<int> slaveToLookUp(const std::string& text) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    const double slave = std::trunc(readNumber(text));
    if (!(slave >= kFirstSlave && slave <= kLastSlave)) return std::nullopt;
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

void printAnswer(const RegisterReplyText& a, bool json) {
    if (json) {
        nlohmann::ordered_json out = {{"slave", std::stoll(a.slave)},
                                      {"function", std::stoll(a.function)},
                                      {"address", std::stoll(a.registerAddress)},
                                      {"count", std::stoll(a.registerCount)},
                                      {"data", std::stoll(a.data)}};
        std::cout << out.dump() << "\n";
        return;
    }
    std::cout << text("スレーブアドレス: " + a.slave) << "\n"
              << text("ファンクションコード: " + a.function) << "\n"
              << text("レジスタアドレス: " + a.registerAddress) << "\n"
              << text("レジスタ数: " + a.registerCount) << "\n"
              << text("データ: " + a.data) << "\n";
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
    RegisterTestFields form;
    const auto slave = args.value("--slave");
    if (!slave) return usageError("register", "--slave N is required");
    form.slave = *slave;
    const std::string function = args.value("--function").value_or("");
    if (function == "3" || function == "8" || function == "16")
        form.function = static_cast<std::uint8_t>(std::atoi(function.c_str()));
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
    RegisterCheck check;
    {
        std::lock_guard<std::recursive_mutex> guard(session.link.lock());  // the link thread's image
        check = checkRegisterRequest(form, mode, session.image);
    }
    if (check.refusal) return fail(*check.refusal);
    if (!check.request) return usageError("register", "--function must be 3, 8 or 16");
    const NetworkRegisterRequest request = *check.request;

    // The request goes out with the next status poll: once two polls have
    // been answered since (the one under way may have been built before), the
    // one that carried it has been.
    const std::uint32_t before = session.status.statusReplies.load(std::memory_order_relaxed);
    if (!placeRegisterRequest(session.link, request))
        return waitFailed(session, "register", "the request was not sent: the link is closed");
    const auto carried = [&] {
        return static_cast<std::uint32_t>(session.status.statusReplies.load(std::memory_order_relaxed) - before) >= 2;
    };
    if (!session.waitStatusReplies(carried, LinkSession::kStatusPollTries))
        return waitFailed(session, "register", "the request was not sent: the controller answered no status poll");
    std::this_thread::sleep_for(kDriverAnswerTime);
    queueRegisterReplyReads(session.queues);
    if (!session.waitQueuesIdle()) return waitFailed(session, "register", "the answer could not be read back");

    const ControllerStatus& st = session.status;
    printAnswer(registerReplyText(st), args.flag("--json"));
    if (st.registerReplySlave() != request.slave || st.registerReplyFunction() != request.function) {
        std::cerr << "vantrel-cli: register: the answer read back (slave " << int(st.registerReplySlave()) << ", function "
                  << int(st.registerReplyFunction()) << ") is not the request's (slave " << int(request.slave)
                  << ", function " << int(request.function) << ")\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace vantrel::cli
