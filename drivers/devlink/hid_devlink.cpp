// The driver library over hidapi: one mouse interface, selected by vendor and product id.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "devlink.h"
#include "hid_access.h"
#include "input_report.h"
#include "platform/messages.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPresencePollPeriod = 500ms;
constexpr int kReadTimeoutMs = 100;
constexpr size_t kInputReportMax = 64;

using nimba::devlink::CloseInterface;
using nimba::devlink::FindVendorInterface;
using nimba::devlink::OpenInterface;

std::mutex g_mutex;  // guards the selection and the feature handle
int g_vendor_id = 0;
int g_product_id = 0;
hid_device* g_feature_device = nullptr;

// Follows one device: presence by polling the enumeration, notices from its input reports.
class Monitor {
public:
    Monitor(HWND window, UINT noticeMessage, UINT presenceMessage, int vendorId, int productId)
        : window_(window),
          notice_message_(noticeMessage),
          presence_message_(presenceMessage),
          vendor_id_(vendorId),
          product_id_(productId),
          thread_([this] { Run(); }) {}

    ~Monitor() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    void Run() {
        std::optional<std::string> path = FindVendorInterface(vendor_id_, product_id_);
        bool present = path.has_value();
        hid_device* input = present ? OpenInterface(*path) : nullptr;
        auto next_poll = std::chrono::steady_clock::now() + kPresencePollPeriod;
        while (!Stopping()) {
            if (input != nullptr) {
                if (!ReadNotices(input)) {
                    CloseInterface(input);
                    input = nullptr;
                }
            } else {
                std::unique_lock lock(mutex_);
                wake_.wait_for(lock, std::chrono::milliseconds(kReadTimeoutMs),
                               [this] { return stop_; });
            }
            if (std::chrono::steady_clock::now() < next_poll) continue;
            next_poll = std::chrono::steady_clock::now() + kPresencePollPeriod;
            path = FindVendorInterface(vendor_id_, product_id_);
            if (path.has_value() != present) {
                present = path.has_value();
                PostMessageW(window_, presence_message_, present ? 1 : 0, 0);
            }
            if (present && input == nullptr) input = OpenInterface(*path);
            if (!present && input != nullptr) {
                CloseInterface(input);
                input = nullptr;
            }
        }
        if (input != nullptr) CloseInterface(input);
    }

    // False when the device stopped answering.
    bool ReadNotices(hid_device* input) {
        uint8_t buffer[kInputReportMax];
        const int read = hid_read_timeout(input, buffer, sizeof buffer, kReadTimeoutMs);
        if (read < 0) return false;
        for (const auto& notice :
             nimba::devlink::ParseInputReport(buffer, static_cast<size_t>(read))) {
            PostMessageW(window_, notice_message_, notice.word, notice.value);
        }
        return true;
    }

    bool Stopping() {
        std::lock_guard lock(mutex_);
        return stop_;
    }

    const HWND window_;
    const UINT notice_message_;
    const UINT presence_message_;
    const int vendor_id_;
    const int product_id_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;  // last: starts once everything above is set
};

std::mutex g_monitor_mutex;
std::unique_ptr<Monitor> g_monitor;

// Unloading the library must not leave its thread running in unmapped code, nor a device open.
struct OnUnload {
    ~OnUnload() {
        Close_DevMonitor();
        Close_FeatureDevice();
    }
} g_on_unload;

}  // namespace

extern "C" {

void Set_VIDPID(int vendorId, int productId) {
    std::lock_guard lock(g_mutex);
    g_vendor_id = vendorId;
    g_product_id = productId;
}

void Open_DevMonitor(HWND window, UINT noticeMessage, UINT presenceMessage) {
    int vendorId = 0;
    int productId = 0;
    {
        std::lock_guard lock(g_mutex);
        vendorId = g_vendor_id;
        productId = g_product_id;
    }
    std::lock_guard lock(g_monitor_mutex);
    g_monitor.reset();
    g_monitor =
        std::make_unique<Monitor>(window, noticeMessage, presenceMessage, vendorId, productId);
}

void Close_DevMonitor() {
    std::lock_guard lock(g_monitor_mutex);
    g_monitor.reset();
}

int Open_FeatureDevice() {
    std::lock_guard lock(g_mutex);
    if (g_feature_device != nullptr) return 1;
    const std::optional<std::string> path = FindVendorInterface(g_vendor_id, g_product_id);
    if (!path) return 0;
    g_feature_device = OpenInterface(*path);
    return g_feature_device != nullptr ? 1 : 0;
}

void Close_FeatureDevice() {
    std::lock_guard lock(g_mutex);
    if (g_feature_device != nullptr) CloseInterface(g_feature_device);
    g_feature_device = nullptr;
}

int SetFeature(const BYTE* report, int length) {
    std::lock_guard lock(g_mutex);
    if (g_feature_device == nullptr || report == nullptr || length <= 0) return 0;
    return hid_send_feature_report(g_feature_device, report, static_cast<size_t>(length)) >= 0 ? 1
                                                                                               : 0;
}

int GetFeature(BYTE*, int) {
    return 0;
}

}  // extern "C"
