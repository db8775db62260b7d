#include "skin/message_queue_bridge.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/messages.h"

namespace nimba::skin {
namespace {

class QueueBridge : public QObject {
public:
    explicit QueueBridge(QObject* parent)
        : QObject(parent), notifier_(platform::QueueWakeFd(), QSocketNotifier::Read) {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { Drain(); });
        // Messages posted before the loop started are waiting already.
        QTimer::singleShot(0, this, [this] { Drain(); });
    }

    int quit_code = 0;

    int Drain() {
        const int dispatched = platform::DispatchPending();
        if (const auto code = platform::TakeQuitMessage()) {
            quit_code = *code;
            QCoreApplication::exit(quit_code);
        }
        if (const auto due = platform::MsUntilNextTimer()) {
            timer_.start(static_cast<int>(*due));
        } else {
            timer_.stop();
        }
        return dispatched;
    }

private:
    QSocketNotifier notifier_;
    QTimer timer_;
};

// Owned by the application object, so it goes before Qt does.
QPointer<QueueBridge> bridge;

}  // namespace

void EnsureMessageQueueBridge() {
    if (!bridge) bridge = new QueueBridge(QCoreApplication::instance());
}

int PumpMessageQueue() {
    EnsureMessageQueueBridge();
    return bridge->Drain();
}

int QuitCode() {
    return bridge ? bridge->quit_code : 0;
}

}  // namespace nimba::skin
