#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/chart/chart_curves.h"

namespace quorvane {

// One row of the window's file list.
struct FileEntry {
    std::string name;  // with extension, without folder
    std::string typeText;
    std::string path;
    bool operator==(const FileEntry&) const = default;
};

// What a file shows, by its extension (without the dot); case counts, so "Bin" shows nothing.
std::optional<DisplayMode> modeOfExtension(const std::string& extension);

// The type column's text for an extension, empty for one that shows nothing.
std::string FileTypeText(const std::string& extension, bool english);

// The files the user imported, in list order. Names are unique (case-sensitively): a second
// import of a name replaces the path of the first after asking.
class CastFileList {
  public:
    // Adds an entry, or after a Yes to the replace question gives the entry of the same name
    // the new path. True when the list changed.
    bool add(const std::string& path, const std::string& extension, const std::string& name,
             Prompter& prompter, bool english);

    // Removes the entry of a row; the rows after it move up and are numbered anew.
    FileEntry remove(size_t row);

    const std::vector<FileEntry>& entries() const { return entries_; }

    // The path listed under a 1-based number; empty for a number not in the list.
    std::string pathOfNumber(int number) const;

  private:
    void renumber();

    std::vector<FileEntry> entries_;
    std::set<std::string> fileNames_;
    std::map<int, std::string> pathByNumber_;
};

}  // namespace quorvane
