#include "link/GuiLinkEvents.h"

#include <QMetaObject>

namespace vantrel {

GuiLinkEvents::GuiLinkEvents(LinkEventHandler* handler, QObject* parent) : QObject(parent), handler_(handler) {}

unsigned GuiLinkEvents::beginOperation() { return operation_.fetch_add(1) + 1; }

void GuiLinkEvents::post(std::function<void(LinkEventHandler&)> call) {
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call)] {
            if (handler_) call(*handler_);
        },
        Qt::QueuedConnection);
}

void GuiLinkEvents::detach() { handler_ = nullptr; }

void GuiLinkEvents::progress(int percent, int result) {
    const unsigned operation = operation_.load();
    post([operation, percent, result](LinkEventHandler& h) { h.onProgress(operation, percent, result); });
}

void GuiLinkEvents::connectionResult(int result) {
    post([result](LinkEventHandler& h) { h.onConnectionResult(result); });
}

void GuiLinkEvents::settingsReadDone() {
    post([](LinkEventHandler& h) { h.onSettingsReadDone(); });
}

void GuiLinkEvents::verifyError(int kind) {
    post([kind](LinkEventHandler& h) { h.onVerifyError(kind); });
}

void GuiLinkEvents::linkLost(bool silent) {
    post([silent](LinkEventHandler& h) { h.onLinkLost(silent); });
}

void GuiLinkEvents::programFileRead(const std::string& path) {
    post([path](LinkEventHandler& h) { h.onProgramFileRead(path); });
}

void GuiLinkEvents::programSendResult(const TransferResult& result) {
    post([result](LinkEventHandler& h) { h.onProgramSendResult(result); });
}

void GuiLinkEvents::alarmRecordRead() {
    post([](LinkEventHandler& h) { h.onAlarmRecordRead(); });
}

void GuiLinkEvents::imageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    post([offset, bytes](LinkEventHandler& h) { h.onImageBytesStored(offset, bytes); });
}

}  // namespace vantrel
