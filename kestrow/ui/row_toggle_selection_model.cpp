#include "row_toggle_selection_model.h"

#include "printer_list_model.h"

RowToggleSelectionModel::RowToggleSelectionModel(PrinterListModel* model, QObject* parent)
    : QItemSelectionModel(model, parent)
    , m_printers(model) {}

void RowToggleSelectionModel::select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) {
    // Only an accessible cell asks for exactly this; the view's own mouse and keyboard handling
    // always adds Toggle, Current, Clear or a Rows/Columns flag, and is left without effect.
    if (command == QItemSelectionModel::Select && index.isValid() && index.model() == m_printers) {
        m_printers->toggle(index);
    }
}

void RowToggleSelectionModel::select(const QItemSelection& /*selection*/,
                                     QItemSelectionModel::SelectionFlags /*command*/) {}
