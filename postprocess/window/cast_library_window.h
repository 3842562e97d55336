#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "library/cast_library.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvane {

class FileWindow;

// The casts of the working folder's library, beside the main window and never in its way: a
// table to sort and to filter by date, a double-click that shows a cast in the main window,
// and the selected cast (or else the one shown) compared with the same device's cast before it
// or checked against the surface probe. The library is opened for each look and let go again,
// so that the command line can record casts into it meanwhile.
class CastLibraryWindow : public QWidget {
    Q_OBJECT
  public:
    CastLibraryWindow(bool english, FileWindow& main, std::string libraryPath);

    // Brings the window to the front with the library as it is now.
    void present();

    QTableWidget* table() const { return table_; }
    QLabel* statusLine() const { return status_; }
    QLabel* verdictLine() const { return verdict_; }
    QCheckBox* sinceCheck() const { return sinceCheck_; }
    QDateEdit* sinceEdit() const { return sinceEdit_; }
    QLineEdit* draftEdit() const { return draftEdit_; }
    QComboBox* orderBox() const { return orderBox_; }
    QPushButton* compareButton() const { return compareButton_; }
    QPushButton* probeButton() const { return probeButton_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void refresh();
    std::optional<CastLibrary> openLibrary(QLabel* line);
    std::optional<LibraryCast> selectedCast() const;
    bool isShown(const LibraryCast& cast) const;
    void showCast(int row);
    void compareWithPrevious();
    void checkProbe();
    void say(QLabel* line, const Text& text);

    const bool english_;
    FileWindow& main_;
    const std::string libraryPath_;
    std::vector<LibraryCast> casts_;  // as listed; each row keeps its index here

    QCheckBox* sinceCheck_ = nullptr;
    QDateEdit* sinceEdit_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* status_ = nullptr;
    QLineEdit* draftEdit_ = nullptr;
    QComboBox* orderBox_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* probeButton_ = nullptr;
    QLabel* verdict_ = nullptr;
};

}  // namespace quorvane
