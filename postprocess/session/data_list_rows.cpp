#include "postprocess/session/data_list_rows.h"

#include <cmath>
#include <cstdlib>

#include "common/strformat.h"

namespace quorvane {

const Message kCellValueRefused{
    BoxType::WarningOkCancel,
    {"输入的数值超出范围，单元格保持原值。",
     "The number typed is too large to be used; the cell keeps its value."}};

void DataListRows::clear() {
    values_.clear();
    replaced();
}

void DataListRows::fill(const std::vector<ProfilePoint>& points) {
    values_.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        values_[i] = {points[i].depth, points[i].soundVelocity, points[i].temperature};
    }
    thirdColumn_ = true;
    replaced();
}

void DataListRows::fill(const std::vector<AveragePoint>& points) {
    values_.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        values_[i] = {points[i].depth, points[i].averageVelocity, 0.0};
    }
    thirdColumn_ = false;
    replaced();
}

std::string DataListRows::text(size_t row, int column) const {
    const auto edited = editedTexts_.find({row, column});
    if (edited != editedTexts_.end()) {
        return edited->second;
    }
    if (column == 2 && !thirdColumn_) {
        return "";
    }
    return strformat("%.3f", values_.at(row).at(static_cast<size_t>(column)));
}

void DataListRows::setText(size_t row, int column, std::string text) {
    editedTexts_[{row, column}] = std::move(text);
}

void DataListRows::replaced() {
    editedTexts_.clear();
    ++generation_;
}

std::optional<std::string> cellTextOf(const std::string& editorText) {
    const double value = std::atof(editorText.c_str());
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return strformat("%.2f", value);
}

}  // namespace quorvane
