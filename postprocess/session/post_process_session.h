#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/message.h"
#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/bitmap_file.h"
#include "postprocess/chart/chart_layout.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/reduction/cast_reduction.h"
#include "postprocess/session/cast_file_list.h"
#include "postprocess/session/data_list_rows.h"
#include "postprocess/session/session_host.h"

namespace quorvane {

struct MenuItemState {
    bool enabled = true;
    bool checked = false;
    bool operator==(const MenuItemState&) const = default;
};

// Everything of the window's menu and controls that the rules switch; the setting edits and
// Reset follow `settingsEnabled`, the filter edit follows `filterEnabled`.
struct ControlStates {
    MenuItemState saveProfile;
    MenuItemState castSvp{true, true}, castTemp{true, true};
    MenuItemState fittedSvp, fittedTemp, average;
    bool settingsEnabled = false;       // box 1016 checked
    bool settingsCheckEnabled = false;  // box 1016 usable
    bool filterEnabled = false;         // box 1014 checked
    bool exportRaw = false, exportFitting = false, exportAverage = false;
    bool operator==(const ControlStates&) const = default;
};

// The texts of the edits and the state of the check boxes, exchanged with the window.
struct ControlValues {
    std::string density, latitude, depthInterval, filterDepth;
    bool settingsEnabled = false;
    bool filterEnabled = false;
};

// The curve commands of the data analysis menu.
enum class Curve { CastSvp, CastTemp, FittedSvp, FittedTemp, Average };

// The post-processing window without its widgets: the file list, the data set of the shown
// file, the display mode, the curve flags and every rule that ties them together. The window
// shows what this holds after each command and passes the user's input in.
class PostProcessSession {
  public:
    PostProcessSession(bool english, Prompter& prompter, SessionHost& host,
                       std::string startDirectory);

    // File menu.
    void importRawFile();
    void importProfileFile();
    void importAverageFile();
    void saveProfileFile();
    void saveAverageFile();
    void saveGraphics();
    void deleteSelectedFile(int row);
    void addFileEntry(const std::string& path, const std::string& extension,
                      const std::string& name);

    // The file list: a double-click on a row (-1: not on a row) and the Delete key.
    void openFileListRow(int row);
    void deleteFileByKey(int row);

    // Data analysis menu.
    void toggleCurve(Curve curve);

    // The data list's in-place editor committed `editorText` into a cell.
    void commitCell(size_t row, int column, const std::string& editorText);

    // Buttons and check boxes, with the controls' values of the moment.
    void resetSettings(const ControlValues& values);
    void enableSettings(const ControlValues& values);
    void filterCheck(const ControlValues& values);
    void exportData(ExportKind kind, const ControlValues& values);

    // The chart as the window paints it, and the bitmap a pending save wants from that paint.
    ChartPicture layoutChart(int width, int height, Rgb buttonFace, const TextMeasurer& measure);
    bool bitmapSavePending() const { return pendingBitmapPath_.has_value(); }
    void writePendingBitmap(const Pixels& pixels, int bitCount);

    // Closing the window lets go of the records.
    void close();

    bool english() const { return english_; }
    const CastFileList& files() const { return files_; }
    const DataListRows& dataList() const { return dataList_; }
    const ControlStates& controls() const { return controls_; }
    ControlValues controlValues() const;
    // Changes whenever a load put new values into the setting edits.
    uint64_t settingsGeneration() const { return settingsGeneration_; }
    const std::string& windowTitle() const { return windowTitle_; }
    const std::string& chartTitle() const { return chartTitle_; }
    const CurveFlags& curveFlags() const { return flags_; }
    const CastData& data() const { return data_; }
    DisplayMode displayMode() const { return displayMode_; }
    // The shown file's name without folder and extension: the name its saves propose.
    const std::string& currentBaseName() const { return currentBaseName_; }
    const ChartAxes& axes() const { return axes_; }

  private:
    const std::string& pick(const Text& text) const { return text.pick(english_); }
    void show(const Message& message);
    void showFitStatus(FitStatus status);
    std::string dataFolder(bool create) const;
    std::optional<FileChoice> chooseFile(FileDialogRequest request, bool createFolder);
    void importFile(const Text& title, const char* filter, bool createFolder);
    bool readControls(const ControlValues& values);
    void loadRaw(const std::string& path);
    void loadProfile(const std::string& path);
    void loadAverage(const std::string& path);
    void setModeControls(DisplayMode mode);
    bool computeAverage();
    void storeCellValue(size_t row, int column, double value);
    void clearDisplay();

    bool english_;
    Prompter& prompter_;
    SessionHost& host_;
    std::string startDirectory_;

    CastFileList files_;
    DataListRows dataList_;
    CastData data_;
    DisplayMode displayMode_ = DisplayMode::Raw;
    std::string currentBaseName_;
    ChartAxes axes_;
    CurveFlags flags_;
    ControlStates controls_;
    std::string windowTitle_ = "QuorvaneFile";
    std::string chartTitle_;
    int selectedRow_ = -1;
    std::string shownPath_;                 // the file last opened from the list
    std::optional<int32_t> shownDeviceId_;  // its instrument, when it is a raw cast
    uint64_t settingsGeneration_ = 0;
    std::optional<std::string> pendingBitmapPath_;
};

}  // namespace quorvane
