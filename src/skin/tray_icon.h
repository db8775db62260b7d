#pragma once

// The notification-area icon. A left or right click posts the icon's message (1025 unless
// given) to its window with lParam = WM_LBUTTONUP or WM_RBUTTONUP.
//
// Linux desktops host it in one of two ways, or not at all: an XEmbed tray (the program draws
// its own menu on a right click) or a StatusNotifierItem host (KDE Plasma, Xfce, GNOME with
// AppIndicator), which draws the menu the icon exports over DBusMenu. Stock GNOME and many
// Wayland sessions have neither.

#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/win_types.h"

inline constexpr UINT WM_TRAYICON = WM_USER + 1;  // 1025

class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();

    // The picture is "icon<icon_id>.png" of the resource path, kept at 64 pixels at most.
    void CreateTrayIcon(HWND receiver, UINT icon_id, std::u16string_view tooltip, UINT message = 0);
    void DeleteTrayIcon();
    // The desktop is told only when the text differs from the one it shows.
    void SetTooltipText(std::u16string_view tooltip);
    // The icon is shown and a tray hosts it now (a host may come and go while the program runs).
    bool IsVisible() const;
    bool HostPresent() const;
    // True where the host draws the icon's menu from the one given to SetContextMenu; a right
    // click then posts nothing.
    bool HostDrawsMenu() const { return host_draws_menu_; }
    void SetContextMenu(QMenu* menu);
    // Runs when the StatusNotifierItem host that shows the icon goes away (a panel that ends or
    // crashes): whatever only the icon could reach must become reachable otherwise.
    void SetHostGoneHandler(std::function<void()> handler);
    // The Qt icon behind it (its picture also serves as the window's icon).
    QSystemTrayIcon* GetQtIcon() const { return icon_.get(); }

    // A driver that delivers the clicks itself (a scripted run without a desktop) stands in for
    // the tray host; set before CreateTrayIcon.
    static void SetStandInHost(bool stand_in);

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    HWND receiver_ = nullptr;
    UINT message_ = WM_TRAYICON;
    bool host_draws_menu_ = false;
    std::unique_ptr<QDBusServiceWatcher> host_watch_;
};
