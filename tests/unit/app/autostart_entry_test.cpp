// The autostart entry must be one the desktop accepts and that starts this very program,
// wherever it lives; turning it off must leave nothing behind.

#include "app/autostart_entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_folder.h"

namespace nimba {
namespace {

TEST(AutostartEntry, StartsTheProgramAtAnyPathAndGoesAwayWhenTurnedOff) {
    testing::TestFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);

    ASSERT_TRUE(SetAutostart(true, "/opt/my \"mice\"/$HOME/100%/back\\slash/nimba-mouse"));
    EXPECT_TRUE(AutostartEnabled());
    const auto bytes = testing::ReadBytes(folder.path() + "autostart/com.nimba.r380x.desktop");
    const std::string entry(bytes.begin(), bytes.end());
    EXPECT_NE(entry.find("\nExec=env NIMBA_AUTOSTART=1 "
                         R"("/opt/my \\"mice\\"/\\$HOME/100%%/back\\\\slash/nimba-mouse")"
                         "\n"),
              std::string::npos)
        << entry;
    const std::string validate = "desktop-file-validate '" + AutostartEntryPath() + "'";
    EXPECT_EQ(std::system(validate.c_str()), 0);

    ASSERT_TRUE(SetAutostart(false, {}));
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_TRUE(SetAutostart(false, {}));  // already off
}

TEST(AutostartEntry, TheRequestIsTakenOnceAndNotPassedOn) {
    ::setenv(kAutostartVariable, "1", 1);
    EXPECT_TRUE(TakeAutostartRequest());
    EXPECT_EQ(std::getenv(kAutostartVariable), nullptr);
    EXPECT_FALSE(TakeAutostartRequest());
}

}  // namespace
}  // namespace nimba
