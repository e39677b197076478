#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "widget_test_support.h"

namespace {

struct Controls {
    QListView* list;
    QWidget* notice;
    QCheckBox* selectAll;
    QPushButton* cancel;
    QPushButton* ok;
};

Controls controlsOf(ContentView& view) {
    return {view.findChild<QListView*>(QStringLiteral("printerList")),
            view.findChild<QLabel*>(QStringLiteral("notice"))->parentWidget(),
            view.findChild<QCheckBox*>(QStringLiteral("selectAll")),
            view.findChild<QPushButton*>(QStringLiteral("cancel")),
            view.findChild<QPushButton*>(QStringLiteral("ok"))};
}

// The alert is made when it is first raised.
QMessageBox* alertOf(ContentView& view) {
    return view.findChild<QMessageBox*>(QStringLiteral("alert"));
}

bool alertShown(ContentView& view) {
    return alertOf(view) != nullptr && alertOf(view)->isVisible();
}

// Shows the view as the user meets it: on screen, active, with the list loaded.
bool open(ViewUnderTest& t) {
    t.view.show();
    t.view.activateWindow();
    return QTest::qWaitForWindowActive(&t.view);
}

void clickRow(QListView* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    // The middle of the row's text, away from the check indicator.
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), button, {}, QPoint(rect.center().x(), rect.center().y()));
}

} // namespace

class ContentViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missingListShowsTheAlertOverTheNoticeForm() {
        ViewUnderTest t;
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        QTRY_VERIFY(alertShown(t.view));
        auto* alert = alertOf(t.view);
        QCOMPARE(alert->windowTitle(), QStringLiteral("Printer Selection"));
        QCOMPARE(alert->textFormat(), Qt::PlainText);
        const QString path = t.dir.filePath(QStringLiteral("list.txt"));
        QCOMPARE(alert->text(),
                 QStringLiteral("Printer list file not found at:\n") + path +
                     QStringLiteral("\n\nPlease ensure the file exists and the application has "
                                    "permission to read it."));
        QVERIFY(c.notice->isVisible());
        QVERIFY(!c.list->isVisible());
        QVERIFY(!c.selectAll->isEnabled());
        QVERIFY(!c.selectAll->isChecked());
        QVERIFY(!c.ok->isEnabled());
        QVERIFY(c.cancel->isEnabled());

        // Its only button closes it and changes nothing else.
        QTest::keyClick(alert, Qt::Key_Return);
        QTRY_VERIFY(!alert->isVisible());
        QVERIFY(!t.view.session().state().showAlert());
        QVERIFY(c.notice->isVisible());
        QVERIFY(!t.exists("done.flag"));
        QCOMPARE(t.terminationRequests, 0);

