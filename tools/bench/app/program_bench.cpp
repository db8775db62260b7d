// nimba-program-bench: figures of the program measured beside a bare Qt Widgets window started
// the same way. Lives in a program folder (demo/) like the program.
//
//   nimba-program-bench bare [SECONDS]      a bare 800x572 window
//   nimba-program-bench text [SECONDS]      the same with one line of text, so that loading the
//       fonts, which any window with text pays, can be told apart from the rest
//   nimba-program-bench program [SECONDS]   the program
//       both print "first-paint-ms N" (from process start to the window's first paint), then,
//       given SECONDS, "idle-cpu-s" over SECONDS of idling and "resident-kib" after them.
//   nimba-program-bench stall               the longest stall of the window thread while a
//       full apply with two macros runs over the 2.4 GHz link: "ui-stall-ms N", and how long
//       the apply took: "apply-ms N"
//   nimba-program-bench watch PROFILES      the longest stall of the window thread over 2.5 s
//       with a store of PROFILES profiles, after "watching": "ui-stall-ms N"

#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/program.h"
#include "model/button_functions.h"
#include "model/profile_defaults.h"
#include "persistence/data_directory.h"
#include "persistence/profile_store.h"
#include "platform/messages.h"
#include "platform/module_directory.h"
#include "skin/paint_manager.h"

namespace {

// Milliseconds since this process was started by the kernel, so that loading counts too.
double MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
    const double started = std::stod(field) * 1000.0 / sysconf(_SC_CLK_TCK);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6 - started;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    }
    return 0;
}

void Quit() {
    PostQuitMessage(0);
    QApplication::quit();
}

// After a second to settle, the CPU time of `seconds` of idling and the memory then.
void MeasureIdle(int seconds) {
    // Not from inside the paint: the window still flushes what it painted.
    if (seconds == 0) return QTimer::singleShot(0, Quit);
    QTimer::singleShot(1000, [seconds] {
        const double start = CpuSeconds();
        QTimer::singleShot(seconds * 1000, [start] {
            std::printf("idle-cpu-s %.3f\nresident-kib %ld\n", CpuSeconds() - start, ResidentKiB());
            Quit();
        });
    });
}

// Prints when the window is first painted, then lets it stay `seconds`.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(int seconds) : seconds_(seconds) {}
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            std::printf("first-paint-ms %.1f\n", MsSinceProcessStart());
            std::fflush(stdout);
            MeasureIdle(seconds_);
        }
        return QObject::eventFilter(object, event);
    }

private:
    int seconds_;
    bool seen_ = false;
};

int Bare(int seconds, bool with_text) {
    QWidget window;
    if (with_text) (new QLabel("NIMBA R380X", &window))->move(20, 20);
    FirstPaint paint(seconds);
    window.installEventFilter(&paint);
    window.resize(800, 572);
    window.show();
    return QApplication::exec();
}

// Beside a copy the user runs, the bench keeps its single-instance files apart.
std::string PrivateRuntimeFolder() {
    const std::string folder = "/tmp/nimba-bench-" + std::to_string(getpid()) + "/";
    mkdir(folder.c_str(), 0700);
    return folder;
}

int RunProgram(int seconds) {
    nimba::Program program(PrivateRuntimeFolder());
    FirstPaint paint(seconds);
    if (program.Start() != 0) return 2;
    program.main_window()->GetWindowWidget()->installEventFilter(&paint);
    return CPaintManagerUI::MessageLoop();
}

void Store(const nimba::ProfileList& profiles) {
    auto header = std::make_unique<nimba::ProfileStoreHeader>();
    if (!nimba::SaveProfileStore(nimba::GetDataDirectory(), profiles, *header)) std::abort();
}

void StoreProfileWithTwoMacros() {
    nimba::ProfileList profiles;
    profiles.push_back(nimba::NewProfile(u"Bench"));
    for (int k : {3, 9}) {
        nimba::ButtonAssignment& button = profiles[0]->buttons[k];
        button.function = nimba::kFunctionMacro;
        button.macro_loop_count = 1;
        button.macro_action_count = 40;
        for (int a = 0; a < 40; ++a) {
            button.macro_actions[a] = {static_cast<uint8_t>(0x04 + a / 2),
                                       static_cast<uint8_t>(a % 2 == 0 ? 1 : 2), 20};
        }
    }
    Store(profiles);
}

// Ticks every millisecond on the window thread: the longest gap is the longest stall, until `done`.
class StallWatch {
public:
    explicit StallWatch(std::function<bool()> done) {
        tick_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick_, &QTimer::timeout, [this, done] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
            if (done()) Quit();
        });
    }
    void Start() {
        clock_.start();
        tick_.start(1);
    }
    qint64 longest() const { return longest_; }
    qint64 last() const { return last_; }

private:
    QTimer tick_;
    QElapsedTimer clock_;
    qint64 last_ = 0, longest_ = 0;
};

// The window is painted and settled first, and the stall is taken from the apply's request until
// the apply ring goes, so that neither the first paint nor what the machine does afterwards counts.
int Stall() {
    StoreProfileWithTwoMacros();
    nimba::Program program(PrivateRuntimeFolder());
    if (program.Start() != 0) return 2;
    CControlUI* ring = program.main_window()->GetPaintManager().FindControl(u"apply_ring");
    if (ring == nullptr) return 2;
    bool shown = false;
    StallWatch watch([&] {
        shown = shown || ring->IsVisible();
        return shown && !ring->IsVisible();
    });
    QTimer::singleShot(1000, [&] {
        watch.Start();
        program.main_window()->page().RequestApply();
    });
    QTimer::singleShot(30000, Quit);  // an apply that never ends gives no figure
    const int code = CPaintManagerUI::MessageLoop();
    if (!shown || ring->IsVisible()) return 2;
    std::printf("ui-stall-ms %lld\napply-ms %lld\n", static_cast<long long>(watch.longest()),
                static_cast<long long>(watch.last()));
    return code;
}

// A store of `count` profiles (1000: 33 MB). Once the window has settled it prints "watching"
// and is watched for 2.5 s, while scripts/bench presses the mouse's DPI button 20 times.
int Watch(int count) {
    nimba::ProfileList profiles;
    for (int i = 0; i < count; ++i) profiles.push_back(nimba::NewProfile(u"Bench"));
    Store(profiles);
    nimba::Program program(PrivateRuntimeFolder());
    if (program.Start() != 0) return 2;
    StallWatch watch([&] { return watch.last() > 2500; });
    QTimer::singleShot(1000, [&] {
        std::printf("watching\n");
        std::fflush(stdout);
        watch.Start();
    });
    const int code = CPaintManagerUI::MessageLoop();
    std::printf("ui-stall-ms %lld\n", static_cast<long long>(watch.longest()));
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const char* mode = argc > 1 ? argv[1] : "";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    if (std::strcmp(mode, "bare") == 0) return Bare(seconds, false);
    if (std::strcmp(mode, "text") == 0) return Bare(seconds, true);
    if (std::strcmp(mode, "program") == 0) return RunProgram(seconds);
    if (std::strcmp(mode, "stall") == 0) return Stall();
    if (std::strcmp(mode, "watch") == 0) return Watch(seconds);
    std::fprintf(stderr, "usage: %s bare|text|program [SECONDS] | stall | watch PROFILES\n",
                 argv[0]);
    return 2;
}
