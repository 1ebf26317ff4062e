// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Workspace.h"
#include "linux/FrontmostApplicationSource.h"
#include "linux/LogindSleepMonitor.h"

#include <memory>

// The workspace of a Linux desktop: the frontmost application from whichever source the session
// offers (X11, a Wayland protocol, a KWin script, the GNOME Shell extension; none otherwise) and
// sleep and wake from logind where it runs.
class LinuxWorkspace final : public Workspace {
    Q_OBJECT
public:
    LinuxWorkspace(std::unique_ptr<FrontmostApplicationSource> frontmost,
                   std::unique_ptr<LogindSleepMonitor> sleep, QObject *parent = nullptr);

    std::optional<FrontmostApplication> frontmostApplication() const override;

    const FrontmostApplicationSource *frontmost() const { return m_frontmost.get(); }
    const LogindSleepMonitor *sleepMonitor() const { return m_sleep.get(); }

private:
    std::unique_ptr<FrontmostApplicationSource> m_frontmost;
    std::unique_ptr<LogindSleepMonitor> m_sleep;
};
