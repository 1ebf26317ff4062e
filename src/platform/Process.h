// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The process's environment variables and launch arguments.
class Process {
public:
    virtual ~Process() = default;
    // The value of a variable, also when it is set but empty; nothing when it is not set.
    virtual std::optional<QString> environmentValue(const QString &name) const = 0;
    virtual QStringList arguments() const = 0;

    bool hasEnvironment(const QString &name) const { return environmentValue(name).has_value(); }
};
