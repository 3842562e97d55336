#pragma once

#include <vector>

#include "postprocess/chart/display_list.h"

namespace quorvane {

// Drops the points of a polyline that cannot change what it draws: inside a run of points in
// one pixel column only the first, the highest, the lowest and the last matter, because the
// run draws one vertical stroke between its extremes. The kept points stay in their order.
void reduceColumns(std::vector<Point>& points);

}  // namespace quorvane
