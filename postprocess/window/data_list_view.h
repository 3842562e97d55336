#pragma once

#include <QLineEdit>
#include <QTableView>
#include <functional>

namespace quorvane {

// The in-place editor: only digits, '-', '.' and backspace reach it (no Enter, no Escape, no
// Ctrl+V); keys that type nothing (arrows, Delete) work as usual. Losing the focus commits,
// except to a menu popup, which on the users' platform leaves the editor alone.
class CellEditor : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void focusLost();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The data list (control 1007): a report-style table whose cells are edited in place. A
// double-click on a cell opens the editor over it; the commit puts the value with two
// decimals into the cell and reports the cell. There is no cancel.
class DataListView : public QTableView {
    Q_OBJECT
  public:
    explicit DataListView(QWidget* parent = nullptr);

    // Called with the cell and the editor's text when an edit is committed.
    std::function<void(int row, int column, const QString& text)> onCommit;

    // Commits an open edit now: the window does this before any command, so an edit never
    // lands in rows a command has replaced.
    void commitEdit();

    bool editing() const { return editRow_ >= 0; }
    CellEditor* editor() const { return editor_; }

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void beginEdit(const QModelIndex& index);

    CellEditor* editor_;
    int editRow_ = -1;
    int editColumn_ = 0;
};

}  // namespace quorvane
