#pragma once

namespace quorvane {

// The water-depth filter of the exports: the first point always passes, each later one only
// when it lies at least the filter depth away from the point that passed last.
class DepthFilter {
  public:
    DepthFilter(bool enabled, float filterDepth) : enabled_(enabled), filterDepth_(filterDepth) {}

    // Decides for the next point in list order and remembers it when it passes.
    bool accept(double depth);

  private:
    bool enabled_;
    double filterDepth_;
    bool anyAccepted_ = false;
    double lastDepth_ = 0.0;
};

}  // namespace quorvane
