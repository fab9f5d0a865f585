#pragma once

namespace vantrel {

class CMonitorMenuDlg;

// Plugs the online windows into the monitor menu: the status monitor, the
// I/O monitor, the alarm monitor and the I/O test. The network monitor, the
// test-operation window and the network register test register here too
// when they exist; until then their buttons stay disabled.
void registerMonitorWindows(CMonitorMenuDlg& menu);

}  // namespace vantrel
