#include "platform/imaging/JpegDecoder.h"
#include "platform/imaging/PcxDecoder.h"
#include "platform/imaging/PixelColor.h"
#include "tools/pictures/Pictures.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

namespace {

struct Expected {
  const char *path;
  int width;
  int height;
};

// Tests are named by the picture, not by the bytes of the parameter.
void PrintTo(const Expected &e, std::ostream *os) { *os << e.path; }

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

QByteArray ReadResource(const char *path) {
  QFile file(QString::fromLatin1(path));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  return file.readAll();
}

// The panel picture is a JPEG at the panel's size; the white percentages
// stand on it under the three dials, so the picture is dark there.
TEST(PanelPicture, IsAJpegAtItsSizeAndDarkUnderThePercentages) {
  InitPictures();
  const QImage panel = DecodeJpeg(ReadResource(Pictures::Panel));
  ASSERT_EQ(panel.size(), QSize(502, 507));
  const QRect labels[] = {{144, 165, 17, 13}, {242, 166, 17, 13},
                          {336, 197, 17, 13}};
  for (const QRect &label : labels) {
    long sum = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
      for (int x = label.left(); x <= label.right(); ++x)
        sum += qGray(panel.pixel(x, y));
    EXPECT_LT(sum / (label.width() * label.height()), 80)
        << label.x() << "," << label.y();
  }
}

struct Outline {
  const char *path;
  int width;
  int height;
};

void PrintTo(const Outline &o, std::ostream *os) { *os << o.path; }

class OutlinePicture : public ::testing::TestWithParam<Outline> {
protected:
  static void SetUpTestSuite() { InitPictures(); }
};

// What the outline trace relies on: the background colour at (0, 0) and all
// along the edges, one 8-connected shape, and no straight part one pixel
// wide and three or more long, along which the trace would go back and forth.
TEST_P(OutlinePicture, HoldsOneTraceableShape) {
  const Outline o = GetParam();
  const QImage image = DecodePcx(ReadResource(o.path));
  ASSERT_EQ(image.size(), QSize(o.width, o.height)) << o.path;
  const TColor background = PixelColor(image, 0, 0);
  auto shape = [&](int x, int y) {
    return image.valid(x, y) && PixelColor(image, x, y) != background;
  };

  for (int x = 0; x < o.width; ++x)
    ASSERT_TRUE(!shape(x, 0) && !shape(x, o.height - 1)) << o.path << " x " << x;
  for (int y = 0; y < o.height; ++y)
    ASSERT_TRUE(!shape(0, y) && !shape(o.width - 1, y)) << o.path << " y " << y;

  int total = 0;
  QPoint first(-1, -1);
  for (int y = 0; y < o.height; ++y)
    for (int x = 0; x < o.width; ++x)
      if (shape(x, y)) {
        if (total++ == 0)
          first = QPoint(x, y);
        const bool thinAcross = !shape(x, y - 1) && !shape(x, y + 1) &&
                                shape(x + 1, y) && !shape(x + 1, y - 1) &&
                                !shape(x + 1, y + 1) && shape(x + 2, y) &&
                                !shape(x + 2, y - 1) && !shape(x + 2, y + 1);
        const bool thinDown = !shape(x - 1, y) && !shape(x + 1, y) &&
                              shape(x, y + 1) && !shape(x - 1, y + 1) &&
                              !shape(x + 1, y + 1) && shape(x, y + 2) &&
                              !shape(x - 1, y + 2) && !shape(x + 1, y + 2);
        ASSERT_FALSE(thinAcross || thinDown) << o.path << " at " << x << "," << y;
      }
  ASSERT_GT(total, 0) << o.path;

  std::vector<bool> seen(o.width * o.height, false);
  std::vector<QPoint> todo{first};
  seen[first.y() * o.width + first.x()] = true;
  int reached = 0;
  while (!todo.empty()) {
    const QPoint at = todo.back();
    todo.pop_back();
    ++reached;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = at.x() + dx, y = at.y() + dy;
        if (shape(x, y) && !seen[y * o.width + x]) {
          seen[y * o.width + x] = true;
          todo.emplace_back(x, y);
        }
      }
  }
  EXPECT_EQ(reached, total) << o.path;
}

INSTANTIATE_TEST_SUITE_P(
    Both, OutlinePicture,
    ::testing::Values(Outline{Pictures::BarOutline, 384, 96},
                      Outline{Pictures::KnobOutline, 98, 98}));

// The knob's outline is a disc of radius about 45 in the middle of its box.
TEST(KnobOutline, IsACentredDisc) {
  InitPictures();
  const QImage image = DecodePcx(ReadResource(Pictures::KnobOutline));
  const TColor background = PixelColor(image, 0, 0);
  int area = 0;
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelColor(image, x, y) != background) {
        ++area;
        box |= QRect(x, y, 1, 1);
      }
  EXPECT_NEAR(area, std::numbers::pi * 45 * 45, 0.02 * std::numbers::pi * 45 * 45);
  EXPECT_EQ(box, QRect(4, 4, 90, 90));
}

} // namespace
