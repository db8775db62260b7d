#pragma once

namespace nimba {

// Shows "battery low" with `level` as a desktop notification (org.freedesktop.Notifications
// on the session bus), with the program's icon. Without a session bus or a notification
// service nothing is shown and nothing waits: the page and the tray still show the level.
void ShowLowBatteryNotification(int level);

}  // namespace nimba
