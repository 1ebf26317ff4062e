#include "Doctor.h"

#include "DataFolder.h"
#include "linux/AutostartLoginItems.h"
#include "linux/DesktopEntryNames.h"
#include "linux/JsonSettingsStore.h"
#include "linux/PlatformChoice.h"
#include "linux/SingleInstance.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QFile>

namespace {

QString instanceLine(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return QStringLiteral("lock file in $XDG_RUNTIME_DIR (no session bus)");
    const auto pid = bus.interface()->servicePid(SingleInstance::serviceName);
    if (pid.isValid())
        return QStringLiteral("session bus name %1, held by process %2")
            .arg(SingleInstance::serviceName)
            .arg(pid.value());
    return QStringLiteral("session bus name %1, free (Tockly is not running)")
        .arg(SingleInstance::serviceName);
}

QString linksLine(const Process &process)
{
    for (const QString &folder : DesktopEntryNames::applicationFolders(process)) {
        QFile f(folder + QStringLiteral("/tockly.desktop"));
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains("x-scheme-handler/quenby"))
            return QStringLiteral("quenby:// links open through %1").arg(f.fileName());
    }
    return QStringLiteral("no tockly.desktop with x-scheme-handler/quenby in the applications "
                          "folders (the package or ./run installs one)");
}

} // namespace

int runDoctor(const Process &process, QTextStream &out)
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    const PlatformChoice c =
        choosePlatform(detectPlatformFacts(process, session, QDBusConnection::systemBus()));
    const AutostartLoginItems login(xdgConfigHome(process),
                                    QCoreApplication::applicationFilePath());
    const bool enabled = login.status() == LoginItems::Status::enabled;

    out << "input: " << c.inputReason << '\n'
        << "frontmost application: " << c.frontmostReason << '\n'
        << "sleep and wake: " << c.sleepReason << '\n'
        << "login item: XDG autostart " << login.entryPath() << ", "
        << (enabled ? "enabled" : "not registered") << '\n'
        << "single instance: " << instanceLine(session) << '\n'
        << "links: " << linksLine(process) << '\n'
        << "data folder: " << dataFolderPath(process, xdgDataHome(process)) << '\n'
        << "settings: " << JsonSettingsStore::defaultPath(process) << '\n';
    out.flush();
    return 0;
}
