#pragma once

#include <QDialog>
#include <vector>

#include "send/acquisition_target.h"

class QPushButton;
class QTableWidget;

namespace quorvane {

class Prompter;

// The acquisition systems a user keeps, editable, each with a check box for this send: name,
// kind, host, port, the datagram and the port the sonar's receipt comes back to. Send keeps
// the dialog open and says which row is wrong until every checked row makes a target.
class SendTargetsDialog : public QDialog {
    Q_OBJECT
  public:
    SendTargetsDialog(bool english, Prompter& prompter, const std::vector<AcquisitionTarget>& kept,
                      QWidget* parent);

    // Every row that makes a target, checked or not, to be kept for the next time.
    std::vector<AcquisitionTarget> kept() const;
    // The checked ones, once Send was accepted.
    const std::vector<AcquisitionTarget>& chosen() const { return chosen_; }

    QTableWidget* table() const { return table_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* sendButton() const { return send_; }

  private:
    void addRow(const AcquisitionTarget& target, bool checked);
    void kindChanged(int row);
    std::optional<AcquisitionTarget> rowTarget(int row, std::string* problem) const;
    void takeChosen();

    Prompter& prompter_;
    QTableWidget* table_;
    QPushButton* add_;
    QPushButton* send_;
    std::vector<AcquisitionTarget> chosen_;
};

}  // namespace quorvane
