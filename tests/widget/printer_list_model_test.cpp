#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QTest>

#include "printer_list_model.h"
#include "selection_state.h"

namespace {

kestrow::PrinterList listOf(const std::vector<std::string>& names) {
    return kestrow::PrinterList::fromNames(names);
}

} // namespace

class PrinterListModelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTheModelContractThroughLoadAndToggles() {
        kestrow::SelectionState state;
        PrinterListModel model(state);
        state.setChangeListener([&](kestrow::SelectionState::Change change) {
            if (change == kestrow::SelectionState::Change::Printers) {
                model.printersReplaced();
            } else if (change == kestrow::SelectionState::Change::Selection) {
                model.selectionChanged();
            }
        });
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        state.setPrinters(listOf({"A", "B", "A"}));
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(model.setData(model.index(1), Qt::Checked, Qt::CheckStateRole));
        state.setAllSelected(true);
        state.setPrinters(listOf({}));
        QCOMPARE(model.rowCount(), 0);
    }

    void showsNamesVerbatim_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("ampersand") << QByteArray("Brother & Co");
        QTest::newRow("markup") << QByteArray("<b>Bold</b> printer");
        QTest::newRow("blanks around") << QByteArray("  Spaced\t");
        QTest::newRow("markdown-like") << QByteArray("*star* _under_");
        QTest::newRow("non-ASCII") << QByteArray("Imprimante \xC3\xA9tage \xF0\x9F\x96\xA8");
    }

    void showsNamesVerbatim() {
        QFETCH(QByteArray, name);
        kestrow::SelectionState state;
        state.setPrinters(listOf({name.toStdString()}));
        PrinterListModel model(state);
        QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), QString::fromUtf8(name));
    }

    void readsCheckAndHighlightFromTheState() {
        kestrow::SelectionState state;
        state.setPrinters(listOf({"A", "B", "A"}));
        PrinterListModel model(state);
        QVERIFY(model.flags(model.index(0)).testFlag(Qt::ItemIsUserCheckable));

        QVERIFY(model.setData(model.index(2), Qt::Checked, Qt::CheckStateRole));
        // Both rows of "A" follow the one that was ticked.
        for (int row : {0, 2}) {
            QCOMPARE(model.data(model.index(row), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
            QCOMPARE(model.data(model.index(row), Qt::BackgroundRole).value<QBrush>().color(),
                     highlightColor);
        }
        QCOMPARE(model.data(model.index(1), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
        QVERIFY(!model.data(model.index(1), Qt::BackgroundRole).isValid());
        QCOMPARE(highlightColor.alpha(), 51); // opacity 0.2

        model.toggle(model.index(0));
        QVERIFY(!state.isSelected(2));
        QVERIFY(!model.setData(model.index(1), Qt::Checked, Qt::DisplayRole));
        QVERIFY(!state.isSelected(1));
    }

    void announcesEverySelectionChangeOverAllRows() {
        kestrow::SelectionState state;
        state.setPrinters(listOf({"A", "B", "C"}));
        PrinterListModel model(state);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.selectionChanged();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(changed.at(0).at(1).value<QModelIndex>().row(), 2);
    }
};

QTEST_MAIN(PrinterListModelTest)
#include "printer_list_model_test.moc"
