#include "postprocess/window/data_list_view.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace quorvane {

void CellEditor::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typesNothing = text.isEmpty();
    const bool accepted = text.size() == 1 && (text[0].isDigit() || text[0] == '-' ||
                                               text[0] == '.' || text[0] == QChar(8));
    if (typesNothing || accepted || event->key() == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
    } else {
        event->accept();
    }
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) {
        emit focusLost();
    }
}

DataListView::DataListView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights keep a million rows as cheap as ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    editor_ = new CellEditor(viewport());
    editor_->hide();
    editor_->setFrame(true);
    connect(editor_, &CellEditor::focusLost, this, &DataListView::commitEdit);
}

void DataListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        return;
    }
    beginEdit(index);
    QTableView::mouseDoubleClickEvent(event);
}

void DataListView::beginEdit(const QModelIndex& index) {
    // A second double-click commits the cell being edited before it moves.
    commitEdit();
    editRow_ = index.row();
    editColumn_ = index.column();
    const QRect cell = visualRect(index);
    editor_->setGeometry(cell.left(), cell.top() - 2, cell.width(), cell.height() + 2);
    editor_->setText(index.data().toString());
    editor_->show();
    editor_->setFocus(Qt::MouseFocusReason);
    editor_->deselect();
    editor_->setCursorPosition(editor_->text().size());
}

void DataListView::commitEdit() {
    if (editRow_ < 0) {
        return;
    }
    const int row = editRow_;
    editRow_ = -1;
    const QString text = editor_->text();
    editor_->hide();
    if (onCommit) {
        onCommit(row, editColumn_, text);
    }
}

}  // namespace quorvane
