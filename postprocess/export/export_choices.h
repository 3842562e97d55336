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

// Whether a run without a dialog writes the kind in `format`: a format the kind offers, and an
// acquisition format for the fitted profile alone, since such a file carries the cast's name
// only and a second kind would overwrite it.
bool writtenUnattended(ExportKind kind, ExportFormat format);

// The save dialog's file-type filter of a kind in the interface language, in the
// "description|pattern|...||" form.
std::string exportFilterOf(ExportKind kind, bool english);

// The format of the dialog's 1-based filter index; nothing for an index the kind lacks.
std::optional<ExportFormat> formatForFilterIndex(ExportKind kind, int filterIndex);

// The chosen path with the format's extension appended unless it ends in exactly that
// extension; case counts, so "out.CSV" becomes "out.CSV.csv".
std::string withExportExtension(const std::string& path, ExportFormat format);

// currentBaseName with the kind's suffix: the name the save dialog proposes.
Text defaultExportName(ExportKind kind, const std::string& baseName);

// Title of the save dialog.
Text exportDialogTitle();

// While the filter is on, its depth must pass the depth-interval rule; off, anything goes.
bool filterDepthUsable(bool filterEnabled, float filterDepth);

// Why an export stops before its dialog opens; the caller words it (export_messages.h).
enum class ExportCheck { EmptyList, FilterDepthUnusable };

// The checks an export makes before its dialog opens, in their order: the empty list, then
// the filter depth.
std::optional<ExportCheck> checkBeforeExport(size_t pointCount, bool filterEnabled,
                                             float filterDepth);

}  // namespace quorvane
