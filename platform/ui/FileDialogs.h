#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// What a file dialog asks: whether it saves or opens, and its settings, with
// the filter already in Qt's syntax ("Textfiles (*.txt)").
struct FileDialogRequest {
    bool Save = false;
    QString Title;
    QString DefaultExt;
    QString FileName;
    QString Filter;
};

// Replaces the real dialogs, for tests: the hook gets every request and
// returns the chosen file name, or nothing for Cancel. An empty hook
// restores the dialogs.
using FileDialogHook = std::function<std::optional<QString>(const FileDialogRequest&)>;
void SetFileDialogHook(FileDialogHook hook);

// The class library's filter "Description|pattern;pattern|Description|pattern"
// in Qt's syntax "Description (pattern pattern);;Description (pattern)". A
// description that already ends with its patterns in brackets is kept as is.
QString QtFilterOf(const QString& filter);

// A modal file dialog with the class library's default options: the save
// dialog does not ask before overwriting, the open dialog accepts a name of
// a file that does not exist. Execute returns true when the user chose a
// file, whose full name FileName then holds; a name typed without extension
// gets DefaultExt. The open dialog starts where its last choice was.
class TFileDialog {
  public:
    explicit TFileDialog(bool save, QWidget* owner = nullptr) : save_(save), owner_(owner) {}

    QString Title;
    QString DefaultExt;
    QString FileName;
    QString Filter;

    bool Execute();

  private:
    bool save_;
    QWidget* owner_;
};

class TSaveDialog : public TFileDialog {
  public:
    explicit TSaveDialog(QWidget* owner = nullptr) : TFileDialog(true, owner) {}
};

class TOpenDialog : public TFileDialog {
  public:
    explicit TOpenDialog(QWidget* owner = nullptr) : TFileDialog(false, owner) {}
};
