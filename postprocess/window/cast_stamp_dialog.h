#pragma once

#include <QDialog>
#include <optional>

#include "postprocess/session/cast_stamp.h"

class QLineEdit;

namespace quorvane {

class Prompter;

// The cast's time and position for the export formats of the acquisition packages, in the
// window's language. OK keeps the dialog open and says which field is wrong until every text
// reads; the position fields show only for formats that write a position.
class CastStampDialog : public QDialog {
    Q_OBJECT
  public:
    CastStampDialog(bool english, Prompter& prompter, const CastStampTexts& proposed,
                    bool positionWanted, QWidget* parent);

    const std::optional<CastStamp>& stamp() const { return stamp_; }
    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* offsetEdit() const { return offset_; }
    QLineEdit* latitudeEdit() const { return latitude_; }
    QLineEdit* longitudeEdit() const { return longitude_; }

  private:
    void takeValues();

    Prompter& prompter_;
    QLineEdit* time_;
    QLineEdit* offset_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    std::optional<CastStamp> stamp_;
};

}  // namespace quorvane
