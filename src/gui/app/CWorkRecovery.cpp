#include "app/CWorkRecovery.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <QTimer>

#include "app/AppState.h"
#include "app/RecoveryFile.h"
#include "platform/AppFolders.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {

CWorkRecovery::Options CWorkRecovery::defaults() {
    Options options;
    options.path = dataFolderPath(kRecoveryFileName);
    return options;
}

CWorkRecovery::CWorkRecovery(AppState& state, Options options, QObject* parent)
    : QObject(parent), state_(state), keeper_(state.unsaved, options.timing), writer_(options.path) {
    timer_ = new QTimer(this);
    timer_->setInterval(options.pollMs);
    connect(timer_, &QTimer::timeout, this, &CWorkRecovery::poll);
}

CWorkRecovery::~CWorkRecovery() = default;

bool CWorkRecovery::offerRestore(QWidget* parent) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path(), error))) return false;
    const std::optional<RecoveredWork> work = readRecoveryFile(path());
    if (!work) {
        setAsideDamagedCopy(parent);
        return false;
    }
    // Centred on the main window like every other question, once the window
    // manager has placed it.
    ui::waitUntilExposed(parent);
    if (!ui::askYesNo(parent, restoreWorkQuestion())) {
        writer_.remove();
        writer_.waitIdle();
        return false;
    }
    state_.image = work->image;
    state_.programFiles.restoreStore(work->programText);
    // Nothing done before the crash can be taken back.
    state_.history.workReplaced();
    state_.unsaved.restored(state_.image, state_.programs.text());
    state_.unsavedFlash = true;
    keeper_.adoptRecoveryCopy(state_.image, state_.programs.text());
    return true;
}

void CWorkRecovery::setAsideDamagedCopy(QWidget* parent) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // The name is new: an earlier damaged copy is never replaced.
    std::string aside;
    for (int attempt = 0; attempt < 100 && aside.empty(); ++attempt) {
        std::string candidate = damagedRecoveryPath(path(), local, attempt);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) aside = std::move(candidate);
    }
    if (!aside.empty() && std::rename(path().c_str(), aside.c_str()) != 0) aside.clear();
    ui::showMessage(parent, damagedRecoveryMessage(path(), aside));
}

void CWorkRecovery::start() { timer_->start(); }

void CWorkRecovery::cleanExit() {
    timer_->stop();
    if (state_.unsaved.anyUnsaved(state_.image, state_.programs.text()))
        writer_.write(encodeRecoveredWork(state_.image, state_.programs.text()));
    else
        writer_.remove();
    writer_.waitIdle();
}

bool CWorkRecovery::writeNow() {
    if (!state_.unsaved.anyUnsaved(state_.image, state_.programs.text())) return false;
    writer_.write(encodeRecoveredWork(state_.image, state_.programs.text()));
    writer_.waitIdle();
    const std::optional<FileWriteResult> result = writer_.takeResult();
    return result && *result;
}

void CWorkRecovery::takeWriteResult() {
    const std::optional<FileWriteResult> result = writer_.takeResult();
    if (!result) return;
    if (!*result) keeper_.writeFailed(RecoveryKeeper::Clock::now());
    if (!*result == writeFailing_) return;
    writeFailing_ = !*result;
    emit noteChanged(writeFailing_ ? ui::coreText(recoveryWriteFailedText(*result)) : QString());
}

void CWorkRecovery::poll() {
    takeWriteResult();
    switch (keeper_.poll(RecoveryKeeper::Clock::now(), state_.image, state_.programs.text())) {
    case RecoveryKeeper::Step::Write: writer_.write(encodeRecoveredWork(state_.image, state_.programs.text())); break;
    case RecoveryKeeper::Step::Remove: writer_.remove(); break;
    case RecoveryKeeper::Step::Nothing: break;
    }
}

}  // namespace vantrel
