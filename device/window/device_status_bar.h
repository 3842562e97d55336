#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace quorvane {

class ElidingLabel;

// The device window's status bar: pane 0 (250 pixels) shows the device's values, pane 1 (200
// pixels, or what the window's width leaves of them) connection and progress messages. A text
// longer than its pane ends in an ellipsis, never in a cut character, and the pane's tool tip
// holds it whole. While a file is received, two bars beside pane 1 draw the progress of the
// file and of the whole selection, which the texts alone only tell in numbers; a file's result
// gets the whole pane, marked when the file is not the device's file as it is.
class DeviceStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    // `english`: the language of the bars' tool tips.
    explicit DeviceStatusBar(bool english, QWidget* parent = nullptr);

    // A device value (pane 0) or a message (pane 1); a message ends the bars.
    void setPaneText(int pane, const QString& text);
    // Pane 1's text while a file is received: the bars stay.
    void setProgressText(const QString& text);
    // The whole text of a pane, however much of it shows.
    QString paneText(int pane) const;
    const QLabel* paneLabel(int pane) const;

    // File progress x 100 (10000: every byte in), the file's place in the selection and the
    // selection's size; shows the bars when they are hidden.
    void showProgress(int64_t fileProgress, int filePosition, int fileCount);
    void hideProgress();
    bool progressShown() const;
    QProgressBar* selectionBar() const { return selectionBar_; }

    // A file's transfer has ended: its result in pane 1, marked when the file is damaged.
    void showResult(const QString& text, bool damaged);
    bool damageShown() const;

  private:
    void setDamageShown(bool damaged);

    bool english_;
    ElidingLabel* panes_[2];
    QLabel* damageMark_;
    QWidget* progress_;
    QProgressBar* fileBar_;
    QProgressBar* selectionBar_;
};

}  // namespace quorvane
