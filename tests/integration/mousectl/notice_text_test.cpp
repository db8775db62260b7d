// `watch` lines for every notice class, from the words the driver libraries deliver: those the
// simulated mouse cannot be made to send (the watch story shows the others).

#include "mousectl/notice_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "model/profile_defaults.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

TEST(NoticeTextTest, EveryNoticeClassReadsAsWords) {
    CResourceManager::GetInstance().LoadLanguage(std::string(std::getenv("NIMBA_SOURCE_DIR")) +
                                                 "/res/lan.xml");
    const auto profile = NewProfile(u"P");
    const auto text = [&](NoticeLink link, uint16_t word, uint16_t value) {
        return NoticeText(link, word, value, *profile);
    };
    const NoticeLink wireless = NoticeLink::kWireless;
    EXPECT_EQ(text(wireless, 0x2047, 2), "report rate 500 Hz");
    EXPECT_EQ(text(NoticeLink::kBle, 0x4047, 0x2803), "charging");
    EXPECT_EQ(text(wireless, 0x4047, 0x6402), "fully charged");
    // On the cable the mouse charges whatever status it gives, short of full.
    EXPECT_EQ(text(NoticeLink::kWired, 0x4047, 0x2800), "charging");
    EXPECT_EQ(text(wireless, 0x5047, 0), "acknowledged");
    EXPECT_EQ(text(wireless, 0x5047, 3), "refused (3)");
    EXPECT_EQ(text(wireless, 0x6047, 5), "notice 60 value 5");
    // Out of its class's range, or of no class: the program ignores it, the line says so.
    EXPECT_EQ(text(wireless, 0x1047, 9), "ignored notice 1047 0009");
    EXPECT_EQ(text(wireless, 0x3047, 1), "ignored notice 3047 0001");
}

}  // namespace
}  // namespace nimba::mousectl
