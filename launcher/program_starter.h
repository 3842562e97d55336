#pragma once

#include <QString>

#include "common/message.h"

namespace quorvane {

// The full path of the program `name` (".exe" added on Windows): in `currentDirectory` first,
// as the original's shell found it there, then in `launcherDirectory`, where an installation
// puts the programs side by side, then on PATH. Empty when none is found.
QString locateProgram(const QString& name, const QString& currentDirectory,
                      const QString& launcherDirectory);

// Starts the suite's programs with the language flag as their whole command line, in the
// launcher's current directory, without waiting; each call starts one more instance.
class ProgramStarter {
  public:
    ProgramStarter(bool english, Prompter& prompter) : english_(english), prompter_(prompter) {}

    // False, after a message box that names the program, when it was not found or would not
    // start: the original left that to the shell, which reported it in its own box.
    bool start(const QString& name);

  private:
    bool english_;
    Prompter& prompter_;
};

}  // namespace quorvane
