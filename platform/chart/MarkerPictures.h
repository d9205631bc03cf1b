#pragma once

#include "platform/chart/PointSeries.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <array>
#include <map>

class QPainter;

// Draws one marker as a shape: centred on `p`, `size` pixels from the centre
// to each side, with the painter's pen and brush.
void DrawMarker(QPainter& painter, TSeriesPointerStyle style, const QPointF& p, double size);

// Pictures of single markers, antialiased, one for each look and each place
// within a pixel in steps of a quarter pixel. Copying a small picture costs a
// fraction of drawing the shape, and thousands of markers are drawn at every
// redraw of a full event memory. The round ends and joins of a wide line are
// circle markers without outline.
class TMarkerPictures {
  private:
    // Places within a pixel, per direction.
    static constexpr int Steps = 4;

  public:
    // Whether the painter draws antialiased and maps whole pixels to whole
    // device pixels, as copies of the pictures need; a printer page or a
    // scaled painter does not.
    static bool Usable(const QPainter& painter);

    // The pictures of one look: a series' markers are all drawn with the
    // look fetched once.
    class TLook {
      public:
        // Draws the marker centred on `at`, in the coordinates of a painter
        // that is Usable.
        void Draw(QPainter& painter, const QPointF& at);
        // The picture of the marker centred on `at`, and the pixel its top
        // left corner goes to.
        const QImage& Placed(const QPointF& at, QPoint& corner);

      private:
        friend class TMarkerPictures;
        TSeriesPointerStyle style_;
        double size_;
        QColor outline_;
        QColor fill_;
        // Made when first needed, by place within the pixel.
        std::array<QImage, Steps * Steps> pictures_;
    };

    // An outline of alpha 0 draws no outline. The look stays valid until the
    // next call.
    TLook& Look(TSeriesPointerStyle style, double size, const QColor& outline, const QColor& fill);

  private:
    struct TKey {
        TSeriesPointerStyle style;
        double size;
        QRgb outline;
        QRgb fill;
        bool operator<(const TKey& other) const;
    };

    std::map<TKey, TLook> looks_;
};

// The pictures every chart shares (all painting runs on the one user
// interface thread).
TMarkerPictures& MarkerPictures();
