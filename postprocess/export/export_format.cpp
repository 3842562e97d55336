#include "postprocess/export/export_format.h"

#include <array>

#include "postprocess/export/fixed_decimal.h"
#include "postprocess/export/gbk_texts.h"

namespace quorvane {

namespace {

constexpr std::array kDepthVelocityTemperature{ExportColumn::Depth, ExportColumn::SoundVelocity,
                                               ExportColumn::Temperature};
constexpr std::array kDepthVelocity{ExportColumn::Depth, ExportColumn::SoundVelocity};

// Chinese header lines are written as GBK bytes: survey tools on Chinese Windows read the
// files in code page 936.
std::vector<std::string> columnTitles(const ExportContext& context) {
    return {
        std::string(context.english ? "Depth,Sound Velocity,Temperature" : kGbkProfileHeader.gbk)};
}

// HYPACK's sound velocity file opens with its version line, in either language.
std::vector<std::string> hypackHeader(const ExportContext&) {
    return {"FTP NEW 2"};
}

std::vector<std::string> averageTitles(const ExportContext& context) {
    const std::string startDepth = fixed3(context.averageStartDepth);
    if (context.english) {
        return {"Begin depth," + startDepth, "Depth,Sound Velocity"};
    }
    return {std::string(kGbkBeginDepthLabel.gbk) + startDepth, std::string(kGbkAverageHeader.gbk)};
}

constexpr ExportFormatDescriptor kFormats[] = {
    {ExportFormat::Csv, "CSV", "csv", ".csv", "(*.csv)|*.csv|", ',', kDepthVelocityTemperature,
     columnTitles, averageTitles},
    {ExportFormat::Hypack, "HYPACK", "vel", ".vel", "HYPACK(*vel)|*.vel|", ' ', kDepthVelocity,
     hypackHeader, nullptr},
    {ExportFormat::Text, "text", "txt", ".txt", "(*txt)|*.txt|", ' ', kDepthVelocityTemperature,
     columnTitles, averageTitles},
};

}  // namespace

std::span<const ExportFormatDescriptor> exportFormats() {
    return kFormats;
}

const ExportFormatDescriptor& descriptorOf(ExportFormat format) {
    for (const ExportFormatDescriptor& d : kFormats) {
        if (d.format == format) {
            return d;
        }
    }
    return kFormats[0];
}

const ExportFormatDescriptor* formatNamed(std::string_view cliName) {
    for (const ExportFormatDescriptor& d : kFormats) {
        if (d.cliName == cliName) {
            return &d;
        }
    }
    return nullptr;
}

}  // namespace quorvane
