#pragma once

// The notification-area icon. A left or right click posts the icon's message (1025 unless
// given) to its window with lParam = WM_LBUTTONUP or WM_RBUTTONUP.

#include <QSystemTrayIcon>
#include <memory>
#include <string_view>

#include "platform/win_types.h"

inline constexpr UINT WM_TRAYICON = WM_USER + 1;  // 1025

class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();

    // The picture is "icon<icon_id>.png" of the resource path.
    void CreateTrayIcon(HWND receiver, UINT icon_id, std::u16string_view tooltip, UINT message = 0);
    void DeleteTrayIcon();
    void SetTooltipText(std::u16string_view tooltip);
    bool IsVisible() const;
    // The Qt icon behind it (its picture also serves as the window's icon).
    QSystemTrayIcon* GetQtIcon() const { return icon_.get(); }

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    HWND receiver_ = nullptr;
    UINT message_ = WM_TRAYICON;
};
