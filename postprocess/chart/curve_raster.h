#pragma once

#include <cstdint>
#include <vector>

#include "postprocess/chart/bitmap_file.h"
#include "postprocess/chart/display_list.h"

namespace quorvane {

// Rows of 0x00RRGGBB pixels, top-down, `stride` pixels from the start of one row to the next
// (a QImage of Format_RGB32 or a Pixels buffer).
struct PixelView {
    uint32_t* data = nullptr;
    int width = 0, height = 0, stride = 0;
};

PixelView viewOf(Pixels& pixels);

// Draws a solid curve straight into the pixels, exactly as the window's painter draws it
// without antialiasing: a pen n pixels wide covers what a one-pixel line covers when swept over
// an n x n square (offsets -n/2 .. n-1-n/2 from each point), and the one-pixel line follows
// the screen painter's aliased rule (first pixel of a segment drawn, last one left to the next
// segment, a pixel added or dropped where the line turns back, lines clipped one pixel
// outside the bitmap). A segment costs a few integer steps, one per pixel of its length, with
// nothing set up per segment; the top byte of every pixel drawn is set, as the painter sets it.
class CurveRaster {
  public:
    void draw(const PixelView& target, const PolylineOp& curve);

  private:
    // Coverage of one curve over the pixels (0..width) x (0..height): one more column and row
    // than the target, for lines that an offset of the pen moves back inside.
    std::vector<uint8_t> mask_;
};

}  // namespace quorvane
