#include "launcher/program_starter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace quorvane {

namespace {

#ifdef Q_OS_WIN
constexpr char kProgramSuffix[] = ".exe";
#else
constexpr char kProgramSuffix[] = "";
#endif

}  // namespace

QString locateProgram(const QString& name, const QString& currentDirectory,
                      const QString& launcherDirectory) {
    for (const QString& folder : {currentDirectory, launcherDirectory}) {
        const QFileInfo candidate(QDir(folder).filePath(name + kProgramSuffix));
        if (candidate.isFile() && candidate.isExecutable()) {
            return candidate.absoluteFilePath();
        }
    }
    return QStandardPaths::findExecutable(name);
}

bool ProgramStarter::start(const QString& name) {
    const QString current = QDir::currentPath();
    const QString program = locateProgram(name, current, QCoreApplication::applicationDirPath());
    const QString flag = english_ ? "1" : "0";
    if (!program.isEmpty() && QProcess::startDetached(program, {flag}, current)) {
        return true;
    }
    const std::string utf8 = name.toStdString();
    prompter_.ask(
        {BoxType::Warning,
         {"无法找到或启动程序 " + utf8 + "！", "Cannot find or start the program " + utf8 + "!"}});
    return false;
}

}  // namespace quorvane
