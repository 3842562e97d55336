#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "postprocess/session/cast_file_commands.h"
#include "postprocess/session/chart_view.h"
#include "postprocess/session/data_edits.h"
#include "postprocess/session/export_flow.h"
#include "postprocess/session/session_state.h"

namespace quorvane {

// The post-processing window without its widgets: the shown cast's state and the parts that
// act on it, one per job. The window shows what this holds after each command and passes the
// user's input in.
class PostProcessSession {
  public:
    PostProcessSession(bool english, Prompter& prompter, SessionHost& host,
                       std::string startDirectory)
        : state_(english, prompter, host, std::move(startDirectory)) {}

    // File menu.
    void importRawFile() { files_.importRawFile(); }
    void importProfileFile() { files_.importProfileFile(); }
    void importAverageFile() { files_.importAverageFile(); }
    void saveProfileFile() { files_.saveProfileFile(); }
    void saveAverageFile() { files_.saveAverageFile(); }
    void saveGraphics() { chart_.saveGraphics(); }
    void deleteSelectedFile(int row) { files_.deleteSelectedFile(row); }
    void addFileEntry(const std::string& path, const std::string& extension,
                      const std::string& name) {
        files_.addFileEntry(path, extension, name);
    }

    // The file list: a double-click on a row (-1: not on a row) and the Delete key.
    void openFileListRow(int row) { files_.openFileListRow(row); }
    void deleteFileByKey(int row) { files_.deleteFileByKey(row); }

    // Data analysis menu.
    void toggleCurve(Curve curve) { chart_.toggleCurve(curve); }

    // The data list's in-place editor committed `editorText` into a cell.
    void commitCell(size_t row, int column, const std::string& editorText) {
        edits_.commitCell(row, column, editorText);
    }

    // Buttons and check boxes, with the controls' values of the moment.
    void resetSettings(const ControlValues& values) { edits_.resetSettings(values); }
    void enableSettings(const ControlValues& values) { edits_.enableSettings(values); }
    void filterCheck(const ControlValues& values) { edits_.filterCheck(values); }
    void exportData(ExportKind kind, const ControlValues& values) {
        export_.exportData(kind, values);
    }

    // The chart as the window paints it, and the bitmap a pending save wants from that paint.
    ChartPicture layoutChart(int width, int height, Rgb buttonFace, const TextMeasurer& measure) {
        return chart_.layoutChart(width, height, buttonFace, measure);
    }
    bool bitmapSavePending() const { return chart_.bitmapSavePending(); }
    void writePendingBitmap(const Pixels& pixels, int bitCount) {
        chart_.writePendingBitmap(pixels, bitCount);
    }

    // Where the raw casts shown are kept (the cast library); none: not kept.
    void setCastRecorder(CastRecorder* recorder) { state_.recorder = recorder; }
    CastRecorder* castRecorder() const { return state_.recorder; }
    std::optional<ProcessedCast> shownCast(const std::optional<CastStamp>& stamp) const {
        return state_.shownCast(stamp);
    }

    // Closing the window lets go of the records.
    void close() {
        state_.data.rawRecords.clear();
        state_.data.rawRecords.shrink_to_fit();
    }

    bool english() const { return state_.english; }
    const CastFileList& files() const { return state_.files; }
    const DataListRows& dataList() const { return state_.dataList; }
    const ControlStates& controls() const { return state_.controls; }
    ControlValues controlValues() const { return state_.controlValues(); }
    // Changes whenever a load put new values into the setting edits.
    uint64_t settingsGeneration() const { return state_.settingsGeneration; }
    const std::string& windowTitle() const { return state_.windowTitle; }
    const std::string& chartTitle() const { return state_.chartTitle; }
    const CurveFlags& curveFlags() const { return state_.flags; }
    const CastData& data() const { return state_.data; }
    const std::string& shownPath() const { return state_.shownPath; }
    DisplayMode displayMode() const { return state_.displayMode; }
    // The shown file's name without folder and extension: the name its saves propose.
    const std::string& currentBaseName() const { return state_.currentBaseName; }
    const ChartAxes& axes() const { return state_.axes; }

  private:
    SessionState state_;
    CastFileCommands files_{state_};
    DataEdits edits_{state_};
    ExportFlow export_{state_};
    ChartView chart_{state_};
};

}  // namespace quorvane
