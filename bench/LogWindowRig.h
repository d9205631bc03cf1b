#pragma once

// The whole program with its log window maximised on a 1920 x 1080 screen,
// for the benchmarks of the user's actions: the table is filled with a
// working unit's mix of events through the program's own download and
// import, and every input goes through the window's widgets.
#include "BareClient.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

class TChart;
class TDataForm;
class TDataModule1;
class TMainForm;
class TProgram;

class LogWindowRig : public QObject {
  public:
    LogWindowRig();
    ~LogWindowRig() override;

    // Makes the offscreen screen 1920 x 1080; call before the application
    // object is created.
    static void UseFullHdScreen();
    // Dutch regional settings, message boxes answered Yes or OK, and file
    // dialogs that choose the file named by ChooseFile.
    static void UseDutchDesktop();
    static void ChooseFile(const QString& path);

    // Makes sure the table holds `rows` rows of the mix with the view in its
    // start order: 8000 through a full download, more through an import.
    void Fill(int rows);
    int Rows() const { return rows_; }

    // "Toon grafiek", then a full download of `count` records through the
    // main window's receive handler; the log window ends maximised.
    void Download(int count);
    // The import of the file of `rows` rows of the mix (made on first use).
    void Import(int rows);
    QString ImportFile(int rows);
    const std::vector<Bare::Row>& ImportRows(int rows);

    // Runs the event loop until the windows have painted what the last
    // input changed.
    void Frame();
    // The full redraw of the chart as it stands, at its size.
    void Redraw();

    // Input through the widgets.
    void Click(QWidget* widget);
    void ClickTitle(int column);
    void Wheel(int delta);
    void Mouse(int type, Qt::MouseButton button, QPoint at);

    TProgram& Program() { return *program_; }
    TMainForm& Main();
    TDataForm& Form();
    TDataModule1& Module();
    TChart& Chart();
    const QTemporaryDir& Folder() const { return folder_; }
    std::string DatabasePath() const;
    // The text of the view's statement, as the data set runs it.
    std::string ViewStatement();
    // Paint events seen since start.
    int Paints() const { return paints_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTemporaryDir folder_;
    std::unique_ptr<TProgram> program_;
    QImage canvas_;
    int rows_ = 0;
    int paints_ = 0;
    QString importFile_;
    int importRows_ = 0;
    std::vector<Bare::Row> importBare_;
};
