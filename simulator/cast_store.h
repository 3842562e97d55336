#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::sim {

struct StoredCast {
    std::string name;
    uint64_t size = 0;
    std::time_t modified = 0;
};

// The instrument's memory card: a folder of raw cast files. Only names the instrument can
// send are shown (at most 19 bytes, none of them NUL, CR, LF, ',' or '*', not hidden); other
// files in the folder are left alone. Other bytes pass as they are: GBK names, and names with
// control characters, as a card written by another tool may hold.
class CastStore {
  public:
    explicit CastStore(std::string folder) : folder_(std::move(folder)) {}

    const std::string& folder() const { return folder_; }
    bool prepare() const;  // creates the folder when it is missing

    // In name order, so a file keeps its index until a file before it goes. Empty when the
    // folder cannot be read (see readable()).
    std::vector<StoredCast> list() const;
    bool readable() const;

    std::optional<std::string> read(const std::string& name) const;
    bool write(const std::string& name, std::string_view bytes, std::time_t modified) const;
    bool remove(const std::string& name) const;

    static bool isCardName(std::string_view name);

  private:
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

}  // namespace quorvane::sim
