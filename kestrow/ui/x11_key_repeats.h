#pragma once

#include <QAbstractNativeEventFilter>

#include <array>
#include <cstdint>

// Tells, on X11, whether the last press of a key was one the X server repeats because the key is
// held: it sends a repeat as a release and a press with the same time stamp. Qt 6.4's X11 plugin
// marks a repeat only while its release and press reach the window that had the press (not after
// an alert closes), and Qt's screen-reader bridge hands keys on without their time stamps, so this
// reads the X events themselves, before Qt does. Elsewhere it knows nothing and says no.
class X11KeyRepeats final : public QAbstractNativeEventFilter {
public:
    X11KeyRepeats();
    ~X11KeyRepeats() override;
    X11KeyRepeats(const X11KeyRepeats&) = delete;
    X11KeyRepeats& operator=(const X11KeyRepeats&) = delete;

    // By the key's native scan code (on X11 its key code), as QKeyEvent::nativeScanCode() gives it.
    bool lastPressRepeated(quint32 scanCode) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::array<std::uint32_t, 256> m_releaseTime{};
    std::array<bool, 256> m_repeated{};
};
