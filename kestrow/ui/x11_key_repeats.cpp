#include "kestrow/ui/x11_key_repeats.h"

#include <QCoreApplication>

#include <xcb/xproto.h>

X11KeyRepeats::X11KeyRepeats() {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11KeyRepeats::~X11KeyRepeats() {
    if (auto* application = QCoreApplication::instance()) {
        application->removeNativeEventFilter(this);
    }
}

bool X11KeyRepeats::lastPressRepeated(quint32 scanCode) const {
    return scanCode < m_repeated.size() && m_repeated[scanCode];
}

bool X11KeyRepeats::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    // The top bit says the event came from SendEvent; it is a key event all the same.
    const auto type = static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7f;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        // A release has the same layout as a press.
        const auto* key = static_cast<const xcb_key_press_event_t*>(message);
        if (type == XCB_KEY_RELEASE) {
            m_releaseTime[key->detail] = key->time;
        } else {
            m_repeated[key->detail] = key->time != 0 && key->time == m_releaseTime[key->detail];
        }
    }
    return false; // only watching: Qt handles every event as before
}
