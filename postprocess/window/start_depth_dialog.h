#pragma once

#include <QDialog>

class QLineEdit;

namespace quorvane {

class Prompter;
class TemplateCaptions;

// The start-depth dialog of the average command (template 130). It ends only with its OK
// button or the close box: Enter and Escape do nothing. OK takes the number from the edit;
// a text that is not a number keeps the dialog open and says so.
class StartDepthDialog : public QDialog {
    Q_OBJECT
  public:
    StartDepthDialog(const TemplateCaptions& captions, Prompter& prompter, float startDepth,
                     QWidget* parent);

    float startDepth() const { return startDepth_; }
    QLineEdit* edit() const { return edit_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void takeValue();

    Prompter& prompter_;
    QLineEdit* edit_;
    float startDepth_;
};

}  // namespace quorvane
