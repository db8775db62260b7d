#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/clock_internal.h"
#include "platform/messages.h"

namespace {

// As Win32's minimum: a 0 ms timer would keep a loop spinning.
constexpr UINT kMinTimerMs = 10;
const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

struct ThreadQueue;

// A SendMessageW across threads: the sender waits until the target's thread has run it.
struct PendingSend {
    MSG msg;
    std::shared_ptr<ThreadQueue> sender;
    LRESULT result = 0;
    bool done = false;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    uint64_t due;
    uint64_t serial;  // new for every SetTimer, so a re-set timer is a different one
};

// What a thread blocked in GetMessageW waits for.
struct MessageFilter {
    HWND hwnd;
    UINT lo;
    UINT hi;
};

struct ThreadQueue {
    explicit ThreadQueue(DWORD id) : thread_id(id) {}
    const DWORD thread_id;
    std::condition_variable wake;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<PendingSend>> sent;
    std::vector<Timer> timers;
    std::map<std::pair<HWND, UINT_PTR>, uint64_t> taken_timers;  // serial of the last WM_TIMER
    std::optional<int> quit_posted;  // returned once no posted message is left
    std::optional<int> quit_seen;    // WM_QUIT met by DispatchPending, until taken
    int wake_fd = -1;
    // What a driver of virtual time needs to tell whether this thread is done with the moment.
    bool runs_loop = false;  // has entered GetMessageW
    std::optional<MessageFilter> waiting;
    std::optional<uint64_t> sleeping_until;
};

struct Window {
    std::shared_ptr<ThreadQueue> owner;
    std::shared_ptr<const WindowProc> proc;
};

// One lock for queues, windows and timers: traffic is light, and a single lock leaves no
// ordering between locks to get wrong.
struct Registry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
    std::unordered_map<HWND, Window> windows;
    DWORD next_thread_id = 1;
    uint64_t next_timer_serial = 1;
    uintptr_t next_window = 0x10000;      // never reused, so a stale handle stays invalid
    ThreadQueue* idle_watcher = nullptr;  // a driver waiting for the other threads to settle
};

// Never destroyed: threads may still post while the process exits.
Registry& Reg() {
    static Registry* registry = new Registry;
    return *registry;
}

using Lock = std::unique_lock<std::mutex>;

// Called, under the lock, whenever a thread may just have settled or ended.
void NotifyIdleWatcher() {
    if (ThreadQueue* watcher = Reg().idle_watcher) watcher->wake.notify_all();
}

void RetireQueue(const std::shared_ptr<ThreadQueue>& queue);

// Ends the thread's queue with the thread: its windows go, and senders waiting on it return.
struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder() {
        if (queue) RetireQueue(queue);
    }
};
thread_local QueueHolder t_holder;

std::shared_ptr<ThreadQueue> CurrentQueue(Lock&) {
    if (!t_holder.queue) {
        Registry& reg = Reg();
        t_holder.queue = std::make_shared<ThreadQueue>(reg.next_thread_id++);
        reg.queues[t_holder.queue->thread_id] = t_holder.queue;
    }
    return t_holder.queue;
}

const Window* FindWindow(HWND hwnd) {
    auto& windows = Reg().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : &it->second;
}

bool TimerDue(const ThreadQueue& q, uint64_t now) {
    return std::any_of(q.timers.begin(), q.timers.end(),
                       [now](const Timer& t) { return t.due <= now; });
}

bool HasWork(const ThreadQueue& q) {
    return !q.posted.empty() || !q.sent.empty() || q.quit_posted || TimerDue(q, platform::NowMs());
}

void SignalFd(const ThreadQueue& q) {
    if (q.wake_fd < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(q.wake_fd, &one, sizeof one);
}

void Signal(ThreadQueue& q) {
    q.wake.notify_all();
    SignalFd(q);
}

void Complete(PendingSend& send, LRESULT result) {
    if (send.done) return;
    send.result = result;
    send.done = true;
    send.sender->wake.notify_all();
}

void RetireQueue(const std::shared_ptr<ThreadQueue>& queue) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    reg.queues.erase(queue->thread_id);
    std::erase_if(reg.windows, [&](const auto& entry) { return entry.second.owner == queue; });
    for (auto& send : queue->sent) Complete(*send, 0);
    queue->sent.clear();
    if (queue->wake_fd >= 0) close(queue->wake_fd);
    queue->wake_fd = -1;
    NotifyIdleWatcher();
}

