#include "PlacementCheck.h"

namespace melorit::newuser::test {
namespace {

TEST_F(NewUserTest, OnA1280x800ScreenNoWindowCoversTheMainWindow)
{
    ASSERT_TRUE(startProgram());
    showAllWindowsAndCheckPlaces(*m_program, QSize(1280, 800), false);
}

} // namespace
} // namespace melorit::newuser::test
