#include "app/front_window_watcher.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "persistence/program_rules.h"

namespace nimba {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

constexpr int kRowIconSize = 16;
// Room for icons up to 256 x 256 and a few smaller ones.
constexpr uint32_t kMaxIconValues = 100000;

void AddName(ProgramNames& names, std::string name) {
    if (!IsProgramName(name)) return;
    if (std::ranges::none_of(names, [&](const std::string& n) { return n == name; }))
        names.push_back(std::move(name));
}

// The process's own name and its executable's.
void AddProcessNames(ProgramNames& names, uint32_t pid) {
    const std::string folder = "/proc/" + std::to_string(pid) + "/";
    std::ifstream comm(folder + "comm");
    std::string name;
    if (std::getline(comm, name)) AddName(names, name);
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink(folder + "exe", error);
    if (!error) AddName(names, exe.filename().string());
}

}  // namespace

FrontWindowWatcher::~FrontWindowWatcher() {
    notifier_.reset();
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

bool FrontWindowWatcher::Start(Listener listener) {
    int screen_number = 0;
    connection_ = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
    root_ = screens.data->root;
    active_window_ = Atom(connection_, "_NET_ACTIVE_WINDOW");
    client_list_ = Atom(connection_, "_NET_CLIENT_LIST");
    pid_ = Atom(connection_, "_NET_WM_PID");
    icon_ = Atom(connection_, "_NET_WM_ICON");
    listener_ = std::move(listener);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    ReportFront();
    return true;
}

void FrontWindowWatcher::OnReadable() {
    bool changed = TakeEvents(true);
    // Replies read for the report may have brought further events along.
    while (changed) {
        ReportFront();
        changed = TakeEvents(false);
    }
    if (xcb_connection_has_error(connection_) != 0) notifier_->setEnabled(false);
}

bool FrontWindowWatcher::TakeEvents(bool from_socket) {
    bool changed = false;
    while (xcb_generic_event_t* event = from_socket ? xcb_poll_for_event(connection_)
                                                    : xcb_poll_for_queued_event(connection_)) {
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
            changed |= notify->window == root_ && notify->atom == active_window_;
        }
        std::free(event);
    }
    return changed;
}

void FrontWindowWatcher::ReportFront() {
    const std::vector<uint32_t> active = WindowProperty(root_, active_window_);
    const xcb_window_t window = active.empty() ? 0 : active.front();
    if (window == front_) return;
    front_ = window;
    listener_(window != 0 ? NamesOf(window) : std::nullopt);
}

std::optional<ProgramNames> FrontWindowWatcher::NamesOf(xcb_window_t window) {
    const std::vector<uint32_t> pid = WindowProperty(window, pid_);
    if (!pid.empty() && pid.front() == static_cast<uint32_t>(::getpid())) return std::nullopt;
    ProgramNames names;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
        nullptr);
    if (reply != nullptr) {
        // Instance and class, each ended by a NUL.
        const auto* text = static_cast<const char*>(xcb_get_property_value(reply));
        const std::string value(text, static_cast<size_t>(xcb_get_property_value_length(reply)));
        for (size_t begin = 0; begin < value.size();) {
            const size_t end = std::min(value.find('\0', begin), value.size());
            AddName(names, value.substr(begin, end - begin));
            begin = end + 1;
        }
        std::free(reply);
    }
    if (!pid.empty()) AddProcessNames(names, pid.front());
    if (names.empty()) return std::nullopt;
    return names;
}

QImage FrontWindowWatcher::IconOf(xcb_window_t window) {
    // Icons of every size follow each other, each as width, height and ARGB pixels; the
    // smallest that is not smaller than a row's icon is taken, else the largest.
    const std::vector<uint32_t> data = WindowProperty(window, icon_, kMaxIconValues);
    QImage best;
    for (size_t i = 0; i + 2 <= data.size();) {
        const uint32_t width = data[i], height = data[i + 1];
        const size_t count = static_cast<size_t>(width) * height;
        if (count == 0 || count > data.size() - i - 2) break;
        const int w = static_cast<int>(width);
        if (best.isNull() || (best.width() < kRowIconSize && w > best.width()) ||
            (w >= kRowIconSize && w < best.width())) {
            best = QImage(w, static_cast<int>(height), QImage::Format_ARGB32);
            for (uint32_t y = 0; y < height; ++y)
                std::memcpy(best.scanLine(static_cast<int>(y)), &data[i + 2 + y * width],
                            width * 4);
        }
        i += 2 + count;
    }
    return best;
}

std::vector<uint32_t> FrontWindowWatcher::WindowProperty(xcb_window_t window, xcb_atom_t property,
                                                         uint32_t max_values) {
    std::vector<uint32_t> values;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(connection_,
                               xcb_get_property(connection_, 0, window, property,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, max_values),
                               nullptr);
    if (reply == nullptr) return values;
    if (reply->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

std::vector<WindowedProgram> FrontWindowWatcher::WindowedPrograms() {
    std::vector<WindowedProgram> programs;
    if (connection_ == nullptr) return programs;
    for (const uint32_t window : WindowProperty(root_, client_list_)) {
        const auto names = NamesOf(window);
        if (!names || std::ranges::any_of(programs, [&](const WindowedProgram& p) {
                return p.name == names->front();
            }))
            continue;
        programs.push_back({names->front(), IconOf(window)});
    }
    std::ranges::sort(programs, {}, &WindowedProgram::name);
    // The replies may have brought a change of the front window along.
    if (TakeEvents(false)) ReportFront();
    return programs;
}

}  // namespace nimba
