#include "library/library_export.h"

#include <cstdio>

#include "common/file_io.h"
#include "common/strformat.h"

namespace quorvane {

namespace {

// One fact of a cast: its text, and whether JSON writes it bare. Nothing where unknown.
struct Field {
    const char* name;
    std::optional<std::string> text;
    bool number = false;
    bool position = false;  // the geometry of KML and GeoJSON, a field of the others
};

std::optional<std::string> fixedOrNothing(const std::optional<CastFacts>& facts,
                                          double CastFacts::*member, int decimals) {
    return facts ? std::optional(fixedDecimals((*facts).*member, decimals)) : std::nullopt;
}

std::string utcIso(const CastTime& t) {
    return strformat("%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                     t.second);
}

// Positions to 1e-7 degrees (about a centimetre), depths and speeds to the centimetre and
// temperatures to the thousandth, as the instrument gives them.
std::vector<Field> fieldsOf(const LibraryCast& cast) {
    const CastRecord& r = cast.record;
    const std::optional<CastFacts>& f = cast.facts;
    const auto& p = r.position;
    return {
        {"id", std::to_string(cast.id), true},
        {"file_name", r.fileName},
        {"local_time", castTimeText(r.localTime)},
        {"utc_time", r.utcTime ? std::optional(utcIso(*r.utcTime)) : std::nullopt},
        {"latitude", p ? std::optional(fixedDecimals(p->latitude, 7)) : std::nullopt, true, true},
        {"longitude", p ? std::optional(fixedDecimals(p->longitude, 7)) : std::nullopt, true, true},
        {"position_source", r.positionSource},
        {"device_id", std::to_string(r.deviceId), true},
        {"records", std::to_string(r.recordCount), true},
        {"maximum_depth_m", fixedOrNothing(f, &CastFacts::maximumDepth, 2), true},
        {"surface_sound_velocity_ms", fixedOrNothing(f, &CastFacts::surfaceSoundVelocity, 2), true},
        {"harmonic_mean_sound_velocity_ms",
         fixedOrNothing(f, &CastFacts::harmonicMeanSoundVelocity, 2), true},
        {"minimum_sound_velocity_ms", fixedOrNothing(f, &CastFacts::minimumSoundVelocity, 2), true},
        {"maximum_sound_velocity_ms", fixedOrNothing(f, &CastFacts::maximumSoundVelocity, 2), true},
        {"minimum_temperature_c", fixedOrNothing(f, &CastFacts::minimumTemperature, 3), true},
        {"maximum_temperature_c", fixedOrNothing(f, &CastFacts::maximumTemperature, 3), true},
        {"file_path", r.filePath},
        {"sha256", r.contentSha256},
    };
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (uint8_t(c) < 0x20) {
            out += strformat("\\u%04x", unsigned(c));
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string xmlText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// RFC 4180: quoted only when it must be.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

// {"name":value,...} of the fields, without the position where the geometry holds it.
std::string jsonObject(const std::vector<Field>& fields, bool withPosition) {
    std::string out = "{";
    for (const Field& field : fields) {
        if (field.position && !withPosition) {
            continue;
        }
        out += (out.size() > 1 ? "," : "") + jsonString(field.name) + ":" +
               (!field.text    ? "null"
                : field.number ? *field.text
                               : jsonString(*field.text));
    }
    return out + "}";
}

ListText kml(std::span<const LibraryCast> casts) {
    ListText out;
    out.bytes =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
        "<Document>\n"
        "  <name>Quorvane casts</name>\n";
    for (const LibraryCast& cast : casts) {
        const auto& position = cast.record.position;
        if (!position) {
            ++out.withoutPosition;
            continue;
        }
        ++out.written;
        std::string& b = out.bytes;
        b += "  <Placemark>\n    <name>" + xmlText(cast.record.fileName) + "</name>\n";
        if (cast.record.utcTime) {
            // Google Earth's time slider takes the cast's UTC time.
            b += "    <TimeStamp><when>" + utcIso(*cast.record.utcTime) + "</when></TimeStamp>\n";
        }
        b += "    <ExtendedData>\n";
        for (const Field& field : fieldsOf(cast)) {
            if (field.text && !field.position) {
                b += std::string("      <Data name=\"") + field.name + "\"><value>" +
                     xmlText(*field.text) + "</value></Data>\n";
            }
        }
        b += "    </ExtendedData>\n    <Point><coordinates>" +
             fixedDecimals(position->longitude, 7) + "," + fixedDecimals(position->latitude, 7) +
             "</coordinates></Point>\n  </Placemark>\n";
    }
    out.bytes += "</Document>\n</kml>\n";
    return out;
}

ListText geoJson(std::span<const LibraryCast> casts) {
    ListText out;
    out.bytes = "{\"type\":\"FeatureCollection\",\"features\":[";
    for (const LibraryCast& cast : casts) {
        const auto& position = cast.record.position;
        if (!position) {
            ++out.withoutPosition;
            continue;
        }
        // GeoJSON's positions are longitude first.
        out.bytes += std::string(out.written++ == 0 ? "\n" : ",\n") +
                     "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
                     fixedDecimals(position->longitude, 7) + "," +
                     fixedDecimals(position->latitude, 7) +
                     "]},\"properties\":" + jsonObject(fieldsOf(cast), false) + "}";
    }
    out.bytes += "\n]}\n";
    return out;
}

ListText json(std::span<const LibraryCast> casts) {
    ListText out;
    out.bytes = "[";
    for (const LibraryCast& cast : casts) {
        out.bytes += (out.written++ == 0 ? "\n" : ",\n") + jsonObject(fieldsOf(cast), true);
    }
    out.bytes += "\n]\n";
    return out;
}

ListText csv(std::span<const LibraryCast> casts) {
    ListText out;
    std::string header;
    for (const Field& field : fieldsOf(LibraryCast{})) {
        header += (header.empty() ? "" : ",") + std::string(field.name);
    }
    out.bytes = header + "\r\n";
    for (const LibraryCast& cast : casts) {
        std::string row;
        for (const Field& field : fieldsOf(cast)) {
            row += (row.empty() ? "" : ",") + csvField(field.text.value_or(""));
        }
        out.bytes += row + "\r\n";
        ++out.written;
    }
    return out;
}

}  // namespace

std::optional<ListFormat> listFormatNamed(std::string_view name) {
    if (name == "kml") {
        return ListFormat::Kml;
    }
    if (name == "geojson") {
        return ListFormat::GeoJson;
    }
    if (name == "csv") {
        return ListFormat::Csv;
    }
    if (name == "json") {
        return ListFormat::Json;
    }
    return std::nullopt;
}

ListText listText(std::span<const LibraryCast> casts, ListFormat format) {
    switch (format) {
        case ListFormat::Kml:
            return kml(casts);
        case ListFormat::GeoJson:
            return geoJson(casts);
        case ListFormat::Csv:
            return csv(casts);
        case ListFormat::Json:
            break;
    }
    return json(casts);
}

LibraryResult<ListText> exportList(std::span<const LibraryCast> casts, ListFormat format,
                                   const std::string& utf8Path) {
    ListText text = listText(casts, format);
    FileHandle file = openFile(utf8Path, "wb");
    bool written = false;
    if (file) {
        written =
            std::fwrite(text.bytes.data(), 1, text.bytes.size(), file.get()) == text.bytes.size();
        written = finishWriting(std::move(file)) && written;
    }
    if (!written) {
        return {std::nullopt,
                {strformat("无法写入%s！", utf8Path.c_str()),
                 strformat("%s cannot be written!", utf8Path.c_str())}};
    }
    return {std::move(text), {}};
}

}  // namespace quorvane
