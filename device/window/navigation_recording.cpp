#include "device/window/navigation_recording.h"

#include "navigation/nav_recorder.h"

namespace quorvane {

NavigationRecording::NavigationRecording(std::unique_ptr<NavInput> input, std::string logPath,
                                         bool english, QObject* parent)
    : QObject(parent), input_(std::move(input)) {
    thread_ = std::thread([this, english, logPath = std::move(logPath)] {
        NavRecorder recorder(logPath, pcClockMs);
        PcClockWatch clock;
        QString clockWarning;
        size_t shown = 0;
        const std::string failure = recordNavigation(
            *input_, recorder, [this] { return stop_.load(); },
            [&](const NavRecorder::Outcome& outcome) {
                if (const std::optional<Text> said = clock.update(outcome.clockAheadS)) {
                    clockWarning =
                        clock.off() ? QString::fromStdString(said->pick(english)) : QString();
                    shown = SIZE_MAX;  // said at once
                }
                if (recorder.fixesWritten() == shown) {
                    return;
                }
                shown = recorder.fixesWritten();
                const QString count = english ? QString("Navigation: %1 fixes").arg(shown)
                                              : QString::fromUtf8("导航：%1个定位").arg(shown);
                emit progress(clockWarning.isEmpty() ? count : count + "  " + clockWarning,
                              !clockWarning.isEmpty());
            });
        if (!failure.empty()) {
            emit failed(QString::fromStdString(failure));
        }
    });
}

NavigationRecording::~NavigationRecording() {
    stop_ = true;
    thread_.join();
}

}  // namespace quorvane