bool Matches(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
    if (m.message == WM_QUIT) return true;  // a loop must always see its end
    if (hwnd == kThreadMessagesOnly) {
        if (m.hwnd != nullptr) return false;
    } else if (hwnd != nullptr && m.hwnd != hwnd) {
        return false;
    }
    return (lo == 0 && hi == 0) || (m.message >= lo && m.message <= hi);
}

MSG TimerMessage(const Timer& t, uint64_t now) {
    return MSG{t.hwnd, WM_TIMER, t.id, 0, static_cast<DWORD>(now)};
}

// Posted messages first, then the quit request, then the most overdue timer, as in Win32.
// A timer is not queued but made into a message when taken, so a killed timer never fires.
std::optional<MSG> TakeNext(ThreadQueue& q, HWND hwnd, UINT lo, UINT hi, bool remove) {
    auto it = std::find_if(q.posted.begin(), q.posted.end(),
                           [&](const MSG& m) { return Matches(m, hwnd, lo, hi); });
    if (it != q.posted.end()) {
        MSG m = *it;
        if (remove) q.posted.erase(it);
        return m;
    }
    const uint64_t now = platform::NowMs();
    if (q.quit_posted) {
        MSG m{nullptr, WM_QUIT, static_cast<WPARAM>(*q.quit_posted), 0, static_cast<DWORD>(now)};
        if (remove) q.quit_posted.reset();
        return m;
    }
    Timer* due = nullptr;
    for (Timer& t : q.timers) {
        if (t.due <= now && Matches(TimerMessage(t, now), hwnd, lo, hi) &&
            (!due || t.due < due->due)) {
            due = &t;
        }
    }
    if (!due) return std::nullopt;
    MSG m = TimerMessage(*due, now);
    if (remove) {
        q.taken_timers[{due->hwnd, due->id}] = due->serial;
        // One WM_TIMER per period: a late loop gets one message, not a burst.
        due->due += due->period;
        if (due->due <= now) due->due = now + due->period;
    }
    return m;
}

std::optional<uint64_t> NextDue(const ThreadQueue& q, HWND hwnd, UINT lo, UINT hi) {
    std::optional<uint64_t> next;
    for (const Timer& t : q.timers) {
        if (Matches(TimerMessage(t, 0), hwnd, lo, hi) && (!next || t.due < *next)) next = t.due;
    }
    return next;
}

// A WM_TIMER already taken from the queue is dropped at dispatch when its timer was killed or
// re-set in between, possibly by another thread: a stopped timer must not act any more.
bool TimerStillSet(const Window& w, const MSG& m) {
    auto& taken = w.owner->taken_timers;
    auto it = taken.find({m.hwnd, m.wParam});
    if (it == taken.end()) return true;  // posted by hand, not made by a timer
    const uint64_t serial = it->second;
    taken.erase(it);
    return std::any_of(w.owner->timers.begin(), w.owner->timers.end(), [&](const Timer& t) {
        return t.hwnd == m.hwnd && t.id == m.wParam && t.serial == serial;
    });
}

std::shared_ptr<const WindowProc> ProcOf(HWND hwnd) {
    const Window* w = FindWindow(hwnd);
    return w ? w->proc : nullptr;
}

// Messages other threads wait on run before anything posted, also while this thread itself
// waits in SendMessageW, so two threads sending to each other do not deadlock.
void RunIncomingSends(Lock& lock, ThreadQueue& q) {
    while (!q.sent.empty()) {
        std::shared_ptr<PendingSend> send = q.sent.front();
        q.sent.pop_front();
        auto proc = ProcOf(send->msg.hwnd);
        const MSG& m = send->msg;
        lock.unlock();
        LRESULT result = proc ? (*proc)(m.hwnd, m.message, m.wParam, m.lParam) : 0;
        lock.lock();
        Complete(*send, result);
    }
}

void WaitForWork(Lock& lock, ThreadQueue& q, HWND hwnd, UINT lo, UINT hi) {
    q.waiting = MessageFilter{hwnd, lo, hi};
    NotifyIdleWatcher();
    auto due = NextDue(q, hwnd, lo, hi);
    // Virtual time moves only when someone advances it, and that wakes every queue.
    if (!due || platform::detail::VirtualClockOn()) {
        q.wake.wait(lock);
    } else if (const uint64_t now = platform::NowMs(); *due > now) {
        q.wake.wait_for(lock, std::chrono::milliseconds(*due - now));
    }
    q.waiting.reset();
}

// Nothing left for the thread to do until virtual time moves or a message reaches it.
bool Settled(ThreadQueue& q) {
    if (q.sleeping_until) return *q.sleeping_until > platform::NowMs();
    if (!q.waiting || !q.sent.empty()) return false;
    const auto [hwnd, lo, hi] = *q.waiting;
    if (hwnd && hwnd != kThreadMessagesOnly && !FindWindow(hwnd)) return false;
    return !TakeNext(q, hwnd, lo, hi, false);
}

