#include "postprocess/window/file_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace quorvane {

FileDialog::FileDialog(const FileDialogRequest& request, bool english, QWidget* parent)
    : QFileDialog(parent, QString::fromStdString(request.title.pick(english)),
                  QString::fromStdString(request.folder)),
      request_(request) {
    setOption(DontUseNativeDialog);
    // accept() asks instead, about the file the command writes.
    setOption(DontConfirmOverwrite);
    setAcceptMode(request.save ? AcceptSave : AcceptOpen);
    setFileMode(request.save ? AnyFile : ExistingFile);
    // "description|pattern|...||": Qt reads a type's patterns from the parentheses of its
    // description, so the description alone is shown ("HYPACK(*vel)" matches the .vel files).
    const QStringList parts = QString::fromStdString(request.filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty()) {
            filters << parts[i];
            suffixes_ << QFileInfo(parts[i + 1]).suffix();
        }
    }
    setNameFilters(filters);
    setDefaultSuffix(suffixes_.value(0));
    if (!request.fileName.empty())
        selectFile(QString::fromStdString(request.fileName));
}

int FileDialog::filterIndex() const {
    return int(nameFilters().indexOf(selectedNameFilter())) + 1;
}

std::optional<FileChoice> FileDialog::choice() const {
    if (result() != Accepted) {
        return std::nullopt;
    }
    const QString path = acceptMode() == AcceptSave ? savePath() : selectedFiles().value(0);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // Native separators, as the platform's own dialog gives them: the path may be written into
    // a file (a CARIS file names itself) and shown in messages.
    return FileChoice{QDir::toNativeSeparators(path).toStdString(), filterIndex()};
}

QString FileDialog::savePath() const {
    // Qt's dialog highlights an existing file that the name field plus the first type's
    // extension names, and would return that file whatever type the user picks next ("x.csv"
    // for an x of type .txt). The name field is what the user saves as: a click on a file puts
    // that file's name there.
    const auto* name = findChild<QLineEdit*>("fileNameEdit");
    const QString typed = name ? name->text().trimmed() : QString();
    if (typed.isEmpty()) {
        return selectedFiles().value(0);
    }
    QString path = directory().absoluteFilePath(typed);
    if (QFileInfo(path).suffix().isEmpty() && !defaultSuffix().isEmpty()) {
        path += '.' + defaultSuffix();
    }
    return path;
}

void FileDialog::accept() {
    // The platform's dialog changes the default extension with the type; Qt's keeps the first.
    setDefaultSuffix(suffixes_.value(filterIndex() - 1));
    const QStringList files =
        acceptMode() == AcceptSave ? QStringList{savePath()} : selectedFiles();
    if (acceptMode() == AcceptSave && files.size() == 1 && !QFileInfo(files.front()).isDir()) {
        const std::string chosen = files.front().toStdString();
        const std::optional<std::string> written =
            request_.writtenFile ? request_.writtenFile(chosen, filterIndex()) : chosen;
        const QFileInfo target(written ? QString::fromStdString(*written) : QString());
        if (written && target.exists() &&
            QMessageBox::warning(
                this, windowTitle(),
                QCoreApplication::translate("QFileDialog",
                                            "%1 already exists.\nDo you want to replace it?")
                    .arg(target.fileName()),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
    }
    QFileDialog::accept();
}

}  // namespace quorvane
