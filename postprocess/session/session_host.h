#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/message.h"
#include "postprocess/session/cast_stamp.h"

namespace quorvane {

// A file dialog as the window's commands describe it; the window shows the platform's dialog,
// tests answer it.
struct FileDialogRequest {
    bool save = false;
    Text title{};
    // "description|pattern|...||". The selected pattern's extension ("*.vel": "vel") is appended
    // to a name typed without one, so the type chosen names the file.
    std::string filter{};
    std::string folder{};    // where the dialog starts
    std::string fileName{};  // proposed name (save dialogs)
    // Save dialogs: the file the command will write for a chosen path and 1-based filter index,
    // which the question before replacing a file names; nothing where the command asks about an
    // existing file itself. Unset: the chosen path.
    std::function<std::optional<std::string>(const std::string& path, int filterIndex)>
        writtenFile{};
};

struct FileChoice {
    std::string path;     // UTF-8, absolute
    int filterIndex = 1;  // 1-based, as the dialog reports it
};

// What the window logic needs from the window besides message boxes: the file dialogs, the
// start-depth dialog, the cast dialog of the acquisition formats and an immediate repaint (so the
// chart shows the average before the result box covers the window). None of them may change the
// process's current directory.
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    virtual std::optional<FileChoice> chooseFile(const FileDialogRequest& request) = 0;
    virtual std::optional<float> askStartDepth(float proposed) = 0;
    // The cast's time and position (the position only when `positionWanted`); nothing when
    // the user cancels.
    virtual std::optional<CastStamp> askCastStamp(const CastStampTexts& proposed,
                                                  bool positionWanted) = 0;
    virtual void repaintNow() = 0;
};

}  // namespace quorvane
