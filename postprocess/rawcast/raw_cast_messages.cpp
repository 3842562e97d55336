#include "postprocess/rawcast/raw_cast_messages.h"

#include "common/strformat.h"

namespace quorvane {

Message rawLoadMessage(RawLoadProblem problem, const std::string& path) {
    switch (problem) {
        case RawLoadProblem::FileSizeError:
            return {BoxType::WarningOkCancel,
                    {"文件大小异常，请选择其他文件。",
                     "The file size error. Please select another file."}};
        case RawLoadProblem::SizeUnknown:
            return {BoxType::WarningOkCancel,
                    {strformat("读取数据文件%s失败！", path.c_str()),
                     strformat("Failed to read file : %s", path.c_str())}};
        case RawLoadProblem::CannotOpen:
            break;
    }
    return {BoxType::WarningOkCancel,
            {strformat("读取原始数据文件%s失败！", path.c_str()),
             strformat("Failed to read Raw file : %s", path.c_str())}};
}

Message depthIntervalMessage() {
    return {BoxType::WarningOkCancel,
            {"水深间隔不能小于0.1", "Depth interval can not be less than 0.1m!"}};
}

}  // namespace quorvane
