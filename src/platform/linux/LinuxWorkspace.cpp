// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/LinuxWorkspace.h"

LinuxWorkspace::LinuxWorkspace(std::unique_ptr<FrontmostApplicationSource> frontmost,
                               std::unique_ptr<LogindSleepMonitor> sleep, QObject *parent)
    : Workspace(parent), m_frontmost(std::move(frontmost)), m_sleep(std::move(sleep))
{
    if (m_sleep) {
        // Direct connections: the store's sleep work runs inside the monitor's emission, before
        // the monitor lets the sleep go on.
        connect(m_sleep.get(), &LogindSleepMonitor::willSleep, this, &Workspace::willSleep,
                Qt::DirectConnection);
        connect(m_sleep.get(), &LogindSleepMonitor::didWake, this, &Workspace::didWake,
                Qt::DirectConnection);
    }
}

std::optional<FrontmostApplication> LinuxWorkspace::frontmostApplication() const
{
    return m_frontmost ? m_frontmost->query() : std::nullopt;
}
