#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "postprocess/chart/chart_layout.h"

namespace quorvane {

class PostProcessSession;

// The chart area right of the data list: every paint lays the chart out anew from the
// session, paints it off-screen and shows that image; a pending bitmap save takes the same
// image, written right after the paint (a message box must not open inside a paint).
class ChartWidget : public QWidget {
    Q_OBJECT
  public:
    ChartWidget(PostProcessSession& session, QWidget* parent = nullptr);

    // A profile drawn over the cast shown now (the previous cast, compared). It belongs to
    // that cast: once the session shows another file it is dropped. The session never learns
    // of it, so its exports and saves stay those of the cast alone.
    void setReference(ReferenceProfile reference);
    void clearReference();
    bool hasReference();

    // What a paint draws at the widget's size.
    ChartPicture picture();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PostProcessSession& session_;
    std::optional<ReferenceProfile> reference_;
    std::string referencePath_;
};

}  // namespace quorvane
