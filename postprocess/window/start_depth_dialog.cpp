#include "postprocess/window/start_depth_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/parse_number.h"
#include "common/qt/dialog_units.h"
#include "common/qt/template_captions.h"
#include "common/strformat.h"
#include "postprocess/window/file_window_ids.h"

namespace quorvane {

StartDepthDialog::StartDepthDialog(const TemplateCaptions& captions, Prompter& prompter,
                                   float startDepth, QWidget* parent)
    : QDialog(parent), prompter_(prompter), startDepth_(startDepth) {
    using namespace fileids;
    setWindowTitle(captions.text(kStartDepthDialog, "平均声速"));
    const DialogUnits du(font());
    setFixedSize(du.size(152, 84));
    auto* label = new QLabel(captions.text(kStartDepthLabel, "起始深度:"), this);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(du.rect(20, 26, 44, 8));
    edit_ = new QLineEdit(QString::fromStdString(strformat("%.6g", double(startDepth))), this);
    edit_->setGeometry(du.rect(66, 24, 50, 12));
    auto* unit = new QLabel(captions.text(kStartDepthUnit, "m"), this);
    unit->setGeometry(du.rect(120, 26, 10, 8));
    auto* ok = new QPushButton(captions.text(kOkButton, "确定"), this);
    ok->setAutoDefault(false);
    ok->setGeometry(du.rect(51, 56, 50, 14));
    connect(ok, &QPushButton::clicked, this, &StartDepthDialog::takeValue);
}

void StartDepthDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void StartDepthDialog::takeValue() {
    const auto value = parseFieldFloat(edit_->text().toStdString());
    if (!value) {
        prompter_.ask(kNotANumberMessage);
        return;
    }
    startDepth_ = *value;
    accept();
}

}  // namespace quorvane
