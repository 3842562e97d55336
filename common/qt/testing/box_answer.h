#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

namespace quorvane {

// Answers the next modal box by pressing the button with `text`, remembering what it showed.
// When there is no such box or button the test fails and whatever is open is rejected, so that
// the code waiting on it returns instead of waiting for ctest's time-out.
struct BoxAnswer {
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;

    void press(const QString& buttonText) {
        QTimer::singleShot(0, [this, buttonText] {
            QWidget* top = QApplication::activeModalWidget();
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box == nullptr) {
                ADD_FAILURE() << "no message box open to press " << buttonText.toStdString();
                if (auto* dialog = qobject_cast<QDialog*>(top)) {
                    dialog->reject();
                }
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            format = box->textFormat();
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == buttonText) {
                    b->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << buttonText.toStdString();
            box->reject();
        });
    }
};

}  // namespace quorvane
