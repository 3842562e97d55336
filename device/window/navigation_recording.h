#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "navigation/nav_input.h"

namespace quorvane {

// The ship's navigation written to its log on a thread of its own, for as long as this lives:
// reading a serial port or a UDP port must never wait on the window, nor the window on it. What
// it has to say reaches the window thread as signals.
class NavigationRecording : public QObject {
    Q_OBJECT
  public:
    NavigationRecording(std::unique_ptr<NavInput> input, std::string logPath, bool english,
                        QObject* parent = nullptr);
    // Stops at the next line or within a fifth of a second, and waits for the thread: the last
    // line is whole.
    ~NavigationRecording() override;

  signals:
    // "Navigation: 120 fixes", with the PC clock's warning while it is off.
    void progress(const QString& text, bool warning);
    // The input failed (a serial adapter pulled out); the recording has ended.
    void failed(const QString& reason);

  private:
    std::unique_ptr<NavInput> input_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace quorvane
