#include "app/CWorkRecovery.h"

#include <filesystem>
#include <system_error>

#include <QTimer>

#include "app/AppState.h"
#include "app/RecoveryFile.h"
#include "platform/AppFolders.h"
#include "ui/MessageBox.h"

namespace vantrel {

CWorkRecovery::Options CWorkRecovery::defaults() {
    Options options;
    options.path = dataFolderPath(kRecoveryFileName);
    return options;
}

CWorkRecovery::CWorkRecovery(AppState& state, Options options, QObject* parent)
    : QObject(parent), state_(state), keeper_(options.timing), writer_(options.path) {
    keeper_.imageSavedOrRead(state_.image);
    keeper_.programsSavedOrRead(state_.programs.text());
    state_.programFiles.setSavedOrReadListener([this](std::string_view text) { keeper_.programsSavedOrRead(text); });
    timer_ = new QTimer(this);
    timer_->setInterval(options.pollMs);
    connect(timer_, &QTimer::timeout, this, &CWorkRecovery::poll);
}

CWorkRecovery::~CWorkRecovery() { state_.programFiles.setSavedOrReadListener({}); }

bool CWorkRecovery::offerRestore(QWidget* parent) {
    std::error_code error;
    if (!std::filesystem::exists(path(), error)) return false;
    const std::optional<RecoveredWork> work = readRecoveryFile(path());
    if (!work || !ui::askYesNo(parent, restoreWorkQuestion())) {
        writer_.remove();
        writer_.waitIdle();
        return false;
    }
    state_.image = work->image;
    state_.programFiles.restoreStore(work->programText);
    state_.unsavedFlash = true;
    keeper_.adoptRecoveryCopy(state_.image, state_.programs.text());
    return true;
}

void CWorkRecovery::start() { timer_->start(); }

void CWorkRecovery::cleanExit() {
    timer_->stop();
    writer_.remove();
    writer_.waitIdle();
}

void CWorkRecovery::imageSavedOrRead() { keeper_.imageSavedOrRead(state_.image); }

void CWorkRecovery::poll() {
    const auto now = RecoveryKeeper::Clock::now();
    if (writer_.takeFailure()) keeper_.writeFailed(now);
    switch (keeper_.poll(now, state_.image, state_.programs.text())) {
    case RecoveryKeeper::Step::Write: writer_.write(encodeRecoveredWork(state_.image, state_.programs.text())); break;
    case RecoveryKeeper::Step::Remove: writer_.remove(); break;
    case RecoveryKeeper::Step::Nothing: break;
    }
}

}  // namespace vantrel
