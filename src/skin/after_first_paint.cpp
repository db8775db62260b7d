#include "skin/after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <utility>

namespace nimba::skin {
namespace {

// Owned by the window; ends with the action's run, whichever of paint and time comes first.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, int latest_ms, std::function<void()> action)
        : QObject(window), action_(std::move(action)) {
        window->installEventFilter(this);
        QTimer::singleShot(latest_ms, this, [this] { Run(); });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        // Not inside the paint: the picture is still to be flushed to the screen.
        if (event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            QTimer::singleShot(0, this, [this] { Run(); });
        }
        return false;
    }

private:
    void Run() {
        std::function<void()> action = std::exchange(action_, nullptr);
        if (!action) return;
        deleteLater();
        action();
    }

    std::function<void()> action_;
    bool queued_ = false;
};

}  // namespace

void RunAfterFirstPaint(QWidget* window, int latest_ms, std::function<void()> action) {
    new FirstPaintWatch(window, latest_ms, std::move(action));
}

}  // namespace nimba::skin
