#include "PlacementCheck.h"

namespace melorit::newuser::test {
namespace {

TEST_F(NewUserTest, OnA1600x1200ScreenTheFiveWindowsOpenApart)
{
    ASSERT_TRUE(startProgram());
    showAllWindowsAndCheckPlaces(*m_program, QSize(1600, 1200), true);
}

} // namespace
} // namespace melorit::newuser::test
