#include <QAccessible>
#include <QCheckBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QToolTip>

#include "kestrow/ui/printer_list_model.h"
#include "kestrow/ui/translations.h"
#include "widget_test_support.h"

namespace {

struct Controls {
    QListView* list;
    QCheckBox* selectAll;
    QPushButton* cancel;
    QPushButton* ok;
};

Controls controlsOf(ContentView& view) {
    return {view.findChild<QListView*>(QStringLiteral("printerList")),
            view.findChild<QCheckBox*>(QStringLiteral("selectAll")),
            view.findChild<QPushButton*>(QStringLiteral("cancel")),
            view.findChild<QPushButton*>(QStringLiteral("ok"))};
}

// The notice stands in for an empty list; it is made when first shown.
bool noticeShown(ContentView& view) {
    const auto* notice = view.findChild<QLabel*>(QStringLiteral("notice"));
    return notice != nullptr && notice->isVisible();
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

// A key press that the keyboard repeats because the key is held down.
void heldKeyRepeats(QWidget* widget, Qt::Key key) {
    QTest::simulateEvent(widget, true, key, Qt::NoModifier, QString(), true);
}

// A held key as an X server repeats it: a release and a press with the same time stamp, which
// Qt 6.4 does not always mark as a repeat.
void x11KeyRepeats(QWidget* widget, Qt::Key key, quint64 timestamp) {
    for (const auto type : {QEvent::KeyRelease, QEvent::KeyPress}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        event.setTimestamp(timestamp);
        QCoreApplication::sendEvent(widget, &event);
    }
}

// What the pointer resting on a row shows.
QString tooltipOfRow(QListView* list, int row) {
    QToolTip::hideText();
    const QPoint point = list->visualRect(list->model()->index(row, 0)).center();
    QHelpEvent help(QEvent::ToolTip, point, list->viewport()->mapToGlobal(point));
    QCoreApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void clickRow(QListView* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    // The middle of the row's text, away from the check indicator.
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), button, {}, QPoint(rect.center().x(), rect.center().y()));
}

// Two printers, the first ticked, and a directory where the selection file goes: OK will fail.
bool openWithFirstRowTickedAndSelectionUnwritable(ViewUnderTest& t) {
    t.writeList("A\nB\n");
    if (!QDir(t.dir.path()).mkdir(QStringLiteral("selected.txt")) || !open(t)) {
        return false;
    }
    clickRow(controlsOf(t.view).list, 0);
    return t.view.session().state().isSelected(0);
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
        QVERIFY(noticeShown(t.view));
        QVERIFY(!c.list->isVisible());
        QVERIFY(!c.selectAll->isEnabled());
        QVERIFY(!c.selectAll->isChecked());
        QVERIFY(!c.ok->isEnabled());
        QVERIFY(c.cancel->isEnabled());

        // Its only button closes it and changes nothing else.
        QTest::keyClick(alert, Qt::Key_Return);
        QTRY_VERIFY(!alert->isVisible());
        QVERIFY(!t.view.session().state().showAlert());
        QVERIFY(noticeShown(t.view));
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
        QVERIFY(!noticeShown(t.view));
        QCOMPARE(c.list->model()->rowCount(), 3);
        QCOMPARE(c.list->model()->index(1, 0).data().toString(), QStringLiteral("  Brother & Co <b>x</b>\t"));
        QVERIFY(c.list->hasFocus());
        QVERIFY(c.selectAll->isEnabled());
        QVERIFY(!c.ok->isEnabled());
        QVERIFY(alertOf(t.view) == nullptr); // made only when first raised
        QVERIFY(t.view.findChild<QLabel*>(QStringLiteral("notice")) == nullptr); // ... or shown
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
        QVERIFY(openWithFirstRowTickedAndSelectionUnwritable(t));
        const auto c = controlsOf(t.view);
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

    // One press acts once: a key held through the alert does nothing to the window behind it.
    void aKeyHeldThroughTheAlertActsOnce() {
        ViewUnderTest t;
        QVERIFY(openWithFirstRowTickedAndSelectionUnwritable(t));
        const auto c = controlsOf(t.view);
        QTest::keyClick(&t.view, Qt::Key_Return); // the write fails: the alert
        QTRY_VERIFY(alertShown(t.view));
        QWidget* inAlert = alertOf(t.view)->focusWidget() ? alertOf(t.view)->focusWidget() : alertOf(t.view);

        heldKeyRepeats(inAlert, Qt::Key_Return); // the Return that confirmed, still down
        QVERIFY(alertShown(t.view));
        QTest::keyClick(inAlert, Qt::Key_Escape); // a fresh press closes it ...
        QTRY_VERIFY(!alertShown(t.view));
        heldKeyRepeats(&t.view, Qt::Key_Escape); // ... and held on, does not cancel
        QCOMPARE(t.terminationRequests, 0);
        QVERIFY(!t.exists("done.flag"));
        heldKeyRepeats(&t.view, Qt::Key_Return); // nor does a held Return retry the write
        QVERIFY(!t.view.session().state().showAlert());
        heldKeyRepeats(c.list, Qt::Key_Space); // nor a held Space flip the row back and forth
        QVERIFY(t.view.session().state().isSelected(0));
        x11KeyRepeats(c.list, Qt::Key_Escape, 1000); // nor an X11 repeat Qt calls a fresh press
        QCOMPARE(t.terminationRequests, 0);
        QKeyEvent fresh(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier); // a new press acts
        fresh.setTimestamp(1400);
        QCoreApplication::sendEvent(c.list, &fresh);
        QCOMPARE(t.terminationRequests, 1);
    }

    // A name that does not fit shows whole when the pointer rests on it, as plain text; the
    // markup in it is never obeyed (an <img> would make Qt read the file).
    void tooltipsShowElidedNamesAsTheyAre() {
        ViewUnderTest t;
        const QByteArray tricky = "<b>Bold</b>    spaced <img src=\"/dev/zero\"> " + QByteArray(200, 'x');
        t.writeList("Short\n" + tricky + "\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        QCOMPARE(tooltipOfRow(c.list, 0), QString());
        QCOMPARE(tooltipOfRow(c.list, 1), QStringLiteral("<p style='white-space:pre'>") +
                                              QString::fromUtf8(tricky).toHtmlEscaped() +
                                              QStringLiteral("</p>"));
        // Rows span what the list shows at any width, so the long name is elided, not scrolled to.
        for (const QSize size : {QSize(900, 400), QSize(460, 400)}) {
            t.view.resize(size);
            QTRY_COMPARE(c.list->visualRect(c.list->model()->index(1, 0)).width(),
                         c.list->viewport()->width());
        }
        QCOMPARE(tooltipOfRow(c.list, 1).isEmpty(), false);
    }

    void aTickedRowIsDrawnTickedAndHighlighted_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }

    // Without a screen reader a tick is only a repaint: the check mark and the highlight must be
    // in what the window shows (its backing store, not a fresh rendering), on a light palette and
    // on a dark one, where an unticked box must still be seen.
    void aTickedRowIsDrawnTickedAndHighlighted() {
        QFETCH(bool, dark);
        ViewUnderTest t;
        if (dark) { // a dark desktop theme's colours (GNOME's Adwaita dark through Qt's GTK theme)
            QPalette palette;
            for (const auto& [role, color] : {std::pair{QPalette::Window, 0x323232},
                                              {QPalette::Button, 0x323232},
                                              {QPalette::Base, 0x242424},
                                              {QPalette::Text, 0xf0f0f0},
                                              {QPalette::WindowText, 0xf0f0f0},
                                              {QPalette::ButtonText, 0xf0f0f0}}) {
                palette.setColor(role, QColor(QRgb(color)));
            }
            t.view.setPalette(palette);
        }
        t.writeList("A\nB\n");
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        const auto rowInWindow = [&](int row) {
            const QRect rect = c.list->visualRect(c.list->model()->index(row, 0));
            return QRect(c.list->viewport()->mapTo(&t.view, rect.topLeft()), rect.size());
        };
        const QRect ticked = rowInWindow(0);
        const QRect unticked = rowInWindow(1);
        const auto shown = [&] { return t.view.screen()->grabWindow(t.view.winId()).toImage(); };
        const auto checkBox = [](const QImage& image, const QRect& row) {
            return image.copy(QRect(row.topLeft(), QSize(row.height(), row.height())));
        };
        const auto background = [](const QImage& image, const QRect& row) {
            return image.pixelColor(row.right() - 2, row.center().y());
        };
        QTRY_VERIFY(!shown().isNull());
        const QImage before = shown();
        // Through the state, as a screen reader's action does: no click repaints the row itself.
        t.view.session().state().setSelected(0, true);
        QTRY_VERIFY(checkBox(shown(), ticked) != checkBox(before, ticked));
        const QImage after = shown();

        QCOMPARE(checkBox(after, unticked), checkBox(before, unticked));
        QCOMPARE(background(after, unticked), background(before, unticked));
        const QColor blended = background(after, ticked);
        QVERIFY2(blended != background(after, unticked) && blended.blue() > blended.red(),
                 qPrintable(blended.name()));
        // The unticked box stands out from its row.
        const QImage box = checkBox(after, unticked);
        int contrast = 0;
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 0; x < box.width(); ++x) {
                contrast = std::max(contrast, std::abs(box.pixelColor(x, y).lightness() -
                                                       background(after, unticked).lightness()));
            }
        }
        QVERIFY2(contrast > 40, qPrintable(QString::number(contrast)));
    }

    // Each language with a catalogue shows the window in it, laid out right to left where it is
    // written so; English, C and a language without one show today's texts exactly. Standard
    // output is the same in every language.
    void showsTheWindowInTheUsersLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("selectAll");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<bool>("rightToLeft");
        const auto row = [](const char* locale, const char* heading, const char* selectAll,
                            const char* cancel, bool rightToLeft = false) {
            QTest::newRow(locale) << QString::fromLatin1(locale) << QString::fromUtf8(heading)
                                  << QString::fromUtf8(selectAll) << QString::fromUtf8(cancel) << rightToLeft;
        };
        const char* english[] = {"Select Printers to Install", "Select All", "Cancel"};
        row("C", english[0], english[1], english[2]);
        row("en_US", english[0], english[1], english[2]);
        row("pt_PT", english[0], english[1], english[2]); // only Brazilian Portuguese has one
        row("de_DE", "Zu installierende Drucker auswählen", "Alles auswählen", "Abbrechen");
        row("fr_FR", "Sélectionnez les imprimantes à installer", "Tout sélectionner", "Annuler");
        row("es_ES", "Seleccione las impresoras que desea instalar", "Seleccionar todo", "Cancelar");
        row("it_IT", "Seleziona le stampanti da installare", "Seleziona tutto", "Annulla");
        row("pt_BR", "Selecione as impressoras que deseja instalar", "Selecionar tudo", "Cancelar");
        row("nl_NL", "Selecteer de printers die u wilt installeren", "Alles selecteren", "Annuleren");
        row("pl_PL", "Wybierz drukarki do zainstalowania", "Zaznacz wszystko", "Anuluj");
        row("ru_RU", "Выберите принтеры для установки", "Выбрать все", "Отмена");
        row("ja_JP", "インストールするプリンターを選択してください", "すべて選択", "キャンセル");
        row("zh_CN", "选择要安装的打印机", "全选", "取消");
        row("ko_KR", "설치할 프린터 선택", "모두 선택", "취소");
        row("ar_EG", "حدّد الطابعات التي تريد تثبيتها", "حدّد الكل", "ألغِ", true);
        row("he_IL", "בחירת מדפסות להתקנה", "בחירת הכול", "ביטול", true);
    }

    // As with GNU gettext, LANGUAGE does not count where messages are in the C locale.
    void theCLocaleIgnoresLanguage_data() {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<bool>("german");
        QTest::newRow("LC_ALL=C") << QByteArray("C") << QByteArray("de_DE.UTF-8") << false;
        QTest::newRow("LANG=C.UTF-8") << QByteArray() << QByteArray("C.UTF-8") << false;
        QTest::newRow("LANG=POSIX") << QByteArray() << QByteArray("POSIX") << false;
        QTest::newRow("LANG=fr_FR.UTF-8") << QByteArray() << QByteArray("fr_FR.UTF-8") << true;
    }

    void theCLocaleIgnoresLanguage() {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lang);
        QFETCH(bool, german);
        const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG"),
                                    qgetenv("LANGUAGE")};
        qputenv("LC_ALL", lcAll);
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", lang);
        qputenv("LANGUAGE", "de");
        const bool c = Translations::userLocale() == QLocale::c();
        qputenv("LC_ALL", saved[0]);
        qputenv("LC_MESSAGES", saved[1]);
        qputenv("LANG", saved[2]);
        qputenv("LANGUAGE", saved[3]);
        QCOMPARE(c, !german);
    }

    void showsTheWindowInTheUsersLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, heading);
        QFETCH(QString, selectAll);
        QFETCH(QString, cancel);
        QFETCH(bool, rightToLeft);
        const Translations translations(QLocale(locale), QStringLiteral(KESTROW_TRANSLATIONS_DIR));
        ViewUnderTest t;
        QVERIFY(open(t));
        const auto c = controlsOf(t.view);
        QCOMPARE(t.view.findChild<QLabel*>(QStringLiteral("heading"))->text(), heading);
        QCOMPARE(c.selectAll->text(), selectAll);
        QCOMPARE(c.cancel->text(), cancel);
        QCOMPARE(t.view.layoutDirection(), rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        QTRY_VERIFY(alertShown(t.view));
        const QString english = QStringLiteral("Printer list file not found at:\n") +
                                t.dir.filePath(QStringLiteral("list.txt")) +
                                QStringLiteral("\n\nPlease ensure the file exists and the application has "
                                               "permission to read it.");
        QCOMPARE(alertOf(t.view)->text() == english, translations.language().isEmpty());
        QVERIFY(alertOf(t.view)->text().contains(t.dir.filePath(QStringLiteral("list.txt"))));
        QTest::keyClick(alertOf(t.view), Qt::Key_Return);
        QTRY_VERIFY(!alertShown(t.view));
        QVERIFY(QTest::qWaitForWindowActive(&t.view));
        QTest::keyClick(&t.view, Qt::Key_Escape);
        QCOMPARE(t.lines,
                 std::vector<std::string>{"Done flag created at: " +
                                          t.dir.filePath(QStringLiteral("done.flag")).toStdString()});
    }
};

QTEST_MAIN(ContentViewTest)
#include "content_view_test.moc"
