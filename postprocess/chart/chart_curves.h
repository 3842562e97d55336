#pragma once

#include <array>
#include <cstdint>

#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/display_list.h"
#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// Which of a cast's profiles the chart is about: the raw samples, a fitted profile or an
// average, as the file opened says.
enum class DisplayMode : int32_t { Raw = 0, Fitting = 1, Average = 2 };

struct CurveFlags {
    bool castSvp = true, castTemp = true, fittedSvp = false, fittedTemp = false, average = false;
};

// The seven curves in drawing and legend order.
enum class CurveId { DownSvp, UpSvp, DownTemp, UpTemp, FittedSvp, FittedTemp, Average };

struct CurveStyle {
    CurveId id;
    const char* english;
    const char* chinese;  // UTF-8
    Rgb color;
};

extern const std::array<CurveStyle, 7> kCurveStyles;

bool curveShown(const CurveFlags& flags, CurveId id);
Pen curvePen(const CurveStyle& style);

// The shown curves as polylines over `plot`, in the order of kCurveStyles.
void addCurves(DisplayList& list, const CastData& data, const CurveFlags& flags,
               const ChartAxes& axes, const Rect& plot);

// Another cast's profile drawn over the shown one for comparison: orange, which none of the
// cast's own curves uses, and as wide as they are.
inline constexpr Rgb kReferenceColor{255, 128, 0};
Pen referencePen();

// The profile's sound speed as a polyline over `plot`, on the velocity axis.
void addReferenceCurve(DisplayList& list, const std::vector<ProfilePoint>& profile,
                       const ChartAxes& axes, const Rect& plot);

}  // namespace quorvane
