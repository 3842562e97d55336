#pragma once

#include <string>

#include "postprocess/session/session_state.h"

namespace quorvane {

// The file list and what it opens: imports, the file menu's saves, a double-click that loads a
// file and sets the menus for its kind, and the two ways of deleting an entry.
class CastFileCommands {
  public:
    explicit CastFileCommands(SessionState& state) : s_(state) {}

    void importRawFile();
    void importProfileFile();
    void importAverageFile();
    void addFileEntry(const std::string& path, const std::string& extension,
                      const std::string& name);
    void saveProfileFile();
    void saveAverageFile();

    // A double-click on a row (-1: not on a row).
    void openFileListRow(int row);
    // The menu's delete also clears the display when the entry is the shown cast; the Delete
    // key only takes the entry off the list.
    void deleteSelectedFile(int row);
    void deleteFileByKey(int row);

  private:
    void importFile(const Text& title, const char* filter, bool createFolder);
    void loadRaw(const std::string& path);
    void loadProfile(const std::string& path);
    void loadAverage(const std::string& path);
    void setModeControls(DisplayMode mode);
    void clearDisplay();

    SessionState& s_;
};

}  // namespace quorvane
