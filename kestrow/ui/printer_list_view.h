#pragma once

#include <QListView>

class PrinterListAccessible;

// The printer list. It keeps the model's contract (a tick arrives as dataChanged for its rows) at
// the cost of a repaint, and tells assistive technology about the row that has the focus.
class PrinterListView final : public QListView {
    Q_OBJECT

public:
    explicit PrinterListView(QWidget* parent = nullptr);

    // Set by the list's accessible interface while it exists.
    void setAccessible(PrinterListAccessible* accessible) { m_accessible = accessible; }

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
    void reset() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void announceCurrentRow();

    PrinterListAccessible* m_accessible = nullptr;
};
