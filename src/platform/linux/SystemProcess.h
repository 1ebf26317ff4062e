// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"

// The real environment, and the launch arguments as main received them.
class SystemProcess final : public Process {
public:
    explicit SystemProcess(QStringList arguments) : m_arguments(std::move(arguments)) {}

    std::optional<QString> environmentValue(const QString &name) const override;
    QStringList arguments() const override { return m_arguments; }

private:
    QStringList m_arguments;
};
