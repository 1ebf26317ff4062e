// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The desktop's general clipboard, as plain text.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    // Empty when it holds no plain text.
    virtual QString text() const = 0;
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
};
