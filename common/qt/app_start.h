#pragma once

#include <QString>
#include <QStringList>

#include "common/qt/template_captions.h"

class QWidget;

namespace quorvane {

// English only when the whole command line is exactly "1" (what the launcher passes); any
// other command line, an empty one included, is Chinese.
bool englishUiFromCommandLine(int argc, char** argv);

// Start of a window program, right after its QApplication exists: numbers back to the C
// locale (Qt adopts the user's, whose decimal comma would corrupt "%.3f" texts and parsed
// values), then the language. In English the program's language library `libraryName` is
// loaded from the program's folder or by name; when that fails the user is told and the
// result is false: the program must end.
bool startUi(int argc, char** argv, const QString& libraryName, TemplateCaptions& captions);

// The same start for a program whose language comes from elsewhere (the launcher's Multi.lang).
// In Chinese, Qt's own texts (file dialogs, their questions) follow, from the first of the
// program's `translations` folder and Qt's own that has them. Lets Qt's pool threads end at
// exit (below).
bool startUi(bool english, const QString& libraryName, TemplateCaptions& captions);

// Has the program's exit wait, a moment at most, until Qt's pool threads have wholly ended, so
// that a leak check at exit does not catch them halfway. Once per program is enough.
void letPoolThreadsEndAtExit();

// Installs Qt's Chinese translation from the first of `folders` that holds it. False when
// none does: Qt's own texts then stay English, which the program lives with.
bool installQtChineseTranslation(const QStringList& folders);

// Before the QApplication of a program that paints without a display (pictures, tests, the
// chart): the offscreen platform, unless the caller chose one, so that the same program can
// paint on a real window system (a Windows check under Wine) when asked.
void paintOffscreenUnlessChosen();

// For checks of an installation: when the environment names QUORVANE_STARTUP_CHECK, the program
// prints the caption and the button texts of `window`, then `details`, on stdout once its event
// loop runs, and closes the window, so that a script sees what a user would have seen. A start
// that fails for want of the language library prints its message instead of showing the box.
void reportStartupIfChecking(QWidget& window, const QStringList& details = {});

}  // namespace quorvane
