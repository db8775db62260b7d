#include "skin/tray_icon.h"

#include "platform/messages.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() {
    DeleteTrayIcon();
}

void CTrayIcon::CreateTrayIcon(HWND receiver, UINT icon_id, std::u16string_view tooltip,
                               UINT message) {
    DeleteTrayIcon();
    receiver_ = receiver;
    message_ = message != 0 ? message : WM_TRAYICON;
    const QString file =
        nimba::skin::ToQ(CPaintManagerUI::GetResourcePath()) + QString("icon%1.png").arg(icon_id);
    icon_ = std::make_unique<QSystemTrayIcon>(QIcon(file));
    icon_->setToolTip(nimba::skin::ToQ(tooltip));
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         LPARAM mouse = 0;
                         if (reason == QSystemTrayIcon::Trigger) mouse = WM_LBUTTONUP;
                         if (reason == QSystemTrayIcon::Context) mouse = WM_RBUTTONUP;
                         if (mouse != 0) PostMessageW(receiver_, message_, 0, mouse);
                     });
    icon_->show();
}

void CTrayIcon::DeleteTrayIcon() {
    icon_.reset();
}

void CTrayIcon::SetTooltipText(std::u16string_view tooltip) {
    if (icon_) icon_->setToolTip(nimba::skin::ToQ(tooltip));
}

bool CTrayIcon::IsVisible() const {
    return icon_ && icon_->isVisible();
}
