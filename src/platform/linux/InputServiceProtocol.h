// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"

#include <QMap>
#include <QString>

#include <array>

// What tockly-inputd and the application say to each other on the system bus. One call,
//   GetInput() -> (a{su} counters, a{sd} secondsSinceLast, s seat, u devices),
// returns everything a tick reads: for each event type, named as InputEvent names it, its running
// counter and the seconds since its latest event on the caller's seat (on a clock that runs
// through suspend; before the first event, since boot), then that seat and how many keyboards
// and pointers it has. Only the user of the seat's active local session gets an answer.
namespace InputServiceProtocol {

inline const QString service = QStringLiteral("org.quenby.Tockly.Input1");
inline const QString path = QStringLiteral("/org/quenby/Tockly/Input1");
inline const QString interface = QStringLiteral("org.quenby.Tockly.Input1");
inline const QString method = QStringLiteral("GetInput");

using Counters = QMap<QString, uint>;
using Seconds = QMap<QString, double>;

struct Event {
    InputEvent type;
    const char *name;
};
inline constexpr std::array<Event, 7> events{{
    {InputEvent::keyDown, "keyDown"},
    {InputEvent::flagsChanged, "flagsChanged"},
    {InputEvent::leftMouseDown, "leftMouseDown"},
    {InputEvent::rightMouseDown, "rightMouseDown"},
    {InputEvent::otherMouseDown, "otherMouseDown"},
    {InputEvent::scrollWheel, "scrollWheel"},
    {InputEvent::mouseMoved, "mouseMoved"},
}};

QString eventName(InputEvent type);

// The map types above, made known to QtDBus; once per process, before the first call.
void registerTypes();

} // namespace InputServiceProtocol
