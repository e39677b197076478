#pragma once

#include <QAccessibleWidget>

#include <unordered_map>

class PrinterListView;

// Assistive technology's view of the printer list: each row is a check box named by its printer,
// with its checked state and a toggle action. Qt 6.4 offers the rows as list items, and its AT-SPI
// bridge never reports "checkable" (Qt 6.8's does), so there an unticked row would sound like a
// plain label. With the check-box role a row reads once as a check box on both.
class PrinterListAccessible final : public QAccessibleWidget {
public:
    explicit PrinterListAccessible(PrinterListView* view);
    ~PrinterListAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Announces the checked state of the rows in [firstRow, lastRow] that are on screen and that
    // assistive technology has met; it reads the others afresh when it comes to them.
    void announceCheckedStates(int firstRow, int lastRow);
    // The model was reset: the rows met so far are gone.
    void forgetRows();

    // The list, or nothing once it is being destroyed.
    PrinterListView* view() const;

private:
    mutable std::unordered_map<int, QAccessible::Id> m_rows; // the rows met, made when first asked for
};

// The accessible interfaces of Kestrow's own widgets; the other widgets keep Qt's.
QAccessibleInterface* kestrowAccessibleInterface(const QString& className, QObject* object);
