#pragma once

#include <QItemSelectionModel>

class PrinterListModel;

// The list never selects anything: a selection highlight would paint over the chosen rows, and
// the check marks are the only choice the user makes. What assistive technology sends for a
// row's "Toggle" action, a plain request to select that one row, toggles its check instead.
class RowToggleSelectionModel final : public QItemSelectionModel {
    Q_OBJECT

public:
    explicit RowToggleSelectionModel(PrinterListModel* model, QObject* parent = nullptr);

    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;

private:
    PrinterListModel* m_printers;
};
