// The udev rule must name exactly the devices the program opens: a pair missing from it
// leaves that link needing root, a stray pair hands the user someone else's device.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <utility>

#include "device/mouse_ids.h"

namespace nimba {
namespace {

using Pair = std::pair<unsigned, unsigned>;

Pair PairOf(UsbId id) {
    return {id.vendor, id.product};
}

TEST(UdevRule, TagsEveryHidrawNodeOfTheMouseAndNothingElse) {
    const char* source = std::getenv("NIMBA_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::ifstream rules(std::string(source) + "/dist/70-nimba-r380x.rules");
    ASSERT_TRUE(rules.is_open());

    const std::regex rule(
        R"re(^SUBSYSTEM=="hidraw", KERNELS=="(0003|0005):([0-9A-F]{4}):([0-9A-F]{4})\.\*", TAG\+="uaccess"$)re");
    std::set<Pair> usb;
    std::set<Pair> bluetooth;
    std::string line;
    while (std::getline(rules, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, rule)) << line;
        const Pair pair{std::stoul(match[2], nullptr, 16), std::stoul(match[3], nullptr, 16)};
        (match[1] == "0003" ? usb : bluetooth).insert(pair);
    }
    EXPECT_EQ(usb, (std::set<Pair>{PairOf(kWiredMouseId), PairOf(kReceiverId)}));
    EXPECT_EQ(bluetooth, (std::set<Pair>{PairOf(kBleMouseId)}));
}

}  // namespace
}  // namespace nimba
