#include "QtViewFixture.h"

namespace {
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new vexlo::qtview::testing::QtEnvironment);
}
