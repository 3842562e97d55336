// Duvrelan: the English captions of QuorvaneDevice's window template. Captions are kept about
// as short as the Chinese ones, because both languages share the template's rectangles.
#include "device/window/device_window_ids.h"
#include "lang/caption_table.h"

namespace {

using namespace quorvane::deviceids;

constexpr QuorvaneCaption kCaptions[] = {
    {kMainDialog, "QuorvaneDevice"},
    {kDeviceGroup, "Device operation"},
    {kConnectButton, "Connect device"},
    {kSettingsGroup, "Settings"},
    {kDensityLabel, "Density:"},
    {kDensityUnit, "g/cm3"},
    {kLatitudeLabel, "Latitude:"},
    {kLatitudeUnit, "degrees"},
    {kDepthIntervalLabel, "Interval:"},
    {kDepthIntervalUnit, "m"},
    {kSetButton, "Set"},
    {kReadTimeButton, "Read time"},
    {kMemoryGroup, "Memory"},
    {kFreeMemoryLabel, "Free"},
    {kUsedMemoryLabel, "Used"},
    {kClearButton, "Clear"},
    {kFileGroup, "File operation"},
    {kFileListButton, "File list"},
    {kExportButton, "Export"},
    {kDeleteButton, "Delete"},
    {kClearFilesButton, "Clear files"},
    {kRecordNavigationCheck, "Record navigation"},
};

}  // namespace

extern "C" QUORVANE_LANGUAGE_EXPORT const QuorvaneCaption* quorvaneCaptionTable(int32_t* count) {
    *count = static_cast<int32_t>(sizeof kCaptions / sizeof kCaptions[0]);
    return kCaptions;
}
