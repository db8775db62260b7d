#include "page/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "page/low_battery_notice.h"
#include "platform/module_directory.h"
#include "skin/resource_manager.h"

namespace nimba {
namespace {

QString Text(const char16_t* key) {
    return QString::fromStdU16String(CResourceManager::GetInstance().GetText(key));
}

}  // namespace

void ShowLowBatteryNotification(int level) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString name = Text(u"mouse_name_text");
    const QString icon = QString::fromStdString(GetModuleDirectory() + "res/icon107.png");
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("com.nimba.r380x"));
    // At the last level the notice stays until the user has seen it.
    const uchar urgency = level <= LowBatteryNotice::kCriticalLevel ? 2 : 1;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgency));
    call << name << 0u << icon << Text(u"low_power_text")
         << name + QStringLiteral(": %1%").arg(level) << QStringList() << hints << -1;
    // No reply is awaited: a service that answers late, or not at all, never holds up the window.
    bus.send(call);
}

}  // namespace nimba
