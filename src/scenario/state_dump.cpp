#include "scenario/state_dump.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QWidget>

#include "scenario/control_properties.h"
#include "scenario/sim_state_json.h"
#include "scenario/window_lookup.h"
#include "skin/window_impl_base.h"
#include "skin/window_z_order.h"

namespace nimba::scenario {
namespace {

// A Wayland compositor places every window itself and tells no client where: the geometry
// is then only what the program asked for.
bool CompositorPlaces() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QJsonObject DescribeWindow(WindowImplBase& window) {
    const QRect frame = window.GetWindowWidget()->geometry();
    QJsonArray controls;
    for (CControlUI* control : NamedControls(window)) controls.push_back(DescribeControl(*control));
    QJsonObject described{{"class", QString::fromStdString(WindowClass(window))},
                          {"shown", IsWindowShown(window)},
                          {"modal", window.IsInModalRun()},
                          {"x", frame.x()},
                          {"y", frame.y()},
                          {"width", frame.width()},
                          {"height", frame.height()},
                          {"controls", controls}};
    if (CompositorPlaces()) described["placed_by"] = QStringLiteral("compositor");
    return described;
}

QJsonObject DescribeLinks(const LinkFlags& links) {
    return QJsonObject{{"wired_link", links.wired_link},
                       {"wireless_link", links.wireless_link},
                       {"ble_link", links.ble_link},
                       {"any_link", links.any_link},
                       {"awaiting_device", links.awaiting_device},
                       {"wireless_awake", links.wireless_awake}};
}

}  // namespace

QJsonObject DumpState(const ScenarioHost& host, const ScenarioOptions& options, uint64_t time_ms) {
    QJsonArray windows;
    for (WindowImplBase* window : skin::WindowsInZOrder()) {
        if (window->GetWindowWidget() != nullptr) windows.push_back(DescribeWindow(*window));
    }
    QJsonObject dump{
        {"time_ms", static_cast<qint64>(time_ms)},
        {"windows", windows},
        {"tray", QJsonObject{{"shown", host.TrayShown()},
                             {"tooltip", QString::fromStdString(host.TrayTooltip())}}},
        {"links", DescribeLinks(host.Links())},
        {"data_directory", QString::fromStdString(host.DataDirectory())},
    };
    if (options.sim) {
        dump["sim"] = QJsonObject{
            {"state", SimStateJson(options.sim_state ? options.sim_state() : std::string())},
            {"log", SimLogJson(options.sim_log ? options.sim_log() : std::string())}};
    }
    return dump;
}

}  // namespace nimba::scenario
