#include "platform/app/StartFailure.h"

#include "platform/errors/Exception.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

namespace {

// The reason goes to standard error with the program's name; tests run
// without a screen, where no box is shown for nobody to close.
TEST(StartFailure, TheReasonGoesToStandardError) {
    MessageRecorder boxes;
    testing::internal::CaptureStderr();
    ReportStartFailure(EDatabaseError("Unable to load the client library libfbclient.so.2: gone"));
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "test_platform_app: Unable to load the client library "
                       "libfbclient.so.2: gone\n");
    EXPECT_EQ(boxes.Count(), 0);
}

} // namespace
