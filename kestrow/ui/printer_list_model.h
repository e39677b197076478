#pragma once

#include <QAbstractListModel>
#include <QColor>

#include "kestrow/core/selection_state.h"

// The background of a chosen row: a standard blue at opacity 0.2.
inline const QColor highlightColor{0, 122, 255, 51};

// One checkable row per entry of the state's printers, in file order. The state is the only copy
// of what is chosen: check marks and highlights are read from it on every paint.
class PrinterListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit PrinterListModel(kestrow::SelectionState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Called when the state's printers were stored, resp. when the check state of the rows
    // [firstRow, endRow) may have changed.
    void printersReplaced();
    void rowsChanged(std::size_t firstRow, std::size_t endRow);

private:
    kestrow::SelectionState& m_state;
};
