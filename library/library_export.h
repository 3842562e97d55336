#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "library/cast_library.h"

namespace quorvane {

// A listing as a file: KML for a chart plotter or Google Earth, GeoJSON for a GIS (both only
// the casts with a position), CSV for a spreadsheet and JSON for scripts (every cast, the
// position empty or null where unknown). Each cast carries the same facts in every format.
enum class ListFormat { Kml, GeoJson, Csv, Json };

// "kml", "geojson", "csv", "json", as a command line names them.
std::optional<ListFormat> listFormatNamed(std::string_view name);

struct ListText {
    std::string bytes;
    size_t written = 0;          // casts in the text
    size_t withoutPosition = 0;  // left out of KML and GeoJSON for want of a position
};
ListText listText(std::span<const LibraryCast> casts, ListFormat format);

// listText written to a file; the problem names the file when it cannot be written whole.
LibraryResult<ListText> exportList(std::span<const LibraryCast> casts, ListFormat format,
                                   const std::string& utf8Path);

}  // namespace quorvane
