// Draws the program's pictures (logo, button glyphs, chart background, the
// dial panel and its outline pictures) and writes them, as PNG, JPEG or PCX
// files, together with the resource description that compiles them into the
// program. Usage: make-pictures <output folder>.
// The files land in <output folder>/pictures, the description in
// <output folder>/pictures.qrc.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QTextStream>

#include "tools/pictures/PanelPictures.h"
#include "tools/pictures/PcxEncoder.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <utility>

namespace {

const QColor kOutline(0x2b, 0x33, 0x3d);
const QColor kUnitTop(0x4a, 0x5f, 0x78);
const QColor kUnitBottom(0x22, 0x2e, 0x3c);
const QColor kGreen(0x3c, 0xc8, 0x4e);
const QColor kAmber(0xff, 0xb0, 0x20);
const QColor kRed(0xe8, 0x40, 0x3a);

QImage NewImage(int width, int height, bool opaque = false) {
    QImage image(width, height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    image.fill(opaque ? Qt::white : Qt::transparent);
    return image;
}

void Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// A signal light with a small highlight, so it reads as a lit lamp.
void DrawLight(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    glow.setColorAt(0, colour.lighter(160));
    glow.setColorAt(0.5, colour);
    glow.setColorAt(1, colour.darker(150));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
}

// A battery lying on its side with charge bars; the terminal points right.
void DrawBattery(QPainter& p, QRectF body, int bars, double lineWidth) {
    const double nubWidth = body.height() / 5;
    const QRectF nub(body.right(), body.center().y() - body.height() / 5, nubWidth,
                     body.height() * 2 / 5);
    p.setPen(QPen(QColor(0xdd, 0xe4, 0xec), lineWidth));
    p.setBrush(QColor(0x18, 0x20, 0x2a));
    p.drawRoundedRect(body, lineWidth * 1.5, lineWidth * 1.5);
    p.setBrush(QColor(0xdd, 0xe4, 0xec));
    p.drawRect(nub);

    const double gap = lineWidth * 1.5;
    const QRectF inner = body.adjusted(gap + lineWidth / 2, gap + lineWidth / 2,
                                       -gap - lineWidth / 2, -gap - lineWidth / 2);
    const double barWidth = (inner.width() - gap * (bars - 1)) / bars;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < bars; ++i) {
        QLinearGradient fill(0, inner.top(), 0, inner.bottom());
        fill.setColorAt(0, kGreen.lighter(130));
        fill.setColorAt(1, kGreen.darker(120));
        p.setBrush(fill);
        p.drawRect(
            QRectF(inner.left() + i * (barWidth + gap), inner.top(), barWidth, inner.height()));
    }
}

// The control unit: a dark housing with three lights and a battery gauge.
void DrawControlUnit(QPainter& p, QRectF housing) {
    const double s = housing.width() / 93.0;
    QLinearGradient shade(housing.topLeft(), housing.bottomLeft());
    shade.setColorAt(0, kUnitTop);
    shade.setColorAt(1, kUnitBottom);
    p.setPen(QPen(kOutline, 1.5 * s));
    p.setBrush(shade);
    p.drawRoundedRect(housing, 12 * s, 12 * s);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1 * s));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(housing.adjusted(3 * s, 3 * s, -3 * s, -3 * s), 9 * s, 9 * s);

    const double lightY = housing.top() + 18 * s;
    const QColor lights[] = {kGreen, kAmber, kRed};
    for (int i = 0; i < 3; ++i)
        DrawLight(p, QPointF(housing.center().x() + (i - 1) * 22 * s, lightY), 6 * s, lights[i]);

    DrawBattery(p, QRectF(housing.left() + 16 * s, housing.top() + 38 * s, 56 * s, 30 * s), 3,
                2 * s);

    // Two screw heads at the lower edge finish the housing.
    p.setPen(QPen(kOutline, 1 * s));
    p.setBrush(QColor(0x8a, 0x98, 0xa8));
    for (double x : {housing.left() + 12 * s, housing.right() - 12 * s})
        p.drawEllipse(QPointF(x, housing.bottom() - 10 * s), 3 * s, 3 * s);
}

QImage Logo() {
    QImage image = NewImage(121, 126);
    QPainter p(&image);
    Prepare(p);
    DrawControlUnit(p, QRectF(14, 6, 93, 92));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kUnitBottom);
    p.drawText(QRectF(0, 100, 121, 24), Qt::AlignCenter, QStringLiteral("Dorvel"));
    return image;
}

