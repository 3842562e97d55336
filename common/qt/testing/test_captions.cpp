// A language library of two captions, so that the caption loader is tested without the tables
// of the programs' windows.
#include "lang/caption_table.h"

namespace {

constexpr QuorvaneCaption kCaptions[] = {
    {1, "Reset"},
    {2, "Data analysis"},
};

}  // namespace

extern "C" QUORVANE_LANGUAGE_EXPORT const QuorvaneCaption* quorvaneCaptionTable(int32_t* count) {
    *count = static_cast<int32_t>(sizeof kCaptions / sizeof kCaptions[0]);
    return kCaptions;
}
