#pragma once

#include <QString>

#include "common/message.h"

class QWidget;

namespace quorvane {

// The message box of a window program: the box type's icon and buttons, the caption the
// program names, button texts in the interface language. Texts are always plain: a file or
// device name must never be taken for markup.
class QtPrompter : public Prompter {
  public:
    QtPrompter(QWidget* owner, QString caption, bool english);

    Button ask(const Message& message) override;

  private:
    QWidget* owner_;
    QString caption_;
    bool english_;
};

}  // namespace quorvane
