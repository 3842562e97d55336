#include "send/kongsberg_reader.h"

#include <charconv>

#include "common/parse_number.h"
#include "send/profile_datagram.h"

namespace quorvane {

namespace {

// The comma-separated fields of a text, one at a time.
class Fields {
  public:
    explicit Fields(std::string_view text) : rest_(text) {}
    std::optional<std::string_view> next() {
        const size_t comma = rest_.find(',');
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view field = rest_.substr(0, comma);
        rest_.remove_prefix(comma + 1);
        return field;
    }
    std::string_view rest() const { return rest_; }
    void skipLineEnd() {
        if (rest_.starts_with("\r\n")) {
            rest_.remove_prefix(2);
        }
    }

  private:
    std::string_view rest_;
};

std::optional<double> number(const std::optional<std::string_view>& field) {
    return field ? parseFieldNumber(*field) : std::nullopt;
}

std::optional<KongsbergProfile> refuse(std::string& problem, std::string why) {
    problem = std::move(why);
    return std::nullopt;
}

}  // namespace

std::optional<KongsbergProfile> readKongsbergDatagram(std::string_view text, std::string& problem) {
    KongsbergProfile profile;
    if (text.starts_with("$MVS01,00000,")) {
        profile.kind = DatagramKind::S01;
    } else if (text.starts_with("$MVS12,00000,")) {
        profile.kind = DatagramKind::S12;
    } else {
        return refuse(problem, "not an S01 or S12 datagram");
    }
    const size_t star = text.rfind('*');
    if (star == std::string_view::npos || text.substr(star).size() != 6 ||
        !text.ends_with("\\\r\n")) {
        return refuse(problem, "no *hh checksum and \\<CR><LF> at the end");
    }
    unsigned checksum = 0;
    const char* const hex = text.data() + star + 1;
    if (std::from_chars(hex, hex + 2, checksum, 16).ptr != hex + 2 ||
        checksum != kongsbergChecksum(text.substr(1, star - 1))) {
        return refuse(problem, "wrong checksum");
    }
    Fields fields(text.substr(13, star - 13));
    const std::optional<double> count = number(fields.next());
    for (int i = 0; i < 4; ++i) {  // time, day, month, year
        if (!number(fields.next())) {
            return refuse(problem, "no cast time");
        }
    }
    if (!count || *count < 1 || *count > double(kKongsbergMaximumPoints)) {
        return refuse(problem, "a point count that is not 1 to 1000");
    }
    for (int i = 0; i < int(*count); ++i) {
        const std::optional<double> depth = number(fields.next()), speed = number(fields.next()),
                                    temperature = number(fields.next()),
                                    salinity = number(fields.next());
        fields.skipLineEnd();
        if (!depth || !speed || !temperature || !salinity) {
            return refuse(problem, "row " + std::to_string(i + 1) + " is not four numbers");
        }
        if (!profile.points.empty() && *depth <= profile.points.back().depth) {
            return refuse(problem, "depths do not rise at row " + std::to_string(i + 1));
        }
        profile.points.push_back({*depth, *speed, *temperature});
        profile.salinity.push_back(*salinity);
    }
    // Position, source and the like follow; another row would be a count that lies.
    const std::optional<std::string_view> after = fields.next();
    if (after && number(after) && fields.rest().find("\r\n") != std::string_view::npos) {
        return refuse(problem, "more rows than the count says");
    }
    return profile;
}

}  // namespace quorvane
