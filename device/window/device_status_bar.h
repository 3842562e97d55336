#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace quorvane {

// The device window's status bar: pane 0 (250 pixels) shows the device's values, pane 1 (200
// pixels, or what the window's width leaves of them) connection and progress messages. While a
// download runs, two bars beside pane 1 draw the progress of the file being received and of
// the whole selection, which the texts alone only tell in numbers.
class DeviceStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    // `english`: the language of the bars' tool tips.
    explicit DeviceStatusBar(bool english, QWidget* parent = nullptr);

    void setPaneText(int pane, const QString& text);
    QString paneText(int pane) const;

    // File progress x 100 (10000: every byte in), whether the file's transfer has ended (well
    // or not), the file's place in the selection and the selection's size; shows the bars
    // when they are hidden.
    void showProgress(int64_t fileProgress, bool fileEnded, int filePosition, int fileCount);
    void hideProgress();
    bool progressShown() const;
    QProgressBar* fileBar() const { return fileBar_; }
    QProgressBar* selectionBar() const { return selectionBar_; }

  private:
    bool english_;
    QLabel* panes_[2];
    QWidget* progress_;
    QProgressBar* fileBar_;
    QProgressBar* selectionBar_;
};

}  // namespace quorvane
