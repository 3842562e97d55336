#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "postprocess/session/cast_stamp.h"
#include "postprocess/session/session_host.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

class Prompter;

// The cast's time and position for the export formats of the acquisition packages, in the
// window's language. OK keeps the dialog open and says which field is wrong until every text
// reads; the position fields show only for formats that write a position, and with them "From
// navigation log...", which fills them with where the ship was at the cast's UTC time.
class CastStampDialog : public QDialog {
    Q_OBJECT
  public:
    using LogChooser = std::function<std::optional<FileChoice>(const FileDialogRequest&)>;
    // `chooseLog` picks a navigation log, starting in `logFolder`.
    CastStampDialog(bool english, Prompter& prompter, const CastStampTexts& proposed,
                    bool positionWanted, LogChooser chooseLog, std::string logFolder,
                    QWidget* parent);

    const std::optional<CastStamp>& stamp() const { return stamp_; }
    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* offsetEdit() const { return offset_; }
    QLineEdit* latitudeEdit() const { return latitude_; }
    QLineEdit* longitudeEdit() const { return longitude_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* navigationButton() const { return fromNavigation_; }
    QLabel* navigationNote() const { return navigationNote_; }

  private:
    void takeValues();
    void positionFromNavigation();

    const bool english_;
    Prompter& prompter_;
    LogChooser chooseLog_;
    std::string logFolder_;
    QLineEdit* time_;
    QLineEdit* offset_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QPushButton* ok_;
    QPushButton* fromNavigation_;
    QLabel* navigationNote_;
    std::optional<CastStamp> stamp_;
    // The position the navigation gave and where from: kept as the position's source while the
    // fields still hold it.
    QString navigationLatitude_, navigationLongitude_;
    std::string navigationSource_;
};

}  // namespace quorvane
