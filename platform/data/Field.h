#pragma once

#include "platform/regional/Regional.h"

#include <QString>

class TIBCustomDataSet;

// A column of an open data set, read at the data set's current row. The
// fields are made afresh at every opening, titled by their names.
class TField {
  public:
    TField(TIBCustomDataSet* dataSet, int index, QString fieldName);

    // Copies: the fields go at every closing, and a name kept by a caller
    // must not go with them.
    QString FieldName() const { return fieldName_; }
    int Index() const { return index_; }
    QString DisplayLabel() const { return displayLabel_; }
    void SetDisplayLabel(const QString& label);

    // The characters that the field's text can take, by which a grid sizes
    // its column: a text column's length, the widest number of an integer
    // column, and the length of the regional date and time texts.
    int DisplayWidth() const;

    bool IsNull() const;
    // Integers in decimal, a DATE in the regional short date format, a TIME
    // in the regional long time format, texts as stored, NULL as empty text.
    QString AsString() const;
    // A text column converts with the class library's conversions (and its
    // errors); NULL gives 0.
    int AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;

  private:
    TIBCustomDataSet* dataSet_;
    int index_;
    QString fieldName_;
    QString displayLabel_;
};
