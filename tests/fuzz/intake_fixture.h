#pragma once

// The device event intake on recording stand-ins, in virtual time, and what must hold after
// any notice from the mouse: the fields a notice writes stay within what the profile can hold,
// the battery bar within 0..100, and the DPI the page announces is one of the profile's stages.

#include <algorithm>

#include "device/device_messages.h"
#include "fuzz_check.h"
#include "intake_rig.h"

namespace nimba::fuzz {

struct IntakeFixture : test::IntakeRig {
    // Lets posted notices and a little time (the charging animation) run, then checks.
    void Settle() {
        platform::test::Pump();
        platform::test::AdvanceBy(30);
        for (const ProfileRecord& p : {profile.Current(), snapshot.Get()}) {
            FUZZ_CHECK(p.current_dpi_stage >= 0 && p.current_dpi_stage < kDpiStages);
            FUZZ_CHECK(p.report_rate >= 0 && p.report_rate <= 3);
            FUZZ_CHECK(p.light_mode >= 0 && p.light_mode <= 15);
        }
        FUZZ_CHECK(controls.dpi_stage >= 0 && controls.dpi_stage <= kDpiStages);
        for (const int value : controls.progress) FUZZ_CHECK(value >= 0 && value <= 100);
        const ProfileRecord current = profile.Current();
        for (const test::Posted& posted : window.Take()) {
            if (posted.message != kDpiNoticeMessage) continue;
            FUZZ_CHECK(std::find(std::begin(current.dpi_x), std::end(current.dpi_x),
                                 posted.lParam) != std::end(current.dpi_x));
        }
        controls.progress.clear();
    }
};

}  // namespace nimba::fuzz
