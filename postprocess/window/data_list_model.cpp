#include "postprocess/window/data_list_model.h"

namespace quorvane {

namespace {

struct Column {
    const char* zh;
    int zhWidth;
    const char* en;
    int enWidth;
};

constexpr Column kColumns[] = {
    {"深度(m)", 160, "Depth(m)", 150},
    {"声速(m/s)", 180, "Sound Veocity(m/s)", 150},
    {"温度(℃)", 110, "Temperature(C)", 150},
};

}  // namespace

DataListModel::DataListModel(const DataListRows& rows, bool english, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), english_(english), generation_(rows.generation()) {}

void DataListModel::sync() {
    if (generation_ != rows_.generation()) {
        beginResetModel();
        generation_ = rows_.generation();
        endResetModel();
    } else if (rows_.rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, 2), {Qt::DisplayRole});
    }
}

int DataListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.rowCount());
}

int DataListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant DataListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return QString::fromStdString(rows_.text(static_cast<size_t>(index.row()), index.column()));
}

QVariant DataListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section > 2) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(english_ ? kColumns[section].en : kColumns[section].zh);
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

int DataListModel::columnWidth(int column, bool english) {
    return english ? kColumns[column].enWidth : kColumns[column].zhWidth;
}

}  // namespace quorvane
