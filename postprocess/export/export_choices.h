#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/export/export_format.h"

namespace quorvane {

// What the three export buttons write: rawProfile, fittedProfile or averageProfile.
enum class ExportKind { Raw, Fitting, Average };

// The formats a kind offers, in the order of its dialog filter: the average table only in the
// formats that have a form of it, the raw samples only in those that take a cast going down and
// up again.
std::vector<ExportFormat> offeredFormats(ExportKind kind);

// The save dialog's file-type filter of a kind in the interface language, in the
// "description|pattern|...||" form.
std::string exportFilterOf(ExportKind kind, bool english);

// The format of the dialog's 1-based filter index; nothing for an index the kind lacks.
std::optional<ExportFormat> formatForFilterIndex(ExportKind kind, int filterIndex);

// The chosen path with the format's extension appended unless it ends in exactly that
// extension; case counts, so "out.CSV" becomes "out.CSV.csv".
std::string withExportExtension(const std::string& path, ExportFormat format);

// Shown when the source list of the kind is empty.
Message emptyListMessage(ExportKind kind);

// currentBaseName with the kind's suffix: the name the save dialog proposes.
Text defaultExportName(ExportKind kind, const std::string& baseName);

// Title of the save dialog.
Text exportDialogTitle();

// While the filter is on, its depth must pass the depth-interval rule; off, anything goes.
std::optional<Message> checkFilterDepth(bool filterEnabled, float filterDepth);

// The checks an export makes before its dialog opens, in their order: the empty list, then
// the filter depth.
std::optional<Message> checkBeforeExport(ExportKind kind, size_t pointCount, bool filterEnabled,
                                         float filterDepth);

}  // namespace quorvane
