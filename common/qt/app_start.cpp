#include "common/qt/app_start.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace quorvane {

namespace {

// Qt's painting hands large fills to its thread pool. Closing the application joins the pool's
// threads, but each releases its Qt thread data only after the join has returned; a leak check
// at exit (the sanitizer builds) that comes in between finds that data reachable from nowhere.
// So the end of the program waits, a moment at most, until no pool thread is left.
void awaitPoolThreadsEnd() {
#ifdef __linux__
    namespace fs = std::filesystem;
    const auto poolThreadLeft = [] {
        std::error_code error;
        for (const fs::directory_entry& task : fs::directory_iterator("/proc/self/task", error)) {
            std::string name;
            std::getline(std::ifstream(task.path() / "comm"), name);
            if (name == "Thread (pooled)") {
                return true;
            }
        }
        return false;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (poolThreadLeft() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
#endif
}

bool startupCheck() {
    return !qEnvironmentVariableIsEmpty("QUORVANE_STARTUP_CHECK");
}

}  // namespace

bool englishUiFromCommandLine(int argc, char** argv) {
    return argc == 2 && std::strcmp(argv[1], "1") == 0;
}

bool startUi(int argc, char** argv, const QString& libraryName, TemplateCaptions& captions) {
    return startUi(englishUiFromCommandLine(argc, argv), libraryName, captions);
}

void letPoolThreadsEndAtExit() {
    static const bool registered = std::atexit(awaitPoolThreadsEnd) == 0;
    (void)registered;
}

bool startUi(bool english, const QString& libraryName, TemplateCaptions& captions) {
    letPoolThreadsEndAtExit();
    std::setlocale(LC_NUMERIC, "C");
    if (!english) {
        // windeployqt puts the translations beside a Windows program; Debian keeps Qt's own.
        installQtChineseTranslation({QCoreApplication::applicationDirPath() + "/translations",
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
        return true;
    }
    if (captions.loadLibrary(libraryName, QCoreApplication::applicationDirPath())) {
        return true;
    }
    if (startupCheck()) {
        std::puts("message: Unable to load resource DLL!");
        std::fflush(stdout);
        return false;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    "Unable to load resource DLL!", QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

void paintOffscreenUnlessChosen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

bool installQtChineseTranslation(const QStringList& folders) {
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString& folder : folders) {
        if (translator->load("qtbase_zh_CN", folder)) {
            QCoreApplication::installTranslator(translator.release());
            return true;
        }
    }
    return false;
}

void reportStartupIfChecking(QWidget& window, const QStringList& details) {
    if (!startupCheck()) {
        return;
    }
    QTimer::singleShot(0, &window, [&window, details] {
        QStringList lines{"caption: " + window.windowTitle()};
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            lines << "button: " + button->text();
        }
        lines << details;
        // UTF-8 whatever the system's code page: a script reads these lines, Chinese too.
        std::fputs((lines.join('\n') + '\n').toUtf8().constData(), stdout);
        std::fflush(stdout);
        window.close();
    });
}

}  // namespace quorvane
