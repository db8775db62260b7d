#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "macro/macro_record.h"
#include "persistence/profile_store.h"
#include "run_command.h"
#include "test_folder.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;
using test::RunResult;
using testing::ReadBytes;
using testing::WriteBytes;

// Each test runs the program from its own copy of the program folder, as the app runs from
// wherever it is installed, and finds its stores beside it.
class StoreCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = folder_.path() + "program/";
        fs::create_directories(program_ + "res");
        fs::copy_file(fs::path(std::getenv("NIMBA_BIN_DIR")) / "nimba-mousectl",
                      program_ + "nimba-mousectl");
        fs::copy_file(fs::path(std::getenv("NIMBA_SOURCE_DIR")) / "res/lan.xml",
                      program_ + "res/lan.xml");
    }

    RunResult Run(const std::string& arguments) {
        return test::RunCommand(program_ + "nimba-mousectl " + arguments);
    }

    std::string File(const std::string& name) { return folder_.path() + name; }
    // A file the stories use.
    std::string StoryFile(const std::string& name) {
        return std::string(std::getenv("NIMBA_SOURCE_DIR")) + "/tests/scenarios/files/" + name;
    }
    std::string Store(const std::string& name) { return program_ + "Data/ms_1/" + name; }

    testing::TestFolder folder_;
    std::string program_;
};

TEST_F(StoreCommandsTest, ProfilesTravelWithTheirMacros) {
    // A profile whose button 13 holds Macro1.
    const std::string second = StoryFile("macro_on_13.pro");
    EXPECT_EQ(Run("import " + second).out, "1\tSecond\n");
    EXPECT_EQ(Run("import " + second).out, "2\tSecond_1\n");
    EXPECT_EQ(Run("profiles").out, "0\tProfile1\n1\tSecond\n2\tSecond_1\t*\n");
    EXPECT_EQ(Run("macros").out, "0\tMacro1\t2\n1\tMacro1_1\t2\n");

    ASSERT_EQ(Run("macro-export 1 " + File("m.macro")).exit_code, 0);
    EXPECT_EQ(ReadBytes(File("m.macro")).size(), sizeof(MacroRecord));
    EXPECT_EQ(Run("macro-import " + File("m.macro")).out, "2\tMacro1_1_1\n");
    EXPECT_EQ(ReadBytes(Store("macro.data")).size(), 3 * sizeof(MacroRecord));

    // A name cannot set the terminal's title or forge a line of the list.
    EXPECT_EQ(Run("add \"$(printf 'a\\033]0;x\\a\\nb')\"").out, "3\ta\\e]0;x\\x07\\nb\n");
}

TEST_F(StoreCommandsTest, BadInputIsRefusedWithoutChangingTheStores) {
    Run("profiles");
    const auto profiles_before = ReadBytes(Store("pro.data"));
    const std::string junk(sizeof(ProfileRecord) - 1, 'x');  // one byte short
    WriteBytes(File("short.pro"), junk.data(), junk.size());
    WriteBytes(File("short.macro"), junk.data(), sizeof(MacroRecord) - 1);
    MacroRecord too_long{};
    too_long.action_count = 47;
    WriteBytes(File("long.macro"), &too_long, sizeof(too_long));
    // The import reads a profile's first bytes; the listing of its reports takes only a whole one.
    WriteBytes(File("long.pro"), std::string(sizeof(ProfileRecord) + 1, '\0').data(),
               sizeof(ProfileRecord) + 1);

    for (const std::string& arguments :
         {"import " + File("short.pro"), "macro-import " + File("short.macro"),
          "macro-import " + File("long.macro"), "import " + File("missing.pro"),
          "reports " + File("short.pro"), "reports " + File("long.pro"),
          "reports " + File("missing.pro"), std::string("export 1 ") + File("x.pro"),
          std::string("export one ") + File("x.pro"),
          std::string("macro-export 0 ") + File("x.macro"), std::string("import")}) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.exit_code, 2) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
        EXPECT_FALSE(result.err.empty()) << arguments;
    }
    EXPECT_NE(Run("reports " + File("long.pro")).err.find("not a profile file"), std::string::npos);
    // Opening a pipe used to wait for a writer for good.
    ASSERT_EQ(::mkfifo(File("pipe").c_str(), 0600), 0);
    for (const char* command : {"import ", "macro-import ", "reports "}) {
        for (const std::string& path : {File("pipe"), folder_.path(), std::string("/dev/zero")}) {
            const RunResult result =
                test::RunCommand("timeout 2 " + program_ + "nimba-mousectl " + command + path);
            EXPECT_EQ(result.exit_code, 2) << command << path;
            EXPECT_NE(result.err.find("is not a regular file"), std::string::npos) << result.err;
        }
    }
    EXPECT_EQ(ReadBytes(Store("pro.data")), profiles_before);
    EXPECT_FALSE(fs::exists(Store("macro.data")));
    EXPECT_FALSE(fs::exists(File("x.pro")));
}

TEST_F(StoreCommandsTest, AFileNamedDataLeavesTheProgramRunningWithoutAStore) {
    WriteBytes(program_ + "Data", "x", 1);
    const RunResult result = Run("profiles");
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, "0\tProfile1\t*\n");
    EXPECT_TRUE(fs::is_regular_file(program_ + "Data"));

    const RunResult import = Run("import " + StoryFile("macro_on_13.pro"));
    EXPECT_EQ(import.exit_code, 1);
    EXPECT_NE(import.err.find("cannot save"), std::string::npos);
    // A change that was not saved is not printed as done.
    EXPECT_EQ(Run("add Other").out, "");
}

TEST_F(StoreCommandsTest, AStoreTheUserCannotReadIsKeptAndRefused) {
    Run("rename Profile1 Mine");
    const auto stored = ReadBytes(Store("pro.data"));
    fs::permissions(Store("pro.data"), fs::perms::none);
    std::string as_user;  // root reads anything: the commands run as an ordinary user then
    if (::geteuid() == 0) {
        fs::permissions(folder_.path(), fs::perms::owner_all | fs::perms::others_exec);
        ASSERT_EQ(std::system(("chown -R 65534:65534 " + program_).c_str()), 0);
        as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups -- ";
    }
    for (const char* arguments : {"profiles", "add Other", "use 0", "show"}) {
        const RunResult result =
            test::RunCommand(as_user + program_ + "nimba-mousectl " + arguments);
        EXPECT_EQ(result.exit_code, 1) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
        EXPECT_NE(result.err.find("pro.data cannot be read: Permission denied"), std::string::npos)
            << result.err;
    }
    fs::permissions(Store("pro.data"), fs::perms::owner_read);
    EXPECT_EQ(ReadBytes(Store("pro.data")), stored);
}

}  // namespace
}  // namespace nimba