// The log picture: a sheet with a voltage curve and event marks, and the
// control unit in front of it.
QImage LogPicture() {
    QImage image = NewImage(132, 136);
    QPainter p(&image);
    Prepare(p);

    const QRectF sheet(6.5, 4.5, 100, 94);
    p.setPen(QPen(QColor(0x9a, 0xa6, 0xb4), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(0xe2, 0xe8, 0xef), 1));
    for (int i = 1; i < 5; ++i) {
        const double y = sheet.top() + i * sheet.height() / 5;
        p.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.right() - 6, y));
    }
    QPainterPath curve;
    curve.moveTo(sheet.left() + 8, sheet.top() + 70);
    curve.cubicTo(sheet.left() + 30, sheet.top() + 20, sheet.left() + 45, sheet.top() + 18,
                  sheet.left() + 58, sheet.top() + 36);
    curve.cubicTo(sheet.left() + 70, sheet.top() + 52, sheet.left() + 80, sheet.top() + 30,
                  sheet.right() - 8, sheet.top() + 24);
    p.setPen(QPen(QColor(0xff, 0x80, 0x80), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);

    auto triangle = [&](QPointF at, QColor fill) {
        QPolygonF t;
        t << at + QPointF(0, -4) << at + QPointF(4, 3) << at + QPointF(-4, 3);
        p.setPen(QPen(QColor(0x00, 0x80, 0x00), 1));
        p.setBrush(fill);
        p.drawPolygon(t);
    };
    triangle(QPointF(sheet.left() + 26, sheet.top() + 84), QColor(0xff, 0xff, 0x00));
    triangle(QPointF(sheet.left() + 44, sheet.top() + 84), QColor(0xff, 0x80, 0x00));

    DrawControlUnit(p, QRectF(60, 62, 66, 66));
    return image;
}

// Very light, so the chart's lines stay readable over it.
QImage ChartBackground() {
    QImage image = NewImage(197, 184, true);
    QPainter p(&image);
    Prepare(p);
    QRadialGradient wash(QPointF(98.5, 92), 130);
    wash.setColorAt(0, QColor(0xff, 0xff, 0xff));
    wash.setColorAt(1, QColor(0xf1, 0xf5, 0xfa));
    p.fillRect(image.rect(), wash);

    const QColor faint(0xe6, 0xec, 0xf3);
    const QRectF body(36, 57, 112, 70);
    p.setPen(QPen(faint, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(faint);
    p.drawRoundedRect(QRectF(body.right() + 3, body.center().y() - 14, 10, 28), 3, 3);

    QPolygonF bolt;
    bolt << QPointF(100, 66) << QPointF(78, 96) << QPointF(92, 96) << QPointF(84, 118)
         << QPointF(108, 86) << QPointF(94, 86);
    p.setBrush(QColor(0xec, 0xf1, 0xf7));
    p.drawPolygon(bolt);
    return image;
}

// A hand pointing right with its index finger, on a blue cuff.
QImage Hand() {
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    Prepare(p);
    const QColor skin(0xf6, 0xcb, 0x9c);
    const QPen outline(QColor(0x7a, 0x4e, 0x24), 1);

    p.setPen(QPen(QColor(0x1e, 0x3c, 0x8c), 1));
    p.setBrush(QColor(0x3a, 0x6c, 0xd0));
    p.drawRect(QRectF(0.5, 6.5, 3, 8));

    p.setPen(outline);
    p.setBrush(skin);
    p.drawRoundedRect(QRectF(7.5, 5.5, 8, 3), 1.5, 1.5);   // index finger
    p.drawRoundedRect(QRectF(3.5, 5.5, 7, 9), 2, 2);       // fist
    p.drawRoundedRect(QRectF(5.5, 3.5, 4, 3.5), 1.5, 1.5); // thumb
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(6, 6, 5, 2)); // joins finger, thumb and fist
    p.setPen(outline);
    for (double y : {10.5, 12.5})
        p.drawLine(QPointF(7.5, y), QPointF(10.5, y)); // folded fingers
    return image;
}

// Two green arrows chasing each other round a circle.
QImage Refresh() {
    QImage image = NewImage(23, 21);
    QPainter p(&image);
    Prepare(p);
    const QPointF centre(11.5, 10.5);
    const double radius = 7;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const QColor dark(0x1d, 0x6b, 0x27);
    const QColor light(0x4c, 0xc8, 0x5a);

    for (double start : {20.0, 200.0}) {
        const double span = 130;
        QPainterPath arc;
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, span);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(dark, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);
        p.setPen(QPen(light, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);

        // The head sits at the arc's end and points along the direction of travel.
        const double a = (start + span) * std::numbers::pi / 180;
        const QPointF at = centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
        const QPointF along(-std::sin(a), -std::cos(a));
        const QPointF across(std::cos(a), -std::sin(a));
        QPolygonF head;
        head << at + along * 4.5 << at + across * 4 << at - across * 4;
        p.setPen(QPen(dark, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(light);
        p.drawPolygon(head);
    }
    return image;
}

QImage Printer() {
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    Prepare(p);
    const QPen outline(QColor(0x3c, 0x44, 0x4e), 1);
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5)); // paper going in
    p.setBrush(QColor(0x9c, 0xa6, 0xb2));
    p.drawRoundedRect(QRectF(0.5, 5.5, 15, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9.5, 9, 5.5)); // printed sheet
    p.setPen(QPen(QColor(0x7a, 0x86, 0x94), 1));
    p.drawLine(QPointF(5, 11.5), QPointF(11, 11.5));
    p.drawLine(QPointF(5, 13.5), QPointF(9, 13.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(12, 7, 2, 2));
    return image;
}

// A page with a folded corner; lines of text hint at its content.
void DrawDocument(QPainter& p, QRectF page) {
    const double fold = 3;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x60, 0x6c), 1));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    p.drawLine(QPointF(page.right() - fold, page.top()),
               QPointF(page.right() - fold, page.top() + fold));
    p.drawLine(QPointF(page.right() - fold, page.top() + fold),
               QPointF(page.right(), page.top() + fold));
    p.setPen(QPen(QColor(0xa8, 0xb2, 0xbe), 1));
    for (double y = page.top() + 5; y < page.bottom() - 1; y += 2)
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
}