MSG Posted(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, msg, wParam, lParam, GetTickCount()};
}

}  // namespace

HWND CreatePlatformWindow(WindowProc proc) {
    if (!proc) proc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    auto hwnd = reinterpret_cast<HWND>(reg.next_window++);
    reg.windows[hwnd] =
        Window{CurrentQueue(lock), std::make_shared<const WindowProc>(std::move(proc))};
    return hwnd;
}

void DestroyPlatformWindow(HWND hwnd) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    auto it = reg.windows.find(hwnd);
    if (it == reg.windows.end()) return;
    std::shared_ptr<ThreadQueue> q = it->second.owner;
    reg.windows.erase(it);
    std::erase_if(q->posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    std::erase_if(q->timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
    std::erase_if(q->taken_timers, [hwnd](const auto& taken) { return taken.first.first == hwnd; });
    q->wake.notify_all();  // a GetMessageW filtered on this window must stop waiting
    std::erase_if(q->sent, [hwnd](const std::shared_ptr<PendingSend>& send) {
        if (send->msg.hwnd != hwnd) return false;
        Complete(*send, 0);
        return true;
    });
}

BOOL IsWindow(HWND hwnd) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    return FindWindow(hwnd) ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
    if (t_holder.queue) return t_holder.queue->thread_id;
    Lock lock(Reg().mutex);
    return CurrentQueue(lock)->thread_id;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    std::shared_ptr<ThreadQueue> q;
    if (hwnd == nullptr) {
        q = CurrentQueue(lock);
    } else if (const Window* w = FindWindow(hwnd)) {
        q = w->owner;
    } else {
        return FALSE;
    }
    q->posted.push_back(Posted(hwnd, msg, wParam, lParam));
    Signal(*q);
    return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    const Window* w = FindWindow(hwnd);
    if (!w) return 0;
    std::shared_ptr<ThreadQueue> self = CurrentQueue(lock);
    if (w->owner == self) {
        std::shared_ptr<const WindowProc> proc = w->proc;
        lock.unlock();
        return (*proc)(hwnd, msg, wParam, lParam);
    }
    auto send = std::make_shared<PendingSend>(PendingSend{Posted(hwnd, msg, wParam, lParam), self});
    std::shared_ptr<ThreadQueue> target = w->owner;
    target->sent.push_back(send);
    Signal(*target);
    while (!send->done) {
        RunIncomingSends(lock, *self);
        if (!send->done) self->wake.wait(lock);
    }
    return send->result;
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    auto it = reg.queues.find(threadId);
    if (it == reg.queues.end()) return FALSE;
    it->second->posted.push_back(Posted(nullptr, msg, wParam, lParam));
    Signal(*it->second);
    return TRUE;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) return -1;
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    q->runs_loop = true;
    for (;;) {
        RunIncomingSends(lock, *q);
        // Waiting on a window that is gone would never end.
        if (hwnd && hwnd != kThreadMessagesOnly && !FindWindow(hwnd)) return -1;
        if (auto m = TakeNext(*q, hwnd, filterMin, filterMax, true)) {
            *msg = *m;
            return m->message == WM_QUIT ? FALSE : TRUE;
        }
        WaitForWork(lock, *q, hwnd, filterMin, filterMax);
    }
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (!msg) return FALSE;
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    RunIncomingSends(lock, *q);
    auto m = TakeNext(*q, hwnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0);
    if (!m) return FALSE;
    *msg = *m;
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    std::shared_ptr<const WindowProc> proc;
    {
        Lock lock(Reg().mutex);
        const Window* w = FindWindow(msg->hwnd);
        if (!w || (msg->message == WM_TIMER && !TimerStillSet(*w, *msg))) return 0;
        proc = w->proc;
    }
    return proc ? (*proc)(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

void PostQuitMessage(int exitCode) {
    Lock lock(Reg().mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    q->quit_posted = exitCode;
    Signal(*q);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, void*) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    const Window* w = FindWindow(hwnd);
    if (!w) return 0;
    const UINT period = std::max(elapseMs, kMinTimerMs);
    const uint64_t due = platform::NowMs() + period;
    const uint64_t serial = reg.next_timer_serial++;
    ThreadQueue& q = *w->owner;
    auto it = std::find_if(q.timers.begin(), q.timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it != q.timers.end()) {
        *it = Timer{hwnd, id, period, due, serial};
    } else {
        q.timers.push_back(Timer{hwnd, id, period, due, serial});
    }
    // A loop waiting for the old next timer must re-arm for this one.
    Signal(q);
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    Registry& reg = Reg();
    Lock lock(reg.mutex);
    const Window* w = FindWindow(hwnd);
    if (!w) return FALSE;
    auto removed = std::erase_if(w->owner->timers,
                                 [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return removed ? TRUE : FALSE;
}

namespace platform {

int QueueWakeFd() {
    Lock lock(Reg().mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    if (q->wake_fd < 0) {
        q->wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (HasWork(*q)) SignalFd(*q);
    }
    return q->wake_fd;
}

int DispatchPending() {
    Lock lock(Reg().mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    if (q->wake_fd >= 0) {
        uint64_t count;
        [[maybe_unused]] ssize_t got = read(q->wake_fd, &count, sizeof count);
    }
    int dispatched = 0;
    for (;;) {
        RunIncomingSends(lock, *q);
        auto m = TakeNext(*q, nullptr, 0, 0, true);
        if (!m) break;
        if (m->message == WM_QUIT) {
            q->quit_seen = static_cast<int>(m->wParam);
            break;
        }
        lock.unlock();
        DispatchMessageW(&*m);
        ++dispatched;
        lock.lock();
    }
    return dispatched;
}

std::optional<int> TakeQuitMessage() {
    Lock lock(Reg().mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    std::optional<int> code = q->quit_seen;
    q->quit_seen.reset();
    return code;
}

std::optional<uint32_t> MsUntilNextTimer() {
    Lock lock(Reg().mutex);
    std::shared_ptr<ThreadQueue> q = CurrentQueue(lock);
    auto due = NextDue(*q, nullptr, 0, 0);
    if (!due) return std::nullopt;
    const uint64_t now = NowMs();
    if (*due <= now) return 0;
    return static_cast<uint32_t>(
        std::min<uint64_t>(*due - now, std::numeric_limits<uint32_t>::max()));
}

namespace test {
void Pump() {
    DispatchPending();
}
}  // namespace test

namespace detail {

void WakeAllQueues() {
    Lock lock(Reg().mutex);
    for (auto& [id, q] : Reg().queues) {
        q->wake.notify_all();
        if (HasWork(*q)) SignalFd(*q);
    }
}

std::optional<uint64_t> NextDueAfter(uint64_t now) {
    Lock lock(Reg().mutex);
    std::optional<uint64_t> next;
    auto consider = [&](uint64_t due) {
        if (due > now && (!next || due < *next)) next = due;
    };
    for (auto& [id, q] : Reg().queues) {
        for (const Timer& t : q->timers) consider(t.due);
        if (q->sleeping_until) consider(*q->sleeping_until);
    }
    return next;
}

void SleepUntil(uint64_t deadline, std::stop_token stop) {
    std::shared_ptr<ThreadQueue> q;
    {
        Lock lock(Reg().mutex);
        q = CurrentQueue(lock);
    }
    // Made before the lock is taken: a stop already requested runs the callback at once.
    const std::stop_callback wake_on_stop(stop, [&q] {
        Lock lock(Reg().mutex);
        q->wake.notify_all();
    });
    Lock lock(Reg().mutex);
    q->sleeping_until = deadline;
    NotifyIdleWatcher();
    q->wake.wait(lock,
                 [&] { return !DrivenClockOn() || NowMs() >= deadline || stop.stop_requested(); });
    q->sleeping_until.reset();
}

bool PumpUntilOthersIdle(std::chrono::milliseconds patience, bool pump_own) {
    const auto give_up = std::chrono::steady_clock::now() + patience;
    Registry& reg = Reg();
    for (;;) {
        // Others may wait on the caller: a SendMessageW to it, or a reply they need posted.
        if (pump_own) DispatchPending();
        Lock lock(reg.mutex);
        std::shared_ptr<ThreadQueue> self = CurrentQueue(lock);
        auto others_idle = [&] {
            return std::all_of(reg.queues.begin(), reg.queues.end(), [&](const auto& entry) {
                ThreadQueue& q = *entry.second;
                return &q == self.get() || !q.runs_loop || Settled(q);
            });
        };
        const auto own_work = [&] { return pump_own && HasWork(*self); };
        reg.idle_watcher = self.get();
        const bool woke =
            self->wake.wait_until(lock, give_up, [&] { return own_work() || others_idle(); });
        reg.idle_watcher = nullptr;
        if (!woke) return false;
        if (!own_work()) return true;
    }
}

}  // namespace detail
}  // namespace platform
