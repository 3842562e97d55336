#pragma once

#include <QString>

#include "common/qt/template_captions.h"

namespace quorvane {

// English only when the whole command line is exactly "1" (what the launcher passes); any
// other command line, an empty one included, is Chinese.
bool EnglishUiFromCommandLine(int argc, char** argv);

// Start of a window program, right after its QApplication exists: numbers back to the C
// locale (Qt adopts the user's, whose decimal comma would corrupt "%.3f" texts and parsed
// values), then the language. In English the program's language library `libraryName` is
// loaded from the program's folder or by name; when that fails the user is told and the
// result is false: the program must end.
bool StartUi(int argc, char** argv, const QString& libraryName, TemplateCaptions& captions);

}  // namespace quorvane
