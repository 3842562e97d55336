#include "device/operations/command_guards.h"

namespace quorvane {

const Message kBusyBox{BoxType::WarningOkCancel,
                       {"后台正在处理数据，请稍后再操作！",
                        "The data processing is running, please try again later!"}};
const Message kNotConnectedBox{BoxType::WarningOkCancel,
                               {"设备未连接！", "The device is not connected!"}};

bool passesBusyGuard(DeviceSession& session) {
    if (session.busy()) {
        session.prompter().ask(kBusyBox);
        return false;
    }
    return true;
}

bool passesConnectedGuard(DeviceSession& session) {
    if (!session.connected()) {
        session.prompter().ask(kNotConnectedBox);
        return false;
    }
    return true;
}

bool passesCommandGuards(DeviceSession& session) {
    return passesBusyGuard(session) && passesConnectedGuard(session);
}

}  // namespace quorvane
