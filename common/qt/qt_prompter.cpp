#include "common/qt/qt_prompter.h"

#include <QMessageBox>
#include <QPushButton>

namespace quorvane {

namespace {

struct BoxLook {
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

BoxLook lookOf(BoxType type) {
    switch (type) {
        case BoxType::YesNoQuestion:
            return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No};
        case BoxType::Warning:
            return {QMessageBox::Warning, QMessageBox::Ok};
        case BoxType::WarningOkCancel:
            return {QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel};
        case BoxType::Information:
            return {QMessageBox::Information, QMessageBox::Ok};
        case BoxType::InformationOkCancel:
            return {QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel};
    }
    return {QMessageBox::NoIcon, QMessageBox::Ok};
}

struct ButtonText {
    QMessageBox::StandardButton button;
    const char* zh;
    const char* en;
    Button result;
};

constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Ok, "确定", "OK", Button::Ok},
    {QMessageBox::Cancel, "取消", "Cancel", Button::Cancel},
    {QMessageBox::Yes, "是", "Yes", Button::Yes},
    {QMessageBox::No, "否", "No", Button::No},
};

}  // namespace

QtPrompter::QtPrompter(QWidget* owner, QString caption, bool english)
    : owner_(owner), caption_(std::move(caption)), english_(english) {}

Button QtPrompter::ask(const Message& message) {
    const BoxLook look = lookOf(message.type);
    QMessageBox box(look.icon, caption_, QString::fromStdString(message.text.pick(english_)),
                    look.buttons, owner_);
    box.setTextFormat(Qt::PlainText);
    for (const ButtonText& b : kButtonTexts) {
        if (QAbstractButton* button = box.button(b.button)) {
            button->setText(QString::fromUtf8(english_ ? b.en : b.zh));
        }
    }
    // The first button is the default, as on the platform the users know.
    box.setDefaultButton(look.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                                 : QMessageBox::Ok);
    const int pressed = box.exec();
    for (const ButtonText& b : kButtonTexts) {
        if (pressed == b.button) {
            return b.result;
        }
    }
    return dismissedAnswer(message.type);
}

}  // namespace quorvane
