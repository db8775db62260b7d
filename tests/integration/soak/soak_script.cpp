// nimba-soak-script SEED STEPS FOLDER
//
// Writes a scenario of STEPS random steps to standard output: edits of every settings group,
// profiles added, deleted, reset, switched, exported and imported, macros put on buttons, the
// cable, the receiver and Bluetooth LE plugged and pulled, the mouse's DPI and light buttons
// pressed, its battery changed, and random pauses between them. It keeps track of what the
// program must show so that every line can be carried out: the links (the window closes when
// the last one goes and the tray opens it again), which groups Bluetooth LE hides, the light
// mode it just chose, the number of profiles. It ends on the cable with a full apply that has
// time to finish, and leaves the end of the run to the reader. FOLDER is where exported profiles
// go, as the scenario's lines name it.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

class SoakScript {
public:
    SoakScript(unsigned seed, std::string folder) : random_(seed), folder_(std::move(folder)) {}

    void Write(long steps) {
        Line("start");
        Line("wait 200");
        // The sections that start closed, so every control of every group can be reached.
        for (const char* section : {"ms_1_check_light", "ms_1_check_angle_snap",
                                    "ms_1_check_mouse_attribute", "ms_1_check_ripple_control"})
            Line("click " + std::string(section));
        for (step_ = 0; step_ < steps; ++step_) {
            Step();
            Line("wait " + (Pick(0, 4) == 0 ? Number(500, 12000) : Number(1, 400)));
        }
        // The end: on the cable, after every pending write, a full apply of profile 2 (a
        // switch sends the whole profile, where the apply button sends what changed).
        SetLinks(true, receiver_, ble_);
        if (profiles_ == 1) AddProfile();
        Line("wait 3000");
        Line("select ms_1_list_profile 0");
        Line("wait 30000");
        Line("select ms_1_list_profile 1");
        Line("wait 30000");
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    std::string Number(int low, int high) { return std::to_string(Pick(low, high)); }

    void Line(const std::string& line) { std::printf("%s\n", line.c_str()); }

    bool OverBle() const { return !cable_ && !receiver_ && ble_; }

    void Step() {
        if (ble_ && !cable_) {
            maybe_hidden_ = true;
            if (rate_ == kOpen) rate_ = kUnknown;
            if (debounce_ == kOpen) debounce_ = kUnknown;
        }
        // Only the mouse can do something until a link comes back.
        if (!window_shown_) return Mouse();
        using Action = void (SoakScript::*)();
        static constexpr Action kActions[] = {
            &SoakScript::Mouse,          &SoakScript::Dpi,           &SoakScript::Dpi,
            &SoakScript::Lighting,       &SoakScript::RateAndPower,  &SoakScript::SensorOptions,
            &SoakScript::Button,         &SoakScript::MacroOnButton, &SoakScript::AddProfile,
            &SoakScript::DeleteProfile,  &SoakScript::PickProfile,   &SoakScript::ResetProfile,
            &SoakScript::ExportAndImport};
        const int pick = Pick(0, 16);  // past the table: the mouse's own events again
        (this->*kActions[pick < 13 ? pick : 0])();
    }

    void PickProfile() { Line("select ms_1_list_profile " + Number(0, profiles_ - 1)); }

    // Links, and the mouse's own buttons and battery.
    void Mouse() {
        const int what = Pick(0, 3);
        if (what == 0) return Line("sim press dpi");
        if (what == 1) return Line("sim press light");
        if (what == 2) return Line("sim battery " + Number(0, 100));
        const int link = Pick(0, 2);  // the one plugged or pulled
        SetLinks(cable_ != (link == 0), receiver_ != (link == 1), ble_ != (link == 2));
    }

    void SetLinks(bool cable, bool receiver, bool ble) {
        if (cable != cable_) Line(cable ? "sim cable in" : "sim cable out");
        if (receiver != receiver_) Line(receiver ? "sim receiver in" : "sim receiver out");
        if (ble != ble_) Line(ble ? "sim ble on" : "sim ble off");
        cable_ = cable;
        receiver_ = receiver;
        ble_ = ble;
        // Its arrival with no USB link hides both sections, closed; the cable shows them again.
        if (OverBle() && ble) rate_ = debounce_ = kClosed;
        if (cable) maybe_hidden_ = false;
        Line("wait 1100");
        if (!cable_ && !receiver_ && !ble_) {
            window_shown_ = false;
        } else if (!window_shown_) {
            Line("tray click");
            Line("wait 100");
            window_shown_ = true;
        }
    }

    void Dpi() {
        const std::string stage = Number(1, 8);
        const int what = Pick(0, 3);
        if (what == 0) return Line("slide ms_1_slider_dpi_" + stage + " " + Number(1, 220));
        if (what == 1) return Line("click ms_1_option_dpi_step_" + Number(1, 4));
        Line(what == 2 ? "click ms_1_btn_apply_dpi" : "click ms_1_btn_reset_dpi");
    }

    void Lighting() {
        if (OverBle()) return Line("select ms_1_combo_light_ble " + Number(0, 2));
        const int mode = Pick(0, 11);
        Line("select ms_1_combo_light " + std::to_string(mode));
        if (ble_) return;
        if (mode == 1) Line("slide ms_1_slider_brightness " + Number(1, 15));
        if (mode == 2) Line("slide ms_1_slider_breathspeed " + Number(0, 9));
    }

    // The report rate and debounce sections: Bluetooth LE without the cable hides and closes
    // them whenever the program looks at the links (the receiver's mouse falling silent is
    // one such moment, and no line of ours says when), so they are left alone until it is
    // certain again whether they are open.
    enum Section { kOpen, kClosed, kUnknown };

    void Open(Section& section, const char* check) {
        if (section == kClosed) Line(std::string("click ") + check);
        section = kOpen;
    }

    void RateAndPower() {
        const bool usable = !maybe_hidden_ && rate_ != kUnknown && debounce_ != kUnknown;
        const int what = usable ? Pick(0, 3) : Pick(2, 3);
        if (what == 0) {
            Open(rate_, "ms_1_check_prate");
            return Line("click ms_1_btn_prate_" + Number(1, 4));
        }
        if (what == 1) {
            Open(debounce_, "ms_1_check_key_debounce");
            return Line("slide ms_1_slider_key_debounce " + Number(1, 16));
        }
        Line((what == 2 ? "slide ms_1_slider_sleep_timer " : "slide ms_1_slider_light_off ") +
             Number(1, 60));
    }

    void SensorOptions() {
        Line(std::string("click ms_1_option_") +
             (Pick(0, 1) == 0 ? "angle_snap_" : "ripple_control_") + Number(1, 2));
    }

    // Button 1 keeps the left click, so no choice is refused.
    void Button() {
        static const char* const kFunctions[] = {
            "ms_1_click",     "ms_1_menu", "ms_1_copy",      "ms_1_forward",  "ms_1_backward",
            "ms_1_dpi_cycle", "ms_1_mute", "ms_1_volume_up", "ms_1_scroll_up"};
        Line("click ms_1_btn_key_" + Number(2, 12));
        Line(std::string("menu ") + kFunctions[Pick(0, 8)]);
        Line("wait 100");
    }

    // The store holds one macro from the start.
    void MacroOnButton() {
        Line("click ms_1_btn_key_" + Number(2, 12));
        Line("menu ms_1_select_macro");
        Line("wait 100");
        Line("select list_macro 0");
        Line("click btn_ok");
    }

    void AddProfile() {
        if (profiles_ >= kMostProfiles) return DeleteProfile();
        Line("click ms_1_profile_add_btn");
        Line("type edit_name S" + std::to_string(step_));
        Line("click btn_ok");
        ++profiles_;
    }

    // The last profile is refused with a message, which the same button closes.
    void DeleteProfile() {
        Line("click ms_1_profile_delete_btn");
        Line("click btn_ok");
        if (profiles_ > 1) --profiles_;
    }

    void ResetProfile() {
        Line(Pick(0, 1) == 0 ? "click ms_1_btn_reset" : "click ms_1_profile_reset_btn");
        Line("click btn_ok");
    }

    void ExportAndImport() {
        // A few names, each export replacing the file of an earlier one.
        const std::string file = folder_ + "/export" + std::to_string(step_ % 8);
        Line("file " + file);
        Line("click ms_1_profile_export_btn");
        if (profiles_ >= kMostProfiles) return;
        Line("file " + file + ".pro");
        Line("click ms_1_profile_import_btn");
        ++profiles_;
    }

    // Enough for switches among many, few enough that a switch's apply stays short.
    static constexpr int kMostProfiles = 12;

    std::mt19937 random_;
    std::string folder_;
    long step_ = 0;  // names what the step adds or exports
    bool cable_ = false;
    bool receiver_ = true;
    bool ble_ = false;
    bool window_shown_ = true;
    int profiles_ = 1;
    Section rate_ = kOpen;
    Section debounce_ = kClosed;
    bool maybe_hidden_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SEED STEPS FOLDER\n", argv[0]);
        return 2;
    }
    SoakScript(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)), argv[3])
        .Write(std::strtol(argv[2], nullptr, 10));
    return 0;
}