        // Back in the window, Return stays inert and Escape cancels.
        QVERIFY(QTest::qWaitForWindowActive(&t.view));
        QTest::keyClick(&t.view, Qt::Key_Return);
        QVERIFY(!t.exists("done.flag"));
        // The alert opens from the event loop; the state says at once whether OK ran.
        QVERIFY(!t.view.session().state().showAlert());
        QTest::keyClick(&t.view, Qt::Key_Escape);
        QCOMPARE(t.terminationRequests, 1);
        QVERIFY(t.exists("done.flag"));
        QCOMPARE(t.lines,
                 std::vector<std::string>{"Done flag created at: " +
                                          t.dir.filePath(QStringLiteral("done.flag")).toStdString()});
    }

    void alertShowsMultiLineMessagesAsPlainText() {
        ViewUnderTest t;
        t.writeList(" \t\n\xC2\xA0\n");
        QVERIFY(open(t));
        QTRY_VERIFY(alertShown(t.view));
        QCOMPARE(
            alertOf(t.view)->text(),
            QStringLiteral(
                "Printer list file was found but is empty or contains only blank lines.\nPlease ensure '") +
                t.dir.filePath(QStringLiteral("list.txt")) + QStringLiteral("' is populated correctly."));
    }

    void loadedListShowsRowsInFileOrderWithTheListFocused() {
        ViewUnderTest t;
        t.writeList("Zeta\n  Brother & Co <b>x</b>\t\r\nalpha\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        QVERIFY(c.list->isVisible());
        QVERIFY(!c.notice->isVisible());
        QCOMPARE(c.list->model()->rowCount(), 3);
        QCOMPARE(c.list->model()->index(1, 0).data().toString(), QStringLiteral("  Brother & Co <b>x</b>\t"));
        QVERIFY(c.list->hasFocus());
        QVERIFY(c.selectAll->isEnabled());
        QVERIFY(!c.ok->isEnabled());
        QVERIFY(alertOf(t.view) == nullptr); // made only when first raised
        QCOMPARE(t.view.minimumSize(), QSize(450, 300));
        QCOMPARE(t.view.sizeHint(), QSize(550, 400));
        QCOMPARE(c.list->minimumHeight(), 150);
        for (const QString& label : {c.selectAll->text(), c.cancel->text(), c.ok->text()}) {
            QVERIFY(!label.contains(QLatin1Char('&')));
        }
    }

    void rowClicksFollowTheRowRuleAndDuplicatesShareOneState() {
        ViewUnderTest t;
        t.writeList("A\nB\nA\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        const auto* model = c.list->model();
        const auto checked = [&](int row) {
            return model->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        };

        clickRow(c.list, 2);
        QVERIFY(checked(0) && checked(2) && !checked(1));
        QVERIFY(c.ok->isEnabled());
        QVERIFY(!c.selectAll->isChecked());

        clickRow(c.list, 1);
        // Every row ticked means all is selected, even with a name listed twice.
        QVERIFY(c.selectAll->isChecked());

        clickRow(c.list, 0);
        QVERIFY(!checked(0) && !checked(2) && checked(1));
        QVERIFY(!c.selectAll->isChecked());

        clickRow(c.list, 1, Qt::RightButton);
        QVERIFY(checked(1));

        // A quick pair of clicks is two toggles, not one. The window system delivers it as a
        // press, a release, a double click and a release.
        const QPoint middle = c.list->visualRect(model->index(1, 0)).center();
        QTest::mouseClick(c.list->viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseDClick(c.list->viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseRelease(c.list->viewport(), Qt::LeftButton, {}, middle);
        QVERIFY(checked(1));
    }

    void rowsToggleThroughTheirAccessibleAction() {
        ViewUnderTest t;
        t.writeList("A\nB\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(c.list);
        QVERIFY(list != nullptr);
        const auto rowNamed = [&](const QString& name) -> QAccessibleInterface* {
            for (int i = 0; i < list->childCount(); ++i) {
                if (list->child(i)->text(QAccessible::Name) == name) {
                    return list->child(i);
                }
            }
            return nullptr;
        };
        QAccessibleInterface* rowB = rowNamed(QStringLiteral("B"));
        QVERIFY(rowB != nullptr && rowB->actionInterface() != nullptr);
        // Read out as something that can be ticked, not as a plain list item.
        QCOMPARE(rowB->role(), QAccessible::CheckBox);
        QVERIFY(rowB->state().checkable);
        QVERIFY(!rowB->state().checked);

        // What a screen reader's "toggle" does: the row's check follows, and nothing is selected.
        rowB->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(t.view.session().state().isSelected(1));
        QVERIFY(rowNamed(QStringLiteral("B"))->state().checked);
        QVERIFY(!t.view.session().state().isSelected(0));
        QVERIFY(c.list->selectionModel()->selectedIndexes().isEmpty());
        rowNamed(QStringLiteral("B"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!t.view.session().state().isSelected(1));

        // Moving the current row with the keyboard toggles nothing.
        QTest::keyClick(c.list, Qt::Key_Down);
        QTest::keyClick(c.list, Qt::Key_Up);
        QVERIFY(t.view.session().state().selectionEmpty());
    }

    void selectAllSetsAndClearsEveryRow() {
        ViewUnderTest t;
        t.writeList("A\nB\nC\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        const auto& state = t.view.session().state();

        clickRow(c.list, 1);
        QTest::mouseClick(c.selectAll, Qt::LeftButton);
        QVERIFY(state.isSelected(0) && state.isSelected(1) && state.isSelected(2));
        QVERIFY(c.selectAll->isChecked());

        clickRow(c.list, 0);
        QVERIFY(!c.selectAll->isChecked());
        QVERIFY(state.isSelected(1));

        QTest::mouseClick(c.selectAll, Qt::LeftButton);
        QTest::mouseClick(c.selectAll, Qt::LeftButton);
        QVERIFY(state.selectionEmpty());
        QVERIFY(!c.selectAll->isChecked());
        QVERIFY(!c.ok->isEnabled());
    }

    void keyboardAloneChoosesAndConfirms() {
        ViewUnderTest t;
        t.writeList("Zeta\nalpha\nBeta\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);

        QTest::keyClick(c.list, Qt::Key_Space); // Zeta
        QTest::keyClick(c.list, Qt::Key_Down);
        QTest::keyClick(c.list, Qt::Key_Down);
        QTest::keyClick(c.list, Qt::Key_Space); // Beta
        QCOMPARE(t.view.session().state().selectionSize(), 2u);

        // Tab walks list, "Select All", "Cancel", "OK".
        QTest::keyClick(c.list, Qt::Key_Tab);
        QVERIFY(c.selectAll->hasFocus());
        QTest::keyClick(c.selectAll, Qt::Key_Tab);
        QVERIFY(c.cancel->hasFocus());
        QTest::keyClick(c.cancel, Qt::Key_Tab);
        QVERIFY(c.ok->hasFocus());

        QTest::keyClick(c.ok, Qt::Key_Return);
        QCOMPARE(t.terminationRequests, 1);
        QCOMPARE(t.read("selected.txt"), QByteArray("Beta\nZeta"));
        QVERIFY(t.exists("done.flag"));
    }

    void returnConfirmsOnlyWithASelectionFromAnyFocus_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
    }

    void returnConfirmsOnlyWithASelectionFromAnyFocus() {
        QFETCH(Qt::Key, key);
        ViewUnderTest t;
        t.writeList("B\nA\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);

        QTest::keyClick(c.list, key);
        QCOMPARE(t.terminationRequests, 0);
        QVERIFY(!t.exists("selected.txt"));
        QVERIFY(!t.view.session().state().showAlert());

        clickRow(c.list, 0);
        clickRow(c.list, 1);
        c.selectAll->setFocus();
        QTest::keyClick(c.selectAll, key);
        QCOMPARE(t.terminationRequests, 1);
        QCOMPARE(t.read("selected.txt"), QByteArray("A\nB"));
    }

    void escapeCancelsAndRemovesAStaleSelection() {
        ViewUnderTest t;
        t.writeList("A\n");
        QFile stale(t.dir.filePath(QStringLiteral("selected.txt")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("old");
        stale.close();
        QVERIFY(open(t));
        clickRow(controlsOf(t.view).list, 0);

        QTest::keyClick(&t.view, Qt::Key_Escape);
        QCOMPARE(t.terminationRequests, 1);
        QVERIFY(!t.exists("selected.txt"));
        QCOMPARE(t.read("done.flag"), QByteArray());
        QCOMPARE(t.lines.size(), 2u);
        QCOMPARE(t.lines[0], "Selected printers file removed on cancel: " +
                                 t.dir.filePath(QStringLiteral("selected.txt")).toStdString());
    }

    void failedConfirmKeepsTheDialogOpen() {
        ViewUnderTest t;
        t.writeList("A\n");
        QVERIFY(QDir(t.dir.path()).mkdir(QStringLiteral("selected.txt")));
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        clickRow(c.list, 0);
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QTRY_VERIFY(alertShown(t.view));
        QVERIFY(alertOf(t.view)->text().startsWith(QStringLiteral("Error writing selected printers to '")));
        QVERIFY(alertOf(t.view)->text().contains(QStringLiteral("':\n")));
        QCOMPARE(t.terminationRequests, 0);
        QVERIFY(!t.exists("done.flag"));

        QTest::keyClick(alertOf(t.view), Qt::Key_Return);
        QTRY_VERIFY(!alertShown(t.view));
        QVERIFY(t.view.session().state().isSelected(0));
        QVERIFY(c.ok->isEnabled());
    }
};

QTEST_MAIN(ContentViewTest)
#include "content_view_test.moc"
