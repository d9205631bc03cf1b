#pragma once

#include "platform/chart/PointSeries.h"

#include <QColor>
#include <QImage>
#include <QPointF>
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
  public:
    // Whether the painter draws antialiased and maps whole pixels to whole
    // device pixels, as copies of the pictures need; a printer page or a
    // scaled painter does not.
    static bool Usable(const QPainter& painter);

    // Draws the marker centred on `at`, in the coordinates of a painter that
    // is Usable. An outline of alpha 0 draws no outline.
    void Draw(QPainter& painter, TSeriesPointerStyle style, double size, const QColor& outline,
              const QColor& fill, const QPointF& at);
    // The picture of that marker, and the pixel its top left corner goes to.
    const QImage& Placed(TSeriesPointerStyle style, double size, const QColor& outline,
                         const QColor& fill, const QPointF& at, QPoint& corner);

  private:
    struct TKey {
        TSeriesPointerStyle style;
        double size;
        QRgb outline;
        QRgb fill;
        int stepX;
        int stepY;
        bool operator<(const TKey& other) const;
    };
    const QImage& Picture(const TKey& key);

    std::map<TKey, QImage> pictures_;
};

// The pictures every chart shares (all painting runs on the one user
// interface thread).
TMarkerPictures& MarkerPictures();
