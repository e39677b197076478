#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QTest>

#include "kestrow/core/selection_state.h"
#include "kestrow/ui/printer_list_model.h"

namespace {

kestrow::PrinterList listOf(const std::vector<std::string>& names) {
    return kestrow::PrinterList::fromNames(names);
}

// The model hears of every store, as in the window.
void connectTheWayTheWindowDoes(kestrow::SelectionState& state, PrinterListModel& model) {
    state.setChangeListener([&](const kestrow::SelectionState::Change& change) {
        if (change.kind == kestrow::SelectionState::Change::Kind::Printers) {
            model.printersReplaced();
        } else if (change.kind == kestrow::SelectionState::Change::Kind::Selection) {
            model.rowsChanged(change.firstRow, change.endRow);
        }
    });
}

} // namespace

class PrinterListModelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTheModelContractThroughLoadAndToggles() {
        kestrow::SelectionState state;
        PrinterListModel model(state);
        connectTheWayTheWindowDoes(state, model);
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
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* label, const char* utf8) {
            QTest::newRow(label) << QByteArray(utf8) << QString::fromUtf8(utf8);
        };
        row("ampersand", "Brother & Co");
        row("markup", "<b>Bold</b> printer");
        row("blanks around", "  Spaced\t");
        row("markdown-like", "*star* _under_");
        row("non-ASCII", "Imprimante \xC3\xA9tage \xF0\x9F\x96\xA8");
        // QString::fromUtf8 would take the leading U+FEFF for a byte-order mark and drop it.
        QTest::newRow("leading U+FEFF")
            << QByteArray("\xEF\xBB\xBFLaser") << QString(QChar(0xFEFF)) + QStringLiteral("Laser");
    }

    void showsNamesVerbatim() {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        kestrow::SelectionState state;
        state.setPrinters(listOf({name.toStdString()}));
        PrinterListModel model(state);
        QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), shown);
        // No role hands a name to a view that might take it for rich text.
        QVERIFY(!model.data(model.index(0), Qt::ToolTipRole).isValid());
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

        QVERIFY(model.setData(model.index(0), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!state.isSelected(2));
        QVERIFY(!model.setData(model.index(1), Qt::Checked, Qt::DisplayRole));
        QVERIFY(!state.isSelected(1));
    }

    void announcesTheRowsOfEveryChange() {
        kestrow::SelectionState state;
        state.setPrinters(listOf({"A", "B", "C", "A"}));
        PrinterListModel model(state);
        connectTheWayTheWindowDoes(state, model);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        state.setSelected(1, true);
        state.setSelected(3, true); // both rows of "A"
        state.setAllSelected(false);
        QCOMPARE(changed.count(), 3);
        const QList<std::pair<int, int>> expected{{1, 1}, {0, 3}, {0, 3}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(std::pair(changed.at(i).at(0).value<QModelIndex>().row(),
                               changed.at(i).at(1).value<QModelIndex>().row()),
                     expected[i]);
        }
    }
};

QTEST_MAIN(PrinterListModelTest)
#include "printer_list_model_test.moc"
