#pragma once

#include <QAbstractTableModel>

#include "postprocess/session/data_list_rows.h"

namespace quorvane {

// The data list's rows as a table for the view: texts are made for the cells on screen only,
// so a cast of a million rows costs no item objects.
class DataListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    DataListModel(const DataListRows& rows, bool english, QObject* parent = nullptr);

    // Catches the view up with the rows: a new set of rows starts the view over, an edited
    // cell only repaints.
    void sync();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Column widths in pixels for the interface language.
    static int columnWidth(int column, bool english);

  private:
    const DataListRows& rows_;
    bool english_;
    uint64_t generation_;
};

}  // namespace quorvane
