// The autostart entry must be one the desktop accepts and that starts this very program,
// wherever it lives; turning it off must leave nothing behind.

#include "app/autostart_entry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace nimba {
namespace {

TEST(AutostartEntry, StartsTheProgramAtAnyPathAndGoesAwayWhenTurnedOff) {
    std::string folder = (std::filesystem::temp_directory_path() / "nimba-autostart-XXXXXX");
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

    ASSERT_TRUE(SetAutostart(true, "/opt/my \"mice\"/$HOME/100%/back\\slash/nimba-mouse"));
    EXPECT_TRUE(AutostartEnabled());
    std::ifstream file(folder + "/autostart/com.nimba.r380x.desktop");
    std::stringstream entry;
    entry << file.rdbuf();
    EXPECT_NE(entry.str().find("\nExec=env NIMBA_AUTOSTART=1 "
                               R"("/opt/my \\"mice\\"/\\$HOME/100%%/back\\\\slash/nimba-mouse")"
                               "\n"),
              std::string::npos)
        << entry.str();
    const std::string validate = "desktop-file-validate '" + AutostartEntryPath() + "'";
    EXPECT_EQ(std::system(validate.c_str()), 0);

    ASSERT_TRUE(SetAutostart(false, {}));
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_TRUE(SetAutostart(false, {}));  // already off
    std::filesystem::remove_all(folder);
}

TEST(AutostartEntry, TheRequestIsTakenOnceAndNotPassedOn) {
    ::setenv(kAutostartVariable, "1", 1);
    EXPECT_TRUE(TakeAutostartRequest());
    EXPECT_EQ(std::getenv(kAutostartVariable), nullptr);
    EXPECT_FALSE(TakeAutostartRequest());
}

}  // namespace
}  // namespace nimba
