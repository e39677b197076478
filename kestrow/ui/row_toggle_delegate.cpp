#include "row_toggle_delegate.h"

#include <QMouseEvent>

#include "printer_list_model.h"

bool RowToggleDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // Swallowed: the row toggles when the button is released over it.
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonDblClick:
        // The second click of a quick pair arrives as this, and its release never reaches the
        // delegate: it toggles here, so that two clicks are two toggles.
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint())) {
            return false;
        }
        if (auto* printers = qobject_cast<PrinterListModel*>(model)) {
            printers->toggle(index);
            return true;
        }
        return false;
    }
    default:
        // Space and Select on the current row: the stock behaviour.
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
}
