#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

#include "send/profile_sender.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvane {

// The send under way, beside the window and never in its way: the profile goes out on a
// thread of its own, each target's outcome is listed as it comes, and Stop ends the wait for a
// sonar's receipt. Closing the panel stops it too.
class SendPanel : public QDialog {
    Q_OBJECT
  public:
    SendPanel(bool english, SendRequest request, QWidget* parent);
    ~SendPanel() override;

    bool finished() const { return finished_; }
    // Hears each target's outcome on the window thread, as it is listed.
    std::function<void(const SendReport&)> onReport;
    QListWidget* lines() const { return lines_; }
    QPushButton* stopButton() const { return stop_; }

  signals:
    void sendFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void report(const SendReport& report);
    void finish();

    bool english_;
    QLabel* status_;
    QListWidget* lines_;
    QPushButton* stop_;
    std::atomic<bool> stopRequested_{false};
    bool finished_ = false;
    int succeeded_ = 0;
    int reported_ = 0;
    std::thread worker_;
};

}  // namespace quorvane
