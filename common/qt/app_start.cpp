#include "common/qt/app_start.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quorvane {

namespace {

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

bool startUi(bool english, const QString& libraryName, TemplateCaptions& captions) {
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
