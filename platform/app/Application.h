#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

// The application object's start-up settings and services: the title, the
// hint pause, the notice of changed regional settings, the program's folder
// and the message loop. Create it once, after the QApplication. It loads Qt's
// own translations for the user's language, and keeps what Qt's own parts
// would store as settings (the file dialog's history) in a folder of this run
// only, since the program keeps no settings that outlive a run.
class TApplication : public QObject {
    Q_OBJECT
  public:
    TApplication();
    ~TApplication() override;

    // The program's name for the desktop: the window class, by which task
    // bars group and name the program's windows. Window captions are left as
    // the windows set them.
    QString Title() const { return title_; }
    void SetTitle(const QString& title);

    // Kept only: the program has no hints.
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int milliseconds) { hintHidePause_ = milliseconds; }

    // The folder of the program file.
    static QString ProgramFolder();

    // Runs the message loop until the last window closes; returns its exit code.
    int Run();

  protected:
    // Reloads the regional settings when the system announces a change.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void loadQtTranslations();

    QString title_;
    int hintHidePause_ = 2500;
    QTemporaryDir settingsFolder_;
};
