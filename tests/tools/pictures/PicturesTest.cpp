#include "tools/pictures/Pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Expected {
  const char *path;
  int width;
  int height;
};

class PicturesTest : public ::testing::TestWithParam<Expected> {
protected:
  static void SetUpTestSuite() { InitPictures(); }
};

// Every picture the windows name is in the resource, drawn at the size its
// box is laid out for, and not blank.
TEST_P(PicturesTest, LoadsFromResourceAtItsSize) {
  const Expected e = GetParam();
  const QImage image(QString::fromLatin1(e.path));
  ASSERT_FALSE(image.isNull()) << e.path;
  EXPECT_EQ(image.size(), QSize(e.width, e.height)) << e.path;
  bool drawn = false;
  for (int y = 0; y < image.height() && !drawn; ++y)
    for (int x = 0; x < image.width() && !drawn; ++x)
      drawn = qAlpha(image.pixel(x, y)) != 0 &&
              image.pixel(x, y) != image.pixel(0, 0);
  EXPECT_TRUE(drawn) << e.path;
}

INSTANTIATE_TEST_SUITE_P(
    All, PicturesTest,
    ::testing::Values(Expected{Pictures::Logo, 121, 126},
                      Expected{Pictures::LogPicture, 132, 136},
                      Expected{Pictures::ChartBackground, 197, 184},
                      Expected{Pictures::Hand, 16, 16},
                      Expected{Pictures::HandDisabled, 16, 16},
                      Expected{Pictures::Refresh, 23, 21},
                      Expected{Pictures::RefreshDisabled, 23, 21},
                      Expected{Pictures::Print, 16, 16},
                      Expected{Pictures::PrintDisabled, 16, 16},
                      Expected{Pictures::Import, 16, 16},
                      Expected{Pictures::ImportDisabled, 16, 16},
                      Expected{Pictures::Export, 16, 16},
                      Expected{Pictures::ExportDisabled, 16, 16}));

// A disabled button shows a greyed glyph, not its coloured one.
TEST(PicturesDisabledLook, IsGreyAndDiffersFromNormal) {
  InitPictures();
  const std::pair<const char *, const char *> pairs[] = {
      {Pictures::Hand, Pictures::HandDisabled},
      {Pictures::Refresh, Pictures::RefreshDisabled},
      {Pictures::Print, Pictures::PrintDisabled},
      {Pictures::Import, Pictures::ImportDisabled},
      {Pictures::Export, Pictures::ExportDisabled}};
  for (const auto &[normal, disabled] : pairs) {
    const QImage n(QString::fromLatin1(normal));
    const QImage d(QString::fromLatin1(disabled));
    EXPECT_NE(n, d) << disabled;
    for (int y = 0; y < d.height(); ++y)
      for (int x = 0; x < d.width(); ++x) {
        const QRgb p = d.pixel(x, y);
        if (qAlpha(p) != 0) {
          ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p))
              << disabled;
        }
      }
  }
}

} // namespace
