#include "skin/tray_icon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QImageReader>
#include <QPixmap>

#include "platform/messages.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
constexpr int kHostQueryMs = 500;
constexpr int kIconPixels = 64;
bool stand_in_host = false;

// The question Qt asks when it decides how to show a tray icon: a StatusNotifierItem host is
// registered with the session's watcher.
bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher)) return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusReply<QDBusVariant> reply = bus.call(get, QDBus::Block, kHostQueryMs);
    return reply.isValid() && reply.value().variant().toBool();
}

}  // namespace

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() {
    DeleteTrayIcon();
}

void CTrayIcon::SetStandInHost(bool stand_in) {
    stand_in_host = stand_in;
}

void CTrayIcon::CreateTrayIcon(HWND receiver, UINT icon_id, std::u16string_view tooltip,
                               UINT message) {
    DeleteTrayIcon();
    receiver_ = receiver;
    message_ = message != 0 ? message : WM_TRAYICON;
    // Qt exports the icon as a StatusNotifierItem exactly when a host is registered as it
    // creates its first one, and keeps that choice.
    host_draws_menu_ = !stand_in_host && StatusNotifierHostRegistered();
    const QString file =
        nimba::skin::ToQ(CPaintManagerUI::GetResourcePath()) + QString("icon%1.png").arg(icon_id);
    // Trays and window switchers show the icon at 64 pixels at most (a 32-pixel place on a
    // screen of double density); a larger picture would only sit in memory.
    QImageReader reader(file);
    const QSize full = reader.size();
    if (full.width() > kIconPixels || full.height() > kIconPixels)
        reader.setScaledSize(full.scaled(kIconPixels, kIconPixels, Qt::KeepAspectRatio));
    icon_ = std::make_unique<QSystemTrayIcon>(QIcon(QPixmap::fromImage(reader.read())));
    icon_->setToolTip(nimba::skin::ToQ(tooltip));
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         LPARAM mouse = 0;
                         if (reason == QSystemTrayIcon::Trigger) mouse = WM_LBUTTONUP;
                         if (reason == QSystemTrayIcon::Context && !host_draws_menu_)
                             mouse = WM_RBUTTONUP;
                         if (mouse != 0) PostMessageW(receiver_, message_, 0, mouse);
                     });
    icon_->show();
}

void CTrayIcon::DeleteTrayIcon() {
    host_watch_.reset();
    icon_.reset();
}

void CTrayIcon::SetTooltipText(std::u16string_view tooltip) {
    const QString text = nimba::skin::ToQ(tooltip);
    if (icon_ && icon_->toolTip() != text) icon_->setToolTip(text);
}

void CTrayIcon::SetContextMenu(QMenu* menu) {
    if (icon_ && host_draws_menu_) icon_->setContextMenu(menu);
}

void CTrayIcon::SetHostGoneHandler(std::function<void()> handler) {
    host_watch_.reset();
    if (!host_draws_menu_) return;
    host_watch_ = std::make_unique<QDBusServiceWatcher>(
        kWatcher, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(host_watch_.get(), &QDBusServiceWatcher::serviceUnregistered,
                     std::move(handler));
}

bool CTrayIcon::HostPresent() const {
    if (stand_in_host) return true;
    if (host_draws_menu_) return StatusNotifierHostRegistered();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CTrayIcon::IsVisible() const {
    return icon_ && icon_->isVisible() && HostPresent();
}