// A right-pointing arrow with its shaft from fromX and its tip at toX.
void DrawArrow(QPainter& p, double fromX, double toX, double y, QColor fill) {
    QPolygonF arrow;
    arrow << QPointF(fromX, y - 1.5) << QPointF(toX - 4, y - 1.5) << QPointF(toX - 4, y - 4)
          << QPointF(toX, y) << QPointF(toX - 4, y + 4) << QPointF(toX - 4, y + 1.5)
          << QPointF(fromX, y + 1.5);
    p.setPen(QPen(fill.darker(170), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(arrow);
}

QImage Import() {
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    Prepare(p);
    DrawDocument(p, QRectF(5.5, 0.5, 10, 15));
    DrawArrow(p, 0.5, 11.5, 8.5, QColor(0x3a, 0x7c, 0xe0));
    return image;
}

QImage Export() {
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    Prepare(p);
    DrawDocument(p, QRectF(0.5, 0.5, 10, 15));
    DrawArrow(p, 5.5, 15.5, 8.5, QColor(0x3c, 0xb0, 0x4a));
    return image;
}

// The look of a glyph on a disabled button: its shape in faded greys.
QImage Disabled(const QImage& normal) {
    QImage image = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 120 + qGray(line[x]) * 45 / 100;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 85 / 100);
        }
    }
    return image;
}

struct Picture {
    const char* name;
    std::function<QImage()> draw;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts need the application object
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "make-pictures: cannot create %s/pictures\n", argv[1]);
        return 1;
    }

    const Picture pictures[] = {
        {"logo.png", Logo},
        {"log-picture.png", LogPicture},
        {"chart-background.png", ChartBackground},
        {"hand.png", Hand},
        {"hand-disabled.png", [] { return Disabled(Hand()); }},
        {"refresh.png", Refresh},
        {"refresh-disabled.png", [] { return Disabled(Refresh()); }},
        {"print.png", Printer},
        {"print-disabled.png", [] { return Disabled(Printer()); }},
        {"import.png", Import},
        {"import-disabled.png", [] { return Disabled(Import()); }},
        {"export.png", Export},
        {"export-disabled.png", [] { return Disabled(Export()); }},
    };

    QStringList files;
    for (const Picture& picture : pictures) {
        const QString file = QStringLiteral("pictures/") + QLatin1String(picture.name);
        if (!picture.draw().save(out.filePath(file), "PNG")) {
            std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(file));
            return 1;
        }
        files << file;
    }

    // The panel is a photograph-like picture, kept as JPEG; the outline
    // pictures are PCX bitmaps whose exact colours mark their shapes.
    if (!QImageWriter::supportedImageFormats().contains("jpeg")) {
        std::fprintf(stderr, "make-pictures: Qt's JPEG writer is not installed\n");
        return 1;
    }
    const QString panel = QStringLiteral("pictures/panel.jpg");
    if (!PanelPicture().save(out.filePath(panel), "JPEG", 90)) {
        std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(panel));
        return 1;
    }
    files << panel;
    const std::pair<const char*, QImage (*)()> outlines[] = {
        {"bar-outline.pcx", BarOutline},
        {"knob-outline.pcx", KnobOutline},
    };
    for (const auto& [name, draw] : outlines) {
        const QString file = QStringLiteral("pictures/") + QLatin1String(name);
        QFile pcx(out.filePath(file));
        const QByteArray bytes = EncodePcx(draw());
        if (!pcx.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            pcx.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(file));
            return 1;
        }
        files << file;
    }

    QFile qrc(out.filePath(QStringLiteral("pictures.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "make-pictures: cannot write pictures.qrc\n");
        return 1;
    }
    QTextStream text(&qrc);
    text << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& file : files)
        text << "  <file>" << file << "</file>\n";
    text << "</qresource>\n</RCC>\n";
    return 0;
}
