#pragma once

#include <QWidget>

#include "kestrow/core/dialog_session.h"
#include "kestrow/ui/x11_key_repeats.h"

class QCheckBox;
class QKeyEvent;
class QMessageBox;
class QPushButton;
class QStackedWidget;
class PrinterListModel;
class PrinterListView;

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
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    bool isRepeat(const QKeyEvent* key);
    bool answerKeyPress(const QKeyEvent* key);
    void connectControls();
    void stateChanged(const kestrow::SelectionState::Change& change);
    enum class MiddleForm { Undecided, List, Notice };
    void refreshControls();
    void showMiddleForm(MiddleForm form);
    void presentAlertIfRaised();
    void keepPathsWhole(const QString& path);
    QWidget* notice();
    QMessageBox* alert();

    kestrow::DialogSession m_session;
    PrinterListModel* m_model = nullptr;
    QStackedWidget* m_middle = nullptr;
    PrinterListView* m_list = nullptr;
    QWidget* m_notice = nullptr; // made when first shown: a loaded list never needs it
    MiddleForm m_middleForm = MiddleForm::Undecided;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_ok = nullptr;
    QMessageBox* m_alert = nullptr; // made when first raised: the first frame does not need it
    bool m_loaded = false;
    struct KeyRelease {
        int key = 0;
        quint64 timestamp = 0;
    };
    KeyRelease m_lastRelease; // the last release of an answer key, to tell a repeat by
    X11KeyRepeats m_x11Repeats;
};
