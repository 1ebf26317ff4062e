#pragma once

#include "InputSource.h"
#include "linux/InputTally.h"
#include "linux/SleepAwareIdle.h"

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <bitset>
#include <memory>

struct xcb_connection_t;

// Counts input on an X11 display from XI2 raw events on the root window: raw key presses and
// releases (releases for the modifier changes) and raw button presses and releases, from the
// master devices only so that each physical event counts once. Raw motion is not selected, so
// moving the mouse costs no wake-up: the combined idle time comes from the server's
// MIT-SCREEN-SAVER counter, and when the latest input the server saw is newer than the latest
// key or button, that input was the mouse moving.
class XInputSource final : public QObject, public InputSource {
    Q_OBJECT
public:
    ~XInputSource() override;

    // Nothing, with the reason, when the display cannot be opened or lacks XInput 2.2 or
    // MIT-SCREEN-SAVER.
    static std::unique_ptr<XInputSource> open(const QByteArray &display, QString *why = nullptr);

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent type) const override;

private:
    XInputSource(xcb_connection_t *connection, unsigned root, quint8 xinputOpcode);

    void loadModifierKeys();
    void readEvents() const;
    // One xcb_generic_event_t, whose type cannot be declared ahead.
    void handle(const void *event) const;
    // Asks the server how long ago the last input was, at most every few milliseconds.
    void refreshIdle() const;

    xcb_connection_t *m_connection;
    unsigned m_root;
    quint8 m_xinputOpcode;
    // Which keycodes of the server's keymap are modifiers: a property of the keymap, not of
    // anything typed.
    std::bitset<256> m_modifierKeys;
    std::unique_ptr<QSocketNotifier> m_notifier;

    mutable InputTally m_tally;
    // How many modifier keys are held: just a number, never which.
    mutable int m_modifiersDown = 0;
    // The latest key or button press or release: inputs that are not mouse movement.
    mutable double m_lastNonMotion = 0;
    mutable double m_lastIdleQuery = -1;
    mutable SleepAwareIdle m_sleep;
    double m_origin = 0;
};
