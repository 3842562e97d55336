#include "postprocess/session/data_edits.h"

#include <cstdlib>

#include "postprocess/profilefiles/point_ranges.h"
#include "postprocess/rawcast/raw_cast_messages.h"

namespace quorvane {

void DataEdits::commitCell(size_t row, int column, const std::string& editorText) {
    if (row >= s_.dataList.rowCount() || column < 0 || column > 2) {
        return;
    }
    const auto cellText = cellTextOf(editorText);
    if (!cellText) {
        s_.show(kCellValueRefused);
        return;
    }
    s_.dataList.setText(row, column, *cellText);
    storeCellValue(row, column, std::atof(cellText->c_str()));
}

void DataEdits::storeCellValue(size_t row, int column, double value) {
    // The list may still show rows of a profile a later load emptied: such rows have no point.
    switch (s_.displayMode) {
        case DisplayMode::Raw: {
            if (row >= s_.data.rawProfile.size())
                return;
            ProfilePoint& p = s_.data.rawProfile[row];
            (column == 0 ? p.depth : column == 1 ? p.soundVelocity : p.temperature) = value;
            UpdateRawRanges(s_.data);
            s_.showFitStatus(SplitCasts(s_.data));
            break;
        }
        case DisplayMode::Fitting: {
            if (row >= s_.data.fittedProfile.size())
                return;
            ProfilePoint& p = s_.data.fittedProfile[row];
            (column == 0 ? p.depth : column == 1 ? p.soundVelocity : p.temperature) = value;
            UpdateFittedRanges(s_.data);
            break;
        }
        case DisplayMode::Average: {
            if (row >= s_.data.averageProfile.size())
                return;
            AveragePoint& p = s_.data.averageProfile[row];
            if (column == 2) {
                s_.dataList.setText(row, column, "");
                return;
            }
            (column == 0 ? p.depth : p.averageVelocity) = value;
            UpdateAverageRanges(s_.data);
            break;
        }
    }
}

void DataEdits::enableSettings(const ControlValues& values) {
    s_.readControls(values);
}

void DataEdits::filterCheck(const ControlValues& values) {
    s_.readControls(values);
}

void DataEdits::resetSettings(const ControlValues& values) {
    const Message question{
        BoxType::YesNoQuestion,
        {"点击设置将使数据列表中已修改的数据无效，请确认是否确定要进行修改设置？",
         "Reset the Settings will make the data int the Dala List invalid.\nAre you sure to do "
         "this?"}};
    if (s_.prompter.ask(question) != Button::Yes || !s_.readControls(values)) {
        return;
    }
    if (!depthIntervalUsable(s_.data.depthInterval)) {
        s_.show(depthIntervalMessage());
        return;
    }
    const FitStatus status = ReduceSamples(s_.data);
    s_.dataList.fill(s_.data.rawProfile);
    s_.showFitStatus(status);
}

}  // namespace quorvane
