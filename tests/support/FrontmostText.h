// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/FrontmostApplicationSource.h"

// What a source says is in front, as "identifier/name"; "none" without an application, "?" for
// what it does not know.
inline QString frontmost(const FrontmostApplicationSource &source)
{
    const auto app = source.query();
    if (!app)
        return QStringLiteral("none");
    return app->identifier.value_or(QStringLiteral("?")) + u'/' +
           app->displayName.value_or(QStringLiteral("?"));
}
