// The hidden dial panel to the right of the settings: its pictures, the
// shaping of its bar and knobs, and the handlers that bring the knobs up,
// follow them and hide them again.
#include "app/MainForm.h"
#include "app/OutlineTrace.h"
#include "platform/errors/Exception.h"
#include "platform/imaging/JpegDecoder.h"
#include "platform/imaging/PcxDecoder.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Handler.h"
#include "tools/pictures/Pictures.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPolygon>
#include <QRegion>
#include <vector>

namespace {

// Typing this letter into the voltage field brings the panel into view.
constexpr QChar kPanelKey = QLatin1Char('P');
constexpr int kWideWidth = 1100;
constexpr int kOutlineCapacity = 1024;

// The panel only decorates: a picture that is missing or does not decode
// leaves its control empty (and a knob or the bar rectangular) rather than
// stopping the program at start-up.
QImage loadPicture(const char* resource, QImage (*decode)(const QByteArray&)) {
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    try {
        return decode(file.readAll());
    } catch (const Exception&) {
        return {};
    }
}

// Each control gets a mask of its own from the outline's points; fewer than
// three points make no area, and the control keeps its whole rectangle.
void shape(QWidget* control, const QPoint* points, int last) {
    if (last < 2) {
        control->clearMask();
        return;
    }
    const QPolygon outline(QList<QPoint>(points, points + last + 1));
    control->setMask(QRegion(outline, Qt::OddEvenFill));
}

QString percentText(int position) {
    return QString::number(position) + QLatin1Char('%');
}

} // namespace

int TMainForm::GenRegion(QPoint* Points, int Capacity, const QImage& Bitmap, int XOffset,
                         int YOffset) {
    return ::GenRegion(Points, Capacity, Bitmap, XOffset, YOffset);
}

void TMainForm::setUpPanel() {
    const QImage panel = loadPicture(Pictures::Panel, DecodeJpeg);
    if (!panel.isNull()) {
        ui.Image3->setPixmap(QPixmap::fromImage(panel));
        ui.Image3->resize(panel.size());
    }
    ui.Image4->setPixmap(QPixmap::fromImage(loadPicture(Pictures::KnobOutline, DecodePcx)));
    ui.Image2->setPixmap(QPixmap::fromImage(loadPicture(Pictures::BarOutline, DecodePcx)));
    ui.Image4->hide();
    ui.Image2->hide();
    for (TJvDialButton* knob : {ui.JvDialButton1, ui.JvDialButton2, ui.JvDialButton3}) {
        knob->hide();
        knob->OnChange = Bind(this, &TMainForm::JvDialButton1Change);
        knob->OnExit = Bind(this, &TMainForm::JvDialButton1Exit);
    }
    for (TJvTransparentButton* area :
         {ui.JvTransparentButton1, ui.JvTransparentButton2, ui.JvTransparentButton3})
        area->OnMouseEnter = Bind(this, &TMainForm::JvTransparentButton1MouseEnter);
    ui.Image3->setMouseTracking(true);
    ui.Image3->installEventFilter(this);
    ui.VoltageEdit->installEventFilter(this);
}

void TMainForm::FormCreate(QObject*) {
    std::vector<QPoint> points(kOutlineCapacity);
    const int barLast =
        GenRegion(points.data(), kOutlineCapacity, ui.Image2->pixmap().toImage(), 0, 0);
    shape(ui.ProgressBar2, points.data(), barLast);
    const int knobLast =
        GenRegion(points.data(), kOutlineCapacity, ui.Image4->pixmap().toImage(), 0, 0);
    for (TJvDialButton* knob : {ui.JvDialButton1, ui.JvDialButton2, ui.JvDialButton3})
        shape(knob, points.data(), knobLast);
    ui.ProgressBar2->SetDoubleBuffered(true);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.VoltageEdit && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        RunHandler([&] {
            for (QChar key : text)
                VoltageEditKeyPress(ui.VoltageEdit, key);
        });
    } else if (watched == ui.Image3 && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = move->position().toPoint();
        RunHandler([&] { Image3MouseMove(ui.Image3, move->modifiers(), at.x(), at.y()); });
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::VoltageEditKeyPress(QObject*, QChar& Key) {
    if (Key != kPanelKey)
        return;
    // The outer width includes the frame; the window keeps its left edge and
    // its height, and stays not resizable.
    const int frame = frameGeometry().width() - width();
    setFixedSize(kWideWidth - frame, height());
}

void TMainForm::JvTransparentButton1MouseEnter(QObject* Sender) {
    const auto* area = qobject_cast<TJvTransparentButton*>(Sender);
    const struct {
        TJvDialButton* knob;
        QPoint place;
    } knobs[] = {{ui.JvDialButton1, {631, 92}},
                 {ui.JvDialButton2, {731, 92}},
                 {ui.JvDialButton3, {827, 122}}};
    const int tag = area ? area->Tag() : 0;
    if (tag >= 1 && tag <= 3) {
        const auto& [knob, place] = knobs[tag - 1];
        knob->move(place);
        knob->show();
        ui.ProgressBar2->SetPosition(knob->Position());
    }
    ui.ProgressBar2->show();
}

void TMainForm::JvDialButton1Change(QObject* Sender) {
    const auto* knob = qobject_cast<TJvDialButton*>(Sender);
    TLabel* const labels[] = {ui.P11Label, ui.P21Label, ui.P31Label};
    const int tag = knob ? knob->Tag() : 0;
    if (tag < 1 || tag > 3)
        return;
    ui.ProgressBar2->SetPosition(knob->Position());
    labels[tag - 1]->setText(percentText(knob->Position()));
}

void TMainForm::JvDialButton1Exit(QObject*) {
    MessageBeep();
}

void TMainForm::Image3MouseMove(QObject*, Qt::KeyboardModifiers, int, int) {
    for (QWidget* control : std::initializer_list<QWidget*>{ui.JvDialButton1, ui.JvDialButton2,
                                                            ui.JvDialButton3, ui.ProgressBar2})
        control->hide();
}

void TMainForm::mirrorPowerLevel(int level) {
    const TTrackBar* const bars[] = {ui.TrackBar1, ui.TrackBar2, ui.TrackBar3};
    TJvDialButton* const knobs[] = {ui.JvDialButton1, ui.JvDialButton2, ui.JvDialButton3};
    TLabel* const labels[] = {ui.P11Label, ui.P21Label, ui.P31Label};
    const int n = level - 1;
    // The nearest whole percentage of (255 - position) * 100 / 255; halves
    // cannot occur.
    const int power = 255 - bars[n]->Position();
    knobs[n]->SetPosition((power * 200 + 255) / 510);
    labels[n]->setText(percentText(knobs[n]->Position()));
}
