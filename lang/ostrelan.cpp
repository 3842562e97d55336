// Ostrelan: the English captions of QuorvaneFile's window templates. Label captions are kept
// as short as the Chinese ones, because both languages share the templates' rectangles.
#include "lang/caption_table.h"
#include "postprocess/window/file_window_ids.h"

namespace {

using namespace quorvane::fileids;

constexpr QuorvaneCaption kCaptions[] = {
    {kMainDialog, "QuorvaneFile"},
    {kFileGroup, "File list and information"},
    {kEnableSettingsCheck, "Set"},
    {kDensityLabel, "Dens:"},
    {kDensityUnit, "g/cm3"},
    {kLatitudeLabel, "Lat:"},
    {kLatitudeUnit, "°"},
    {kDepthIntervalLabel, "Interval:"},
    {kDepthIntervalUnit, "m"},
    {kResetButton, "Reset"},
    {kDataListLabel, "Data list"},
    {kExportGroup, "Export"},
    {kFilterCheck, "Filter:"},
    {kFilterDepthUnit, "m"},
    {kExportRawButton, "Raw data"},
    {kExportFittingButton, "Fitting data"},
    {kExportAverageButton, "Average"},

    {kStartDepthDialog, "Average Sound Velocity"},
    {kOkButton, "OK"},
    {kStartDepthLabel, "Start depth:"},
    {kStartDepthUnit, "m"},

    {kFilePopup, "File"},
    {kImportRawFile, "Import raw data file"},
    {kImportProfileFile, "Import fitting data file"},
    {kImportAverageFile, "Import average sound velocity file"},
    {kSaveProfileFile, "Save fitting data file"},
    {kSaveAverageFile, "Save average sound velocity file"},
    {kSaveGraphics, "Save current graphics file"},
    {kDeleteSelectedFile, "Delete selected file"},
    {kSendToAcquisition, "Send to acquisition system..."},
    {kAnalysisPopup, "Data analysis"},
    {kCastSvp, "Up/down sound velocity"},
    {kCastTemp, "Up/down temperature"},
    {kFittedSvp, "Fitting sound velocity"},
    {kFittedTemp, "Fitting temperature"},
    {kAverage, "Average sound velocity"},
    {kCastLibrary, "Cast library..."},
};

}  // namespace

extern "C" QUORVANE_LANGUAGE_EXPORT const QuorvaneCaption* quorvaneCaptionTable(int32_t* count) {
    *count = static_cast<int32_t>(sizeof kCaptions / sizeof kCaptions[0]);
    return kCaptions;
}
