#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/message.h"
#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/chart_curves.h"
#include "postprocess/pipeline/cast_record.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/reduction/cast_reduction.h"
#include "postprocess/session/cast_file_list.h"
#include "postprocess/session/cast_stamp.h"
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

// What the post-processing window shows and the seams its commands reach the user through,
// shared by the session's parts: each part does one job on the one shown cast.
struct SessionState {
    SessionState(bool english, Prompter& prompter, SessionHost& host, std::string startDirectory);

    const std::string& pick(const Text& text) const { return text.pick(english); }
    void show(const Message& message);
    void showFitStatus(FitStatus status);
    // A file dialog that starts in the Data folder (made first when `createFolder`); nothing
    // when cancelled.
    std::optional<FileChoice> chooseFile(FileDialogRequest request, bool createFolder);
    // Takes the edits' values into the data set; false, after saying so, when one is no number.
    bool readControls(const ControlValues& values);
    ControlValues controlValues() const;
    // The shown raw cast as the cast library keeps it, with the time and position a stamp gives;
    // nothing for a profile or average file.
    std::optional<ProcessedCast> shownCast(const std::optional<CastStamp>& stamp) const;
    // Keeps the shown raw cast in the cast library with what was written or sent from it. A
    // stamp (time and position asked for an export) rewrites the record as the cast now stands;
    // without one a cast not kept yet is recorded and one kept keeps what it has (a position
    // typed when it was processed), gaining only the outputs. A profile or average file has no
    // raw cast to key a record by and is not kept.
    void recordShownCast(const std::vector<CastOutput>& outputs,
                         const std::optional<CastStamp>& stamp);

    const bool english;
    Prompter& prompter;
    SessionHost& host;
    const std::string startDirectory;

    CastFileList files;
    DataListRows dataList;
    CastData data;
    DisplayMode displayMode = DisplayMode::Raw;
    std::string currentBaseName;
    ChartAxes axes;
    CurveFlags flags;
    ControlStates controls;
    std::string windowTitle = "QuorvaneFile";
    std::string chartTitle;
    std::string shownPath;                 // the file last opened from the list
    std::optional<int32_t> shownDeviceId;  // its instrument, when it is a raw cast
    uint64_t settingsGeneration = 0;       // changes whenever a load fills the setting edits
    CastRecorder* recorder = nullptr;      // where processed casts are kept; none: not kept
};

}  // namespace quorvane
