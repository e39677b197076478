#include "kestrow/ui/printer_list_view.h"

#include <QAccessible>

#include "kestrow/ui/printer_list_accessible.h"

namespace {

// The list's accessible interface, where assistive technology is listening.
PrinterListAccessible* listeningInterface(PrinterListView* view) {
    if (!QAccessible::isActive()) {
        return nullptr;
    }
    return dynamic_cast<PrinterListAccessible*>(QAccessible::queryAccessibleInterface(view));
}

} // namespace

PrinterListView::PrinterListView(QWidget* parent)
    : QListView(parent) {}

void PrinterListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                  const QList<int>& roles) {
    // QListView (Qt 6.4) lays out every row again on any dataChanged (QListModeViewBase), about
    // 20 ms at a million rows. Rows here have one size and a tick never changes it, so only the
    // item view's own part runs: the repaint of the rows shown.
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles); // NOLINT(bugprone-parent-virtual-call)
    if (auto* accessible = listeningInterface(this)) {
        accessible->announceCheckedStates(topLeft.row(), bottomRight.row());
    }
}

void PrinterListView::reset() {
    if (auto* accessible = listeningInterface(this)) {
        accessible->forgetRows();
    }
    QListView::reset();
}

void PrinterListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    // The list has the keyboard, but what a screen reader should speak is its current row.
    if (QAccessible::isActive() && currentIndex().isValid()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&focus);
    }
}
