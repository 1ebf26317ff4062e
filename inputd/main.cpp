// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tockly-inputd: the system service that alone opens the input devices, counts their events per
// seat and tells the user of a seat's active session nothing but those counts and idle times.

#include "DeviceFolder.h"
#include "InputService.h"
#include "ParseArguments.h"
#include "SeatAccess.h"
#include "SeatInput.h"
#include "VersionText.h"
#include "linux/InputServiceProtocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>

#include <csignal>
#include <cstdio>

int main(int argc, char **argv)
{
    // A reader that goes away must not end the service.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication::setApplicationVersion(QStringLiteral(TOCKLY_VERSION));
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Counts the input of each seat and answers the user of its active session\n"
                       "on the system bus, as org.quenby.Tockly.Input1."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption devicesOption(
        QStringLiteral("devices"),
        QStringLiteral("The device folder to watch (default /dev/input); named pipes there are "
                       "read as recorded event streams."),
        QStringLiteral("FOLDER"), QStringLiteral("/dev/input"));
    parser.addOption(devicesOption);
    if (const QString why = parseArguments(parser, app.arguments(), 0); !why.isEmpty()) {
        std::fprintf(stderr, "tockly-inputd: %s\n", qPrintable(why));
        return 2;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::fputs(qPrintable(versionText()), stdout);
        return 0;
    }
    // --help and --help-all: printed, and the process exits.
    parser.process(app.arguments());
    const QString folderPath = parser.value(devicesOption);

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
    if (!bus.registerObject(InputServiceProtocol::path, &service) ||
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
