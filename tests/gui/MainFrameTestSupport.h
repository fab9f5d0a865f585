#pragma once

// Shared by the tests of the main window against the simulated controller
// over a real pseudo-terminal and the real link thread: the controller, the
// window whose port is the controller's terminal, and the connection that
// reads the controller's settings and programs.

#include <memory>

#include <QTest>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "data/DefaultImage.h"
#include "platform/AppFolders.h"
#include "program/CProgramView.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace vantrel::test {

class MainFrameFixture {
protected:
    // The controller starts from `controller`, the window from the default
    // settings. Connecting reads from the controller, and the question to
    // save the settings first is answered no.
    void startMainFrame(const SettingsImage& controller = makeDefaultSettingsImage()) {
        recorder_ = std::make_unique<MessageRecorder>();
        sim_ = std::make_unique<ControllerSim>(controller);
        server_ = std::make_unique<PtyServer>(*sim_);
        QVERIFY(server_->start());
        ensureDataFolder();  // as start-up does: the program read writes Ncstep.sys there
        state_ = std::make_unique<AppState>();
        state_->image = makeDefaultSettingsImage();
        state_->portOverride = server_->portName();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
        prompts.saveSettingsFile = [](QWidget*, const QString&) { return QString(); };
        frame_->setPrompts(prompts);
    }
    // Shows the window large enough for the program editor's table.
    void showMainFrame() {
        frame_->resize(1100, 900);
        frame_->show();
    }
    void stopMainFrame() {
        frame_.reset();  // stops the link thread and closes the port
        if (server_) server_->stop();
        server_.reset();
        sim_.reset();
        state_.reset();
        recorder_.reset();
    }

    // Connects, waits for the read to finish and forgets its messages.
    void connectAndRead() {
        frame_->connectController();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->has("読込完了しました。"), qPrintable(recorder_->dump()), kPatience);
        recorder_->messages.clear();
    }
    CProgramView* programView() {
        frame_->chooseView(ViewKind::ProgramEditor);
        return qobject_cast<CProgramView*>(frame_->currentView());
    }

    std::unique_ptr<MessageRecorder> recorder_;
    std::unique_ptr<ControllerSim> sim_;
    std::unique_ptr<PtyServer> server_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace vantrel::test
