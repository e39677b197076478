#include "kestrow/ui/printer_list_view.h"

#include <QAccessible>

#include <algorithm>

#include "kestrow/ui/printer_list_accessible.h"

PrinterListView::PrinterListView(QWidget* parent)
    : QListView(parent) {}

void PrinterListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                  const QList<int>& /*roles*/) {
    // A tick changes a check mark and a background, never a size, and rows have no editors, so
    // repainting the changed rows on screen is all the view needs. Qt 6.4's own handling is
    // linear in the range: QListView lays out every row again, and QAbstractItemView unites the
    // rectangles of every changed row; at a million rows "Select All" took half a second.
    if (isVisible() && model() != nullptr && model()->rowCount() > 0) {
        const QModelIndex firstShown = indexAt(QPoint(0, 0));
        QModelIndex lastShown = indexAt(QPoint(0, viewport()->height() - 1));
        if (!lastShown.isValid()) {
            lastShown = model()->index(model()->rowCount() - 1, 0);
        }
        const int first = std::max(topLeft.row(), firstShown.isValid() ? firstShown.row() : 0);
        const int last = std::min(bottomRight.row(), lastShown.row());
        if (first <= last) {
            viewport()->update(visualRect(model()->index(first, 0)) | visualRect(model()->index(last, 0)));
        }
    }
    if (m_accessible != nullptr && QAccessible::isActive()) {
        m_accessible->announceCheckedStates(topLeft.row(), bottomRight.row());
    }
}

void PrinterListView::reset() {
    if (m_accessible != nullptr) {
        m_accessible->forgetRows();
    }
    QListView::reset();
}

void PrinterListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    // The list has the keyboard, but what a screen reader should speak is its current row. Qt
    // announces the list itself only after this handler returns, and Orca keeps only the newer of
    // two focus events that come together: the row's must come after the list's.
    if (QAccessible::isActive()) {
        QMetaObject::invokeMethod(this, &PrinterListView::announceCurrentRow, Qt::QueuedConnection);
    }
}

void PrinterListView::announceCurrentRow() {
    if (hasFocus() && currentIndex().isValid() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&focus);
    }
}
