#include "LogWindowRig.h"

#include "EventMix.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/chart/Chart.h"
#include "platform/regional/Regional.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageDlg.h"
#include "tests/support/DutchSettings.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>
#include <stdexcept>

namespace {

// The longest a frame may take to come before the rig gives up.
constexpr int FrameTimeoutMs = 5000;

QString chosenFile;

} // namespace

void LogWindowRig::UseFullHdScreen() {
    const QString config = QDir::temp().filePath(QStringLiteral("stelpod-bench-screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the screen configuration");
    file.write(R"({"windowFrameMargins": false, "screens": [{"name": "FullHD", "x": 0, "y": 0,
                   "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96,
                   "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    // A window asks for its repaint through a timer, 5 ms by default, that
    // stands for the screen's next frame; without it the figures are the
    // work of the frame alone.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
}

void LogWindowRig::UseDutchDesktop() {
    UseDutchSettings();
    SetMessageBoxHook([](const MessageRequest& request) {
        // Errors would make the figures meaningless: they are shown.
        if (request.Type == TMsgDlgType::mtError)
            std::fprintf(stderr, "error box: %s\n", qPrintable(request.Text));
        return request.Buttons.front() == TMsgDlgBtn::mbYes ? int(mrYes) : int(mrOk);
    });
    SetFileDialogHook([](const FileDialogRequest&) { return std::optional(chosenFile); });
}

void LogWindowRig::ChooseFile(const QString& path) {
    chosenFile = path;
}

LogWindowRig::LogWindowRig() : program_(std::make_unique<TProgram>()) {
    InitPictures();
    Main().DatabaseFile = folder_.filePath(QStringLiteral("Data.gdb"));
    // The port is never opened: what the program sends goes nowhere.
    Main().ComPort = 1;
    Main().Connected = true;
    qApp->installEventFilter(this);
    Frame();
}

LogWindowRig::~LogWindowRig() {
    qApp->removeEventFilter(this);
}

TMainForm& LogWindowRig::Main() {
    return *program_->MainForm;
}

TDataForm& LogWindowRig::Form() {
    return *program_->DataForm;
}

TDataModule1& LogWindowRig::Module() {
    return *program_->DataModule1;
}

TChart& LogWindowRig::Chart() {
    return *Form().ui.Chart1;
}

std::string LogWindowRig::DatabasePath() const {
    return QFile::encodeName(program_->MainForm->DatabaseFile).toStdString();
}

std::string LogWindowRig::ViewStatement() {
    return Module().DataIBDataSet->SelectSQL().Text().toStdString();
}

bool LogWindowRig::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++paints_;
    return false;
}

void LogWindowRig::Frame() {
    // Each pass delivers the posted events and the timers that are due, the
    // window's update request among them; a pass that paints may have queued
    // more, so passes run until two in a row paint nothing.
    QElapsedTimer timer;
    timer.start();
    for (int idle = 0; idle < 2 && timer.elapsed() < FrameTimeoutMs;) {
        const int before = paints_;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        idle = paints_ == before ? idle + 1 : 0;
    }
}

void LogWindowRig::Redraw() {
    TChart& chart = Chart();
    if (canvas_.size() != chart.size())
        canvas_ = QImage(chart.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas_);
    chart.Render(painter, chart.rect());
}

void LogWindowRig::Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

void LogWindowRig::ClickTitle(int column) {
    QHeaderView* header = Form().ui.DBGrid1->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void LogWindowRig::Wheel(int delta) {
    TChart& chart = Chart();
    const QPoint at = chart.rect().center();
    QCursor::setPos(chart.mapToGlobal(at));
    QWheelEvent event(QPointF(at), QPointF(chart.mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &event);
}

void LogWindowRig::Mouse(int type, Qt::MouseButton button, QPoint at) {
    TChart& chart = Chart();
    const auto kind = QEvent::Type(type);
    const Qt::MouseButtons held = kind == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(kind, QPointF(at), QPointF(chart.mapToGlobal(at)),
                      kind == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
}

void LogWindowRig::Download(int count) {
    TMainForm& main = Main();
    Click(main.ui.Button2);
    // The window is shown before the user can click its download button.
    Frame();
    Form().ui.DownLoadBar->SetMax(count);
    Click(Form().ui.DownLoadButton);
    main.MultiCommPortDriver1->ReceivedText[1] = EventMix::DownloadText(count);
    main.MultiCommPortDriver1ReceiveData(nullptr, nullptr, 0);
    // The read sequence that follows would wait for replies that never come.
    main.ComTimer->SetEnabled(false);
    Frame();
    rows_ = count;
}

QString LogWindowRig::ImportFile(int rows) {
    if (importRows_ != rows) {
        EventMix::Rows mix = EventMix::MakeRows(rows);
        importFile_ = folder_.filePath(QStringLiteral("Import%1.txt").arg(rows));
        QFile file(importFile_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(mix.File) != mix.File.size())
            throw std::runtime_error("cannot write the import file");
        importBare_ = std::move(mix.Bare);
        importRows_ = rows;
    }
    return importFile_;
}

const std::vector<Bare::Row>& LogWindowRig::ImportRows(int rows) {
    ImportFile(rows);
    return importBare_;
}

void LogWindowRig::Import(int rows) {
    chosenFile = ImportFile(rows);
    Click(Form().ui.ImportBTN);
    Frame();
    rows_ = rows;
}

void LogWindowRig::Fill(int rows) {
    if (rows_ == rows && Module().DataIBDataSet->RecordCount() == rows)
        return;
    if (rows <= 8000) {
        Download(rows);
    } else {
        if (rows_ == 0)
            Download(8000);
        Import(rows);
    }
    if (Module().DataIBDataSet->RecordCount() != rows)
        throw std::runtime_error("the table does not hold the rows asked for");
}
