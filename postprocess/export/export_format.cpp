#include "postprocess/export/export_format.h"

#include <array>

#include "postprocess/export/fixed_decimal.h"
#include "postprocess/export/gbk_texts.h"
#include "postprocess/export/profile_writers.h"

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
    {.format = ExportFormat::Csv,
     .name = "CSV",
     .cliName = "csv",
     .extension = ".csv",
     .filterEntry = "(*.csv)|*.csv|",
     .writeProfile = writeTableProfile,
     .separator = ',',
     .profileColumns = kDepthVelocityTemperature,
     .profileHeader = columnTitles,
     .averageHeader = averageTitles},
    {.format = ExportFormat::Hypack,
     .name = "HYPACK",
     .cliName = "vel",
     .extension = ".vel",
     .filterEntry = "HYPACK(*vel)|*.vel|",
     .writeProfile = writeTableProfile,
     .profileColumns = kDepthVelocity,
     .profileHeader = hypackHeader},
    {.format = ExportFormat::Text,
     .name = "text",
     .cliName = "txt",
     .extension = ".txt",
     .filterEntry = "(*txt)|*.txt|",
     .writeProfile = writeTableProfile,
     .profileColumns = kDepthVelocityTemperature,
     .profileHeader = columnTitles,
     .averageHeader = averageTitles},
    {.format = ExportFormat::KongsbergAsvp,
     .name = "Kongsberg SIS",
     .cliName = "asvp",
     .extension = ".asvp",
     .filterEntry = "Kongsberg SIS(*.asvp)|*.asvp|",
     .writeProfile = writeKongsbergAsvp,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true,
     .writesPosition = true},
    {.format = ExportFormat::CarisSvp,
     .name = "CARIS",
     .cliName = "caris",
     .extension = ".svp",
     .filterEntry = "CARIS SVP(*.svp)|*.svp|",
     .writeProfile = writeCarisSvp,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true,
     .writesPosition = true,
     .appendsAfter = kCarisVersionLine},
    {.format = ExportFormat::HypackTimed,
     .name = "HYPACK",
     .cliName = "hypack3",
     .extension = ".vel",
     .filterEntry = "HYPACK FTP NEW 3(*.vel)|*.vel|",
     .writeProfile = writeHypackTimed,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true,
     .writesPosition = true},
    {.format = ExportFormat::SonardynePro,
     .name = "Sonardyne",
     .cliName = "pro",
     .extension = ".pro",
     .filterEntry = "Sonardyne(*.pro)|*.pro|",
     .writeProfile = writeSonardynePro,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true},
    {.format = ExportFormat::Unb,
     .name = "UNB",
     .cliName = "unb",
     .extension = ".unb",
     .filterEntry = "UNB(*.unb)|*.unb|",
     .writeProfile = writeUnb,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true,
     .writesPosition = true},
    {.format = ExportFormat::IxBlue,
     .name = "iXBlue",
     .cliName = "ixblue",
     .extension = ".txt",
     .filterEntry = "iXBlue(*.txt)|*.txt|",
     .writeProfile = writeIxBlue,
     .acquisition = true,
     .servesSamples = false},
    {.format = ExportFormat::HipapUsr,
     .name = "HiPAP",
     .cliName = "usr",
     .extension = ".USR",
     .filterEntry = "Kongsberg HiPAP(*.USR)|*.USR|",
     .writeProfile = writeHipapUsr,
     .acquisition = true,
     .servesSamples = false,
     .writesTime = true},
    // A table with the cast's metadata: also a fair form of the raw samples, which go down
    // and up again.
    {.format = ExportFormat::CsvMetadata,
     .name = "CSV",
     .cliName = "csvmeta",
     .extension = ".csv",
     .filterEntry = "CSV metadata(*.csv)|*.csv|",
     .chineseFilterEntry = "CSV元数据(*.csv)|*.csv|",
     .writeProfile = writeCsvMetadata,
     .acquisition = true,
     .writesTime = true,
     .writesPosition = true},
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
