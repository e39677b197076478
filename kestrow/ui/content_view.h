#pragma once

#include <QWidget>

#include "dialog_session.h"

class QCheckBox;
class QLabel;
class QListView;
class QMessageBox;
class QPushButton;
class QStackedWidget;
class PrinterListModel;

// The selection window's content: heading, the check list (or a notice while there is none),
// "Select All", "Cancel" and "OK", and the alert. It draws the session's state and sends every
// action to a rule or an operation of the session; it keeps no state of its own.
class ContentView final : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(kestrow::ExchangePaths paths, kestrow::SessionHooks hooks,
                         QWidget* parent = nullptr);
    ~ContentView() override;

    QSize sizeHint() const override;

    kestrow::DialogSession& session() { return m_session; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectControls();
    void stateChanged(kestrow::SelectionState::Change change);
    void refreshControls();
    void presentAlertIfRaised();

    kestrow::DialogSession m_session;
    PrinterListModel* m_model = nullptr;
    QStackedWidget* m_middle = nullptr;
    QListView* m_list = nullptr;
    QWidget* m_notice = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_ok = nullptr;
    QMessageBox* m_alert = nullptr;
    bool m_loaded = false;
};
