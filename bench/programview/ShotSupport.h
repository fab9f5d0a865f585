#pragma once

// What the picture makers of the program editor share: saving a titled
// picture into the folder, waiting for a condition without blocking the event
// loop, and running the main window connected to a simulated controller.

#include <functional>

#include <QString>

class QWidget;

namespace vantrel {
class CMainFrame;
class ControllerSim;
struct AppState;
}  // namespace vantrel

namespace vantrel::bench {

// Pictures go to this folder; every save is reported on stdout and counted
// in allShotsSaved().
void setShotFolder(const QString& folder);
void saveShot(QWidget& widget, const QString& name);
bool allShotsSaved();
void markShotFailed();

// Calls `then` once `done` holds, checking every `periodMs`.
void when(const std::function<bool()>& done, const std::function<void()>& then, int periodMs = 100);

// Serves `sim` on a pseudo-terminal, shows the main window (width × height)
// on its port, connects it (controller to PC), and calls `afterRead` once
// the settings and programs were read. Returns the event loop's exit code;
// a run that has not ended after a minute fails. `name` prefixes the errors.
int runConnected(ControllerSim& sim, AppState& state, int width, int height, const char* name,
                 const std::function<void(CMainFrame&)>& afterRead);

}  // namespace vantrel::bench
