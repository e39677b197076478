#include "kestrow/app/kestrow_app.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

#include "kestrow/app/standard_output.h"
#include "kestrow/ui/content_view.h"

namespace {

// A close by the compositor, its close key or the title bar's button ends the event loop as an
// answer does, without hiding the window: the process's end removes it. Qt 6.4 hides a closed
// window by destroying its Wayland surface while its event thread may still read, and
// libwayland-client then aborted now and then ("wl_proxy_unref: Assertion `proxy->refcount > 0'
// failed", sway at scale 2).
class CloseEndsTheLoop final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Close) {
            event->ignore();
            QCoreApplication::exit(0);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

KestrowApp::KestrowApp() {
    kestrow::SessionHooks hooks{
        printDiagnosticLine,
        // Ends the event loop without closing the window first; the exchange files are final by now.
        [] { QCoreApplication::exit(0); },
    };
    m_window = std::make_unique<ContentView>(kestrow::ExchangePaths{}, std::move(hooks));
    m_window->setWindowTitle(QCoreApplication::translate("KestrowApp", "Orvane Setup"));
    m_window->installEventFilter(new CloseEndsTheLoop(m_window.get()));
}

KestrowApp::~KestrowApp() = default;

void KestrowApp::show() {
    // The opening size where it fits, else no more than nine tenths of the screen's free area:
    // 550 x 400 at a scale factor of 2 is larger than a small laptop screen, and the title bar
    // would go off it. The tenth left is for the window manager's frame (title bar, borders),
    // which Qt does not know before the window is shown. The minimum gives way on such a screen.
    const QSize room = m_window->screen()->availableGeometry().size() * 0.9;
    m_window->setMinimumSize(m_window->minimumSize().boundedTo(room));
    m_window->resize(m_window->sizeHint().boundedTo(room));
    m_window->show();
}
