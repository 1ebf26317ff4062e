#include "DesktopBackends.h"

#include "linux/EvdevInputSource.h"
#include "linux/IdleOnlyInputSource.h"
#include "linux/XInputSource.h"

#include <QLocale>

DesktopBackends DesktopBackends::build(const Process &process, const QDBusConnection &sessionBus,
                                       const QDBusConnection &systemBus)
{
    DesktopBackends b;
    b.facts = detectPlatformFacts(process, sessionBus, systemBus);
    b.choice = choosePlatform(b.facts);
    const QByteArray display = b.facts.display.toLocal8Bit();

    if (b.choice.input == InputBackend::evdev) {
        auto evdev = std::make_unique<EvdevInputSource>();
        if (evdev->start())
            b.input = std::move(evdev);
    } else if (b.choice.input == InputBackend::x11) {
        b.input = XInputSource::open(display);
    }
    // A backend that failed between the look and the build leaves the idle time.
    if (!b.input)
        b.input = std::make_unique<IdleOnlyInputSource>(sessionBus);

    std::unique_ptr<X11FrontmostApplication> frontmost;
    if (b.choice.x11Frontmost)
        frontmost = X11FrontmostApplication::open(
            display, DesktopEntryNames(DesktopEntryNames::applicationFolders(process),
                                       QLocale::system().name()));
    std::unique_ptr<LogindSleepMonitor> sleep;
    if (b.choice.logind)
        sleep = std::make_unique<LogindSleepMonitor>(systemBus);
    b.workspace = std::make_unique<LinuxWorkspace>(std::move(frontmost), std::move(sleep));
    return b;
}
