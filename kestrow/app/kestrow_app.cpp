#include "kestrow_app.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

#include "content_view.h"
#include "standard_output.h"

namespace {

// A plain top-level QWidget reads as a "filler" to screen readers; ours is the application's
// window and should read as one.
QAccessibleInterface* accessibleWindow(const QString& className, QObject* object) {
    if (className == QLatin1String("ContentView") && object->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(object);
        if (widget->isWindow()) {
            return new QAccessibleWidget(widget, QAccessible::Window);
        }
    }
    return nullptr;
}

} // namespace

KestrowApp::KestrowApp() {
    QAccessible::installFactory(accessibleWindow);
    kestrow::SessionHooks hooks{
        printDiagnosticLine,
        // Ends the event loop without closing the window first; the exchange files are final by now.
        [] { QCoreApplication::exit(0); },
    };
    m_window = std::make_unique<ContentView>(kestrow::ExchangePaths{}, std::move(hooks));
    m_window->setWindowTitle(QCoreApplication::translate("KestrowApp", "Orvane Setup"));
}

KestrowApp::~KestrowApp() = default;

void KestrowApp::show() {
    m_window->resize(m_window->sizeHint());
    m_window->show();
}
