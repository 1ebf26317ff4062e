// tockly-inputd: the system service that alone opens the input devices, counts their events per
// seat and tells the user of a seat's active session nothing but those counts and idle times.

#include "DeviceFolder.h"
#include "InputService.h"
#include "SeatAccess.h"
#include "SeatInput.h"
#include "linux/InputServiceProtocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>

#include <csignal>
#include <cstdio>

namespace {

const char usage[] = "Usage: tockly-inputd [--devices FOLDER]\n"
                     "Counts the input of each seat and answers the user of its active session\n"
                     "on the system bus, as org.quenby.Tockly.Input1.\n"
                     "  --devices FOLDER  the device folder to watch (default /dev/input); named\n"
                     "                    pipes there are read as recorded event streams\n"
                     "  -h, --help        prints this help\n"
                     "  --version         prints the version\n";

} // namespace

int main(int argc, char **argv)
{
    // A reader that goes away must not end the service.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QString folderPath = QStringLiteral("/dev/input");
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("-h") || args[i] == QLatin1String("--help")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (args[i] == QLatin1String("--version")) {
            std::fputs("tockly-inputd " TOCKLY_VERSION "\n", stdout);
            return 0;
        }
        if (args[i] == QLatin1String("--devices") && i + 1 < args.size()) {
            folderPath = args[++i];
            continue;
        }
        std::fprintf(stderr, "tockly-inputd: unknown option %s\n%s", qPrintable(args[i]), usage);
        return 2;
    }

    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "tockly-inputd: no system bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    InputServiceProtocol::registerTypes();

    SeatInput seats;
    DeviceFolder folder(folderPath);
    QObject::connect(&folder, &DeviceFolder::added, &app,
                     [&seats](const QString &node, const QString &seat, int fd) {
                         seats.addDevice(node, seat, fd);
                     });
    QObject::connect(&folder, &DeviceFolder::removed, &app,
                     [&seats](const QString &node) { seats.removeDevice(node); });
    QString why;
    if (!folder.start(&why)) {
        std::fprintf(stderr, "tockly-inputd: %s\n", qPrintable(why));
        return 1;
    }

    const SeatAccess access(bus);
    InputService service(seats, access);
    if (!bus.registerObject(InputServiceProtocol::path, &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(InputServiceProtocol::service)) {
        std::fprintf(stderr, "tockly-inputd: cannot serve %s: %s\n",
                     qPrintable(InputServiceProtocol::service),
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    // Counts only: no device is named, in the log or anywhere else.
    std::fprintf(stderr, "tockly-inputd: serving %s, %d keyboards and pointers in %s\n",
                 qPrintable(InputServiceProtocol::service), seats.deviceCount(),
                 qPrintable(folderPath));
    return app.exec();
}
