// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/InputServiceProtocol.h"

#include <QDBusMetaType>

namespace InputServiceProtocol {

QString eventName(InputEvent type)
{
    for (const Event &e : events)
        if (e.type == type)
            return QLatin1String(e.name);
    return {};
}

void registerTypes()
{
    qDBusRegisterMetaType<Counters>();
    qDBusRegisterMetaType<Seconds>();
}

} // namespace InputServiceProtocol
