// nimba-notification-recorder LOG COMMAND [ARGS...]
// Stands in for the desktop's notification service on the session bus while COMMAND runs:
// every Notify call becomes one line of LOG (summary, body, icon and urgency, separated by
// " | "), and the recorder ends with COMMAND's exit code.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <cstdio>

namespace {

class NotificationService final : public QDBusVirtualObject {
public:
    explicit NotificationService(const QString& log_path) : log_(log_path) {}
    bool Open() { return log_.open(QIODevice::WriteOnly | QIODevice::Truncate); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString member = message.member();
        if (member == QLatin1String("Notify") && message.arguments().size() == 8) {
            const QList<QVariant> args = message.arguments();
            const auto hints = qdbus_cast<QVariantMap>(args[6]);
            const QString line = args[3].toString() + " | " + args[4].toString() + " | " +
                                 args[2].toString() + " | urgency " +
                                 QString::number(hints.value("urgency").toUInt()) + "\n";
            log_.write(line.toUtf8());
            log_.flush();
            connection.send(message.createReply(QVariant::fromValue(++last_id_)));
            return true;
        }
        return false;
    }
    QString introspect(const QString&) const override { return {}; }

private:
    QFile log_;
    uint last_id_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 3) {
        std::fputs("usage: nimba-notification-recorder LOG COMMAND [ARGS...]\n", stderr);
        return 2;
    }
    NotificationService service(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!service.Open() || !bus.isConnected() ||
        !bus.registerVirtualObject("/org/freedesktop/Notifications", &service) ||
        !bus.registerService("org.freedesktop.Notifications")) {
        std::fputs("nimba-notification-recorder: no log or no session bus to serve on\n", stderr);
        return 2;
    }

    QProcess command;
    command.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments;
    for (int i = 3; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    int exit_code = 2;
    QObject::connect(&command, &QProcess::finished, [&](int code, QProcess::ExitStatus status) {
        exit_code = status == QProcess::NormalExit ? code : 2;
        // Calls the command sent just before it ended are still on their way through the bus.
        QTimer::singleShot(300, &application, &QCoreApplication::quit);
    });
    QObject::connect(&command, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) application.quit();
    });
    command.start(QString::fromLocal8Bit(argv[2]), arguments);
    application.exec();
    return exit_code;
}
