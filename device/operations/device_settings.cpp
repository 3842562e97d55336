#include "device/operations/device_settings.h"

#include "device/operations/command_guards.h"
#include "device/operations/display_rules.h"
#include "device/protocol/command_texts.h"
#include "device/protocol/device_readings.h"

namespace quorvane {

const Message kSetClockQuestion{BoxType::YesNoQuestion,
                                {"是否同时使用本机时间设置设备时间？",
                                 "Are you sure to set the device time using the PC time?"}};

namespace {

constexpr double kMinDensity = 0.0;
constexpr double kMinDepthInterval = 0.1;
constexpr int kPauseAfterSettingMs = 100;

const Message kDensityTooLow{BoxType::WarningOkCancel,
                             {"水密度不能小于0", "Water density can not be less than 0"}};
const Message kIntervalTooLow{BoxType::WarningOkCancel,
                              {"水深间隔不能小于0.1", "Depth interval can not be less than 0.1"}};
const Text kClockReplyUnreadable{"读取设备时间失败！", "Failed to read the device time!"};

// One setting sent to the device and what pane 1 says about its answer.
struct SettingStep {
    std::string command;
    ReplyRule rule;
    Text success;
    Text failure;
};

enum class StepResult { Accepted, Refused, LinkLost };

StepResult sendSetting(DeviceSession& session, const SettingStep& step) {
    const std::optional<std::string> reply = session.channel().exchange(step.command, step.rule);
    if (!reply) {
        return StepResult::LinkLost;
    }
    const bool accepted = *reply == kOkResult;
    session.notifier().setStatus(StatusPane::Messages, accepted ? step.success : step.failure);
    return accepted ? StepResult::Accepted : StepResult::Refused;
}

}  // namespace

SetOutcome OnSetParameters(DeviceSession& session, const DeviceSettings& settings) {
    if (!passesCommandGuards(session)) {
        return SetOutcome::Refused;
    }
    DeviceValues& values = session.values();
    values.density = settings.density;
    values.latitude = settings.latitude;
    values.depthInterval = settings.depthInterval;
    Prompter& prompter = session.prompter();
    if (settings.density < kMinDensity) {
        prompter.ask(kDensityTooLow);
        return SetOutcome::Invalid;
    }
    if (settings.depthInterval < kMinDepthInterval) {
        prompter.ask(kIntervalTooLow);
        return SetOutcome::Invalid;
    }
    Clock& clock = session.channel().clock();
    bool allAccepted = true;
    const auto run = [&](const SettingStep& step) {
        const StepResult result = sendSetting(session, step);
        allAccepted = allAccepted && result == StepResult::Accepted;
        return result != StepResult::LinkLost;
    };
    if (prompter.ask(kSetClockQuestion) == Button::Yes &&
        !run({setUtcTimeCommand(clock.localDateTime()),
              kSetUtcTimeReply,
              {"设置时间成功！", "Set device time success!"},
              {"设置时间失败！", "Set device time Failed!"}})) {
        return SetOutcome::LinkLost;
    }
    clock.sleepMs(kPauseAfterSettingMs);
    const SettingStep steps[] = {
        {setAreaParaCommand(settings.density, settings.latitude),
         kSetAreaParaReply,
         {"设置密度、纬度成功！", "Set density, latitude success!"},
         {"设置密度、纬度失败！", "Set density, latitude Failed!"}},
        {setDepthScaleCommand(settings.depthInterval),
         kSetDepthScaleReply,
         {"设置水深间隔成功！", "Set depth interval success!"},
         {"设置水深间隔失败！", "Set depth interval Failed!"}},
    };
    for (const SettingStep& step : steps) {
        if (!run(step)) {
            return SetOutcome::LinkLost;
        }
        clock.sleepMs(kPauseAfterSettingMs);
    }
    DeviceNotifier& notifier = session.notifier();
    if (allAccepted) {
        notifier.setStatus(StatusPane::Messages, {"参数设置成功！", "Set parameters success!"});
        prompter.ask({BoxType::Information, {"参数设置成功！", "Setting Successfully!"}});
        return SetOutcome::Succeeded;
    }
    notifier.setStatus(StatusPane::Messages, {"参数设置失败！", "Set parameters Failed!"});
    prompter.ask({BoxType::Warning, {"参数设置失败！", "Set parameters Failed!"}});
    return SetOutcome::Failed;
}

std::optional<LocalDateTime> OnReadTime(DeviceSession& session) {
    if (!passesCommandGuards(session)) {
        return std::nullopt;
    }
    const std::optional<std::string> reply = session.channel().exchange(kUtcTimeReply);
    if (!reply || reply->empty()) {
        return std::nullopt;
    }
    DeviceNotifier& notifier = session.notifier();
    const std::optional<LocalDateTime> time = parseClockReply(*reply);
    if (!time) {
        notifier.setStatus(StatusPane::Messages, kClockReplyUnreadable);
        return std::nullopt;
    }
    const std::string text = dateTimeText(*time);
    notifier.setStatus(StatusPane::Messages, {text, text});
    session.prompter().ask(
        {BoxType::InformationOkCancel, {"设备当前时间：" + text, "Current time:" + text}});
    return time;
}

}  // namespace quorvane
