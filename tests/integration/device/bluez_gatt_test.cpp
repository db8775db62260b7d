// The Bluetooth LE transport over bin/'s Bluetooth library against a mock BlueZ: the mouse is
// found by its Modalias and address among other devices, reports are written with a response
// to the first service that takes them, and notifications flow until they are closed.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <thread>

#include "device/gatt_ble_transport.h"
#include "mock_bluez.h"

namespace nimba {
namespace {

using test::BusObject;
using test::MockBluez;
using test::ObjectPath;
using test::PrivateBus;

constexpr char kMouse[] = "/org/bluez/hci0/dev_D0_F0_F1_A2_B3_C4";
constexpr char kKeyboard[] = "/org/bluez/hci0/dev_11_22_33_44_55_66";
const std::string kFirstWrite = std::string(kMouse) + "/service000c/char000d";
const std::string kFirstNotify = std::string(kMouse) + "/service000c/char0010";
const std::string kSecondWrite = std::string(kMouse) + "/service0020/char0021";
const std::string kSecondNotify = std::string(kMouse) + "/service0020/char0024";

std::string Uuid(const char* short_uuid) {
    return std::string("0000") + short_uuid + "-0000-1000-8000-00805f9b34fb";
}

BusObject Device(const std::string& path, const char* address, const char* modalias) {
    return {path,
            "org.bluez.Device1",
            {{"Address", std::string(address)},
             {"Name", std::string("device")},
             {"Connected", true},
             {"Modalias", std::string(modalias)}}};
}

// A vendor service with the write and the notify characteristic, handles from `first`.
std::vector<BusObject> VendorService(const std::string& device, int first) {
    char name[16];
    std::snprintf(name, sizeof name, "/service%04x", first);
    const std::string service = device + name;
    std::snprintf(name, sizeof name, "/char%04x", first + 1);
    const std::string write = service + name;
    std::snprintf(name, sizeof name, "/char%04x", first + 4);
    const std::string notify = service + name;
    std::snprintf(name, sizeof name, "/desc%04x", first + 6);
    using Flags = std::vector<std::string>;
    return {
        {service,
         "org.bluez.GattService1",
         {{"UUID", Uuid("fee0")}, {"Device", ObjectPath{device}}}},
        {write,
         "org.bluez.GattCharacteristic1",
         {{"UUID", Uuid("fee3")}, {"Service", ObjectPath{service}}, {"Flags", Flags{"write"}}}},
        {notify,
         "org.bluez.GattCharacteristic1",
         {{"UUID", Uuid("fee4")}, {"Service", ObjectPath{service}}, {"Flags", Flags{"notify"}}}},
        {notify + name,
         "org.bluez.GattDescriptor1",
         {{"UUID", Uuid("2902")}, {"Characteristic", ObjectPath{notify}}}},
    };
}

class BluezGattTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bus_ = std::make_unique<PrivateBus>(); }
    static void TearDownTestSuite() { bus_.reset(); }

    void SetUp() override {
        // Another connected device with the same vendor service, which must never be written.
        std::vector<BusObject> objects{
            Device(kKeyboard, "11:22:33:44:55:66", "usb:v046Dp4023d0001"),
            Device(kMouse, "D0:F0:F1:A2:B3:C4", "usb:v045Ep0047d0001")};
        for (const auto& list : {VendorService(kKeyboard, 0x0a), VendorService(kMouse, 0x0c),
                                 VendorService(kMouse, 0x20)})
            objects.insert(objects.end(), list.begin(), list.end());
        bluez_ = std::make_unique<MockBluez>(bus_->address(), objects);
        ASSERT_TRUE(transport_.Load(std::string(NIMBA_BIN) + "/BluetoothApis.dll"));
        // The paths the library makes carry the ids and the address in lower case, so only the
        // upper-casing of the search finds them.
        transport_.SetMatchStrings("VID&02045E", "PID&0047");
    }
    void TearDown() override {
        transport_.Unload();
        bluez_.reset();
    }

    static std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<MockBluez> bluez_;
    GattBleTransport transport_;
};

std::unique_ptr<PrivateBus> BluezGattTest::bus_;

TEST_F(BluezGattTest, ReportsGoToTheFirstServiceThatTakesThemWholeAndWithAResponse) {
    const std::vector<uint8_t> rate{0x06, 0x09, 0x01, 0x03, 0, 0, 0, 0, 0xF3};
    EXPECT_EQ(transport_.BleWriteReport(rate.data(), rate.size()), 1);
    std::vector<uint8_t> macro(131, 0x5A);
    EXPECT_EQ(transport_.BleWriteReport(macro.data(), macro.size()), 1);
    const auto writes = bluez_->writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].path, kFirstWrite);
    EXPECT_EQ(writes[0].value, rate);
    EXPECT_EQ(writes[0].type, "request");
    EXPECT_EQ(writes[1].value, macro);

    // Longer than the value block holds, or no mouse to match: refused before anything is sent.
    std::vector<uint8_t> too_long(997, 1);
    EXPECT_EQ(transport_.BleWriteReport(too_long.data(), too_long.size()), 0);
    transport_.SetMatchStrings("", "");
    EXPECT_EQ(transport_.BleWriteReport(rate.data(), rate.size()), 0);
    EXPECT_EQ(bluez_->writes().size(), 2u);

    // A write the first service refuses goes to the second; both refusing, it fails.
    transport_.SetMatchStrings("VID&02045E", "PID&0047");
    bluez_->RejectWritesTo(kFirstWrite);
    EXPECT_EQ(transport_.BleWriteReport(rate.data(), rate.size()), 1);
    ASSERT_EQ(bluez_->writes().size(), 3u);
    EXPECT_EQ(bluez_->writes()[2].path, kSecondWrite);
    bluez_->RejectWritesTo(kSecondWrite);
    EXPECT_EQ(transport_.BleWriteReport(rate.data(), rate.size()), 0);
    EXPECT_EQ(bluez_->writes().size(), 3u);
}

TEST_F(BluezGattTest, BothServicesNotifyUntilTheNotificationsAreClosed) {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::vector<uint8_t>> values;
    transport_.BleOpenNotifications([&](const uint8_t* data, uint32_t size) {
        std::lock_guard lock(mutex);
        values.emplace_back(data, data + size);
        arrived.notify_all();
    });
    EXPECT_EQ(bluez_->notifying(), (std::set<std::string>{kFirstNotify, kSecondNotify}));

    bluez_->SendValue(kSecondNotify, {0x47, 0x10, 0x03, 0x00});
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(
            arrived.wait_for(lock, std::chrono::seconds(5), [&] { return !values.empty(); }));
        EXPECT_EQ(values[0], (std::vector<uint8_t>{0x47, 0x10, 0x03, 0x00}));
    }

    transport_.BleCloseNotifications();
    EXPECT_TRUE(bluez_->notifying().empty());
    bluez_->SendValue(kFirstNotify, {0x47, 0x40, 0x00, 0x50});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::lock_guard lock(mutex);
    EXPECT_EQ(values.size(), 1u);
}

}  // namespace
}  // namespace nimba
