#pragma once

#include <memory>

class ContentView;
class QWidget;

// The application's one window, titled "Orvane Setup", whose content is one ContentView working
// on the fixed exchange paths. Confirm and cancel end the event loop.
class KestrowApp {
public:
    KestrowApp();
    ~KestrowApp();
    KestrowApp(const KestrowApp&) = delete;
    KestrowApp& operator=(const KestrowApp&) = delete;

    void show();

private:
    std::unique_ptr<ContentView> m_window;
};
