#pragma once

#include "Workspace.h"
#include "linux/LogindSleepMonitor.h"
#include "linux/X11FrontmostApplication.h"

#include <memory>

// The workspace of a Linux desktop: the frontmost application from X11 where there is a display
// (none otherwise) and sleep and wake from logind where it runs.
class LinuxWorkspace final : public Workspace {
    Q_OBJECT
public:
    LinuxWorkspace(std::unique_ptr<X11FrontmostApplication> frontmost,
                   std::unique_ptr<LogindSleepMonitor> sleep, QObject *parent = nullptr);

    std::optional<FrontmostApplication> frontmostApplication() const override;

    const X11FrontmostApplication *frontmost() const { return m_frontmost.get(); }
    const LogindSleepMonitor *sleepMonitor() const { return m_sleep.get(); }

private:
    std::unique_ptr<X11FrontmostApplication> m_frontmost;
    std::unique_ptr<LogindSleepMonitor> m_sleep;
};
