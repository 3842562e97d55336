// QuorvaneFile's window exporting a raw cast as a surveyor does, for the Windows check: imports
// RAW (its name may be Chinese), shows it, and exports each kind — raw samples, fitted profile,
// average table, computed from the depth proposed — in every format the window offers, through
// the window's own buttons, into Data under the current folder, in the Chinese interface. The
// save dialog is answered with the name it proposes plus the type's number and each file type in
// turn; the cast dialog of the acquisition formats with the time it proposes and a fixed
// position. The check runs this on Linux and under Wine and
// compares the two folders.
//   quorvane-file-export-check RAW
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "common/qt/app_start.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/window/cast_stamp_dialog.h"
#include "postprocess/window/file_window.h"
#include "postprocess/window/file_window_ids.h"
#include "postprocess/window/start_depth_dialog.h"

namespace {

using namespace quorvane;

// The person at the dialogs: the save dialog gets the next file type, the name it proposes and
// Save; the cast dialog a fixed position and the time it proposes; a question Yes.
class DialogAnswers {
  public:
    DialogAnswers() {
        QObject::connect(&look_, &QTimer::timeout, [this] { look(); });
        look_.start(50);
    }
    int fileType = 1;

  private:
    void look() {
        QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr || top == answered_) {
            return;
        }
        answered_ = top;
        // Outside this timer: an answer may open the next dialog, which this timer must see.
        QTimer::singleShot(0, top, [this, top] { answer(top); });
    }

    void answer(QWidget* top) {
        if (auto* dialog = qobject_cast<QFileDialog*>(top)) {
            // Each export a name of its own: two types of one extension would share a file.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(name->text() + QString("_%1").arg(fileType));
            // As a person picks the type: the list's keys change the name's extension too.
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            types->setFocus();
            while (types->currentIndex() < fileType - 1) {
                QTest::keyClick(types, Qt::Key_Down);
            }
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
        } else if (qobject_cast<StartDepthDialog*>(top) != nullptr) {
            top->findChild<QPushButton*>()->click();
        } else if (auto* cast = qobject_cast<CastStampDialog*>(top)) {
            cast->latitudeEdit()->setText("22.5");
            cast->longitudeEdit()->setText("113.9");
            cast->okButton()->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(top)) {
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->defaultButton())->click();
        }
    }

    QTimer look_;
    QPointer<QWidget> answered_;
};

}  // namespace

int main(int argc, char** argv) {
    paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    // Qt's arguments, not argv: on Windows argv is in the code page, which may lack Chinese.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s RAW\n", argv[0]);
        return 2;
    }
    TemplateCaptions captions;
    startUi(false, "Ostrelan", captions);
    FileWindow window(captions, QDir::currentPath().toStdString());
    window.show();
    DialogAnswers person;

    const std::string raw = QFileInfo(arguments[1]).absoluteFilePath().toStdString();
    window.fileDialog = [&raw](const FileDialogRequest&) { return FileChoice{raw, 1}; };
    window.action(fileids::kImportRawFile)->trigger();
    window.fileDialog = nullptr;
    QTreeWidget* list = window.fileList();
    if (list->topLevelItemCount() != 1) {
        std::fprintf(stderr, "the window did not take %s\n", raw.c_str());
        return 1;
    }
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);

    window.action(fileids::kAverage)->trigger();
    const std::pair<ExportKind, int> buttons[] = {
        {ExportKind::Raw, fileids::kExportRawButton},
        {ExportKind::Fitting, fileids::kExportFittingButton},
        {ExportKind::Average, fileids::kExportAverageButton}};
    int exports = 0;
    for (const auto& [kind, button] : buttons) {
        for (person.fileType = 1; person.fileType <= int(offeredFormats(kind).size());
             ++person.fileType) {
            QTest::mouseClick(window.control(button), Qt::LeftButton);
            ++exports;
        }
    }
    std::printf("check: %d exports through the window\n", exports);
    return 0;
}
