#include "kestrow/app/kestrow_app.h"

#include <QCoreApplication>

#include "kestrow/app/standard_output.h"
#include "kestrow/ui/content_view.h"

KestrowApp::KestrowApp() {
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
