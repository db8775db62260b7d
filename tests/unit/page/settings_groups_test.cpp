// What the page's groups do with notifications that no person's input through the running
// program can bring about in a scripted story: a profile change while a DPI edit keeps the
// focus, the Bluetooth LE effect list, a list left without a choice.

#include <gtest/gtest.h>

#include "model/profile_defaults.h"
#include "page/dpi_stages.h"
#include "page/lighting_controls.h"
#include "skin_tree.h"

namespace nimba {
namespace {

// The page as the groups see it: one profile shown at a time, edits and apply requests counted.
class FakeHost : public SettingsHost {
public:
    FakeHost() { FillProfileDefaults(current); }

    bool EditCurrent(const std::function<void(ProfileRecord&)>& change) override {
        ++edits;
        change(current);
        return true;
    }
    bool CopyCurrent(ProfileRecord& profile) const override {
        profile = current;
        return true;
    }
    void ShowProfile() override {}
    void RequestApply() override { ++applies; }
    void RequestApplySoon(UINT) override { ++delayed_applies; }
    void SaveProfiles() override {}
    HWND Window() const override { return nullptr; }

    ProfileRecord current{};
    int edits = 0;
    int applies = 0;
    int delayed_applies = 0;
};

class SettingsGroupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(skin_.root, nullptr);
        find_ = [this](std::u16string_view name) { return skin_.Find(name); };
    }

    // A notification as the control would raise it.
    static void Raise(auto& group, const std::u16string& type, CControlUI* sender) {
        ASSERT_NE(sender, nullptr);
        TNotifyUI msg;
        msg.sType = type;
        msg.pSender = sender;
        EXPECT_TRUE(group.Handle(msg));
    }

    test::SkinTree skin_ = test::LoadSkin(u"main.xml");
    ControlFinder find_;
    FakeHost host_;
};

TEST_F(SettingsGroupsTest, ATypedDpiValueNeverReachesTheProfileShownAfterIt) {
    DpiStages stages(host_);
    stages.Bind(find_);
    stages.Show(host_.current);
    CControlUI* edit = skin_.Find(u"ms_1_edit_dpi_3");
    edit->SetText(u"4000");
    Raise(stages, notify_type::kTextChanged, edit);

    // Another profile comes while the edit still has the focus; then the focus leaves.
    ProfileRecord other{};
    FillProfileDefaults(other);
    other.dpi_x[2] = 30;
    host_.current = other;
    stages.Show(host_.current);
    host_.edits = 0;
    Raise(stages, notify_type::kKillFocus, edit);
    EXPECT_EQ(host_.edits, 0);
    EXPECT_EQ(host_.current.dpi_x[2], 30);
    EXPECT_EQ(edit->GetText(), u"1500");

    // Typed into the profile now shown, it is that profile's.
    edit->SetText(u"4000");
    Raise(stages, notify_type::kTextChanged, edit);
    Raise(stages, notify_type::kKillFocus, edit);
    EXPECT_EQ(host_.current.dpi_x[2], 80);
    EXPECT_EQ(host_.applies, 0);
}

TEST_F(SettingsGroupsTest, EachLinkOffersItsOwnEffectList) {
    LightingControls lighting(host_);
    lighting.Bind(find_);
    CControlUI* usb_row = skin_.Find(u"ms_1_hor_light_mode");
    CControlUI* ble_row = skin_.Find(u"ms_1_hor_light_mode_ble");
    ASSERT_NE(usb_row, nullptr);
    ASSERT_NE(ble_row, nullptr);
    const auto shown = [&](int wired, int wireless, int ble) {
        LinkState links;
        links.wired_link = wired;
        links.wireless_link = wireless;
        links.ble_link = ble;
        lighting.ShowLinks(links);
        return std::pair{usb_row->IsVisible(), ble_row->IsVisible()};
    };
    EXPECT_EQ(shown(1, 0, 0), std::pair(true, false));
    EXPECT_EQ(shown(0, 1, 0), std::pair(true, false));
    EXPECT_EQ(shown(0, 0, 1), std::pair(false, true));
    EXPECT_EQ(shown(1, 1, 1), std::pair(true, true));
    // Removed links (2) count as gone; with nothing there both lists stay offered.
    EXPECT_EQ(shown(2, 2, 0), std::pair(true, true));
}

TEST_F(SettingsGroupsTest, EffectListsLeftWithoutAChoiceStoreNothingAndTheBleOneDecidesNoControls) {
    LightingControls lighting(host_);
    lighting.Bind(find_);
    lighting.Show(host_.current);
    lighting.RefreshControls(host_.current.light_mode);
    for (const char16_t* name : {u"ms_1_combo_light", u"ms_1_combo_light_ble"}) {
        auto* list = dynamic_cast<CComboUI*>(skin_.Find(name));
        ASSERT_NE(list, nullptr);
        list->SelectItem(-1);
        Raise(lighting, notify_type::kItemSelect, list);
    }
    EXPECT_EQ(host_.edits, 0);
    EXPECT_EQ(host_.delayed_applies, 0);
    EXPECT_EQ(host_.current.light_mode, 0);
    EXPECT_EQ(host_.current.light_mode_ble, 3);

    auto* ble_list = dynamic_cast<CComboUI*>(skin_.Find(u"ms_1_combo_light_ble"));
    ble_list->SelectItem(1);
    Raise(lighting, notify_type::kItemSelect, ble_list);
    EXPECT_EQ(host_.current.light_mode_ble, 1);
    EXPECT_EQ(host_.delayed_applies, 1);
    EXPECT_FALSE(skin_.Find(u"ms_1_ver_brightness")->IsVisible());
    EXPECT_FALSE(skin_.Find(u"ms_1_hor_light_color")->IsVisible());
}

}  // namespace
}  // namespace nimba
