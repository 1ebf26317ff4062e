// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
// master devices only so that each physical event counts once. Mouse movement comes from raw
// motion too, but only its first event between two readings: the selection is dropped when one
// arrives and taken up again at the next reading, so a resting mouse costs nothing and a moving
// one a wake-up per tick. Once a raw event has shown movement, the server's MIT-SCREEN-SAVER idle
// time dates its end; on its own that idle time proves nothing, since a client resetting the
// screen saver (a film player) moves it as well.
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
    // Selects the raw events, with raw motion or without.
    void select(bool motion) const;
    void readEvents() const;
    // One xcb_generic_event_t, whose type cannot be declared ahead.
    void handle(const void *event) const;
    // Dates movement seen since the last reading and listens for the next, at most every few
    // milliseconds.
    void refreshMotion() const;

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
    mutable double m_lastReading = -1;
    // Raw motion is selected; when not, a raw motion event came since the last reading.
    mutable bool m_motionSelected = false;
    mutable SleepAwareIdle m_sleep;
    double m_origin = 0;
};
