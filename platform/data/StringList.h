#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The statement lines of the data-access components: an ordered list of text
// lines whose every change is reported through OnChange (a statement undoes
// its preparation then).
class TStringList {
  public:
    TStringList() = default;
    TStringList(std::initializer_list<QString> lines) : lines_(lines) {}

    void Clear();
    void Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    int Count() const { return lines_.size(); }
    const QString& Strings(int index) const;
    void SetStrings(int index, const QString& line);

    // The lines joined by CR LF; setting it splits at CR LF, CR or LF.
    QString Text() const;
    void SetText(const QString& text);

    const QStringList& Lines() const { return lines_; }
    void Assign(const QStringList& lines);

    std::function<void()> OnChange;

  private:
    void CheckIndex(int index) const;
    void Changed();

    QStringList lines_;
};
