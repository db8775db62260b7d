#include "page/desktop_mouse_settings.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>

#include "platform/debug_output.h"
#include "platform/text_encoding.h"

namespace nimba {
namespace {

struct DesktopSettings {
    std::string_view desktop;  // as XDG_CURRENT_DESKTOP names it, compared ignoring case
    std::vector<std::string> command;
};

const std::vector<DesktopSettings>& KnownDesktops() {
    static const std::vector<DesktopSettings> desktops = {
        {"GNOME", {"gnome-control-center", "mouse"}},
        {"KDE", {"systemsettings", "kcm_mouse"}},
        {"XFCE", {"xfce4-mouse-settings"}},
        {"X-Cinnamon", {"cinnamon-settings", "mouse"}},
        {"Cinnamon", {"cinnamon-settings", "mouse"}},
        {"MATE", {"mate-mouse-properties"}},
        {"LXQt", {"lxqt-config-input"}},
    };
    return desktops;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

DesktopLauncher& TestLauncher() {
    static DesktopLauncher launcher;
    return launcher;
}

void TraceSettings(const std::string& text) {
    Trace("mouse settings: " + text);
}

bool StartDetached(const std::vector<std::string>& command) {
    QStringList arguments;
    for (size_t i = 1; i < command.size(); ++i) arguments << QString::fromStdString(command[i]);
    return QProcess::startDetached(QString::fromStdString(command.front()), arguments);
}

}  // namespace

std::vector<std::string> DesktopMouseSettingsCommand(std::string_view current_desktop) {
    while (!current_desktop.empty()) {
        const size_t colon = current_desktop.find(':');
        const std::string_view name = current_desktop.substr(0, colon);
        for (const DesktopSettings& known : KnownDesktops()) {
            if (SameIgnoringCase(name, known.desktop)) return known.command;
        }
        if (colon == std::string_view::npos) break;
        current_desktop.remove_prefix(colon + 1);
    }
    return {};
}

void OpenDesktopMouseSettings() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::vector<std::string> command =
        DesktopMouseSettingsCommand(desktop != nullptr ? desktop : "");
    if (command.empty()) {
        TraceSettings(std::string("no known desktop in XDG_CURRENT_DESKTOP \"") +
                      (desktop != nullptr ? desktop : "") + "\"");
        return;
    }
    const bool started = TestLauncher() ? TestLauncher()(command) : StartDetached(command);
    if (!started) TraceSettings(command.front() + " did not start");
}

void SetDesktopLauncherForTest(DesktopLauncher launcher) {
    TestLauncher() = std::move(launcher);
}

}  // namespace nimba
