#pragma once

#include <QWidget>

namespace quorvane {

class PostProcessSession;

// The chart area right of the data list: every paint lays the chart out anew from the
// session, paints it off-screen and shows that image; a pending bitmap save takes the same
// image, written right after the paint (a message box must not open inside a paint).
class ChartWidget : public QWidget {
    Q_OBJECT
  public:
    ChartWidget(PostProcessSession& session, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PostProcessSession& session_;
};

}  // namespace quorvane
