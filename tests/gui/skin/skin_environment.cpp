// One application and one skin folder for every test of this program.

#include "skin_fixture.h"

namespace {
const auto* env = ::testing::AddGlobalTestEnvironment(new skin_test::SkinEnvironment);
}  // namespace
