// Cantrelan: the English captions of the launcher's window template. The labels say in a few
// words what each button opens, short enough for the template's one-line rectangles.
#include "lang/caption_table.h"
#include "launcher/launcher_ids.h"

namespace {

using namespace quorvane::launcherids;

constexpr QuorvaneCaption kCaptions[] = {
    {kMainDialog, "Quorvane"},
    {kDeviceButton, "Device"},
    {kDeviceLabel, "Connect, set up, download casts"},
    {kFileButton, "Files"},
    {kFileLabel, "Process casts into profiles"},
};

}  // namespace

extern "C" QUORVANE_LANGUAGE_EXPORT const QuorvaneCaption* quorvaneCaptionTable(int32_t* count) {
    *count = static_cast<int32_t>(sizeof kCaptions / sizeof kCaptions[0]);
    return kCaptions;
}
