#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QObject>

#include "link/LinkEvents.h"

namespace vantrel {

// What the main window does with the link's notifications, called on the UI
// thread. `operation` tells which started operation a progress message
// belongs to (see GuiLinkEvents::beginOperation).
class LinkEventHandler {
public:
    virtual ~LinkEventHandler() = default;
    virtual void onProgress(unsigned operation, int percent, int result) = 0;
    virtual void onConnectionResult(int result) = 0;
    virtual void onSettingsReadDone() = 0;
    virtual void onVerifyError(int kind) = 0;
    virtual void onLinkLost(bool silent) = 0;
    virtual void onProgramFileRead(const std::string& path) = 0;
    virtual void onProgramSendResult(const TransferResult& result) = 0;
    virtual void onAlarmRecordRead() = 0;
    // The link stored these bytes into its image: copy them into the UI's.
    virtual void onImageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) = 0;
};

// The GUI's LinkEvents: every call, made on the link thread, is posted to the
// UI thread (the one place where the link crosses threads into Qt) and handed
// to the handler there, in the order the link made them.
class GuiLinkEvents : public QObject, public LinkEvents {
    Q_OBJECT
public:
    // `handler` lives on the thread of this object (the UI thread).
    explicit GuiLinkEvents(LinkEventHandler* handler, QObject* parent = nullptr);

    // Called on the UI thread just before an operation is started: progress
    // messages posted from now on carry the returned number, so a late
    // message of an earlier operation can never close the next window.
    unsigned beginOperation();

    void progress(int percent, int result) override;
    void connectionResult(int result) override;
    void settingsReadDone() override;
    void verifyError(int kind) override;
    void linkLost(bool silent) override;
    void programFileRead(const std::string& path) override;
    void programSendResult(const TransferResult& result) override;
    void alarmRecordRead() override;
    // The bytes travel in the posted call: the UI never reads the link's image.
    void imageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) override;

    // Stops delivering (the handler is going away).
    void detach();

private:
    void post(std::function<void(LinkEventHandler&)> call);

    LinkEventHandler* handler_;
    std::atomic<unsigned> operation_{0};
};

}  // namespace vantrel
