// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyncCommand.h"

#include "CommandLine.h"
#include "DataFolder.h"
#include "Json.h"
#include "StoredRecord.h"
#include "SyncBusObject.h"
#include "linux/JsonSettingsStore.h"
#include "linux/SingleInstance.h"
#include "linux/XdgFolders.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>

namespace {

const char description[] =
    "Adds up your day across your computers through a folder that a tool of yours keeps in\n"
    "step between them (Syncthing, a network home, ...). Each computer writes only its own\n"
    "folder there and reads the others'. Without an option, prints the folder, this computer\n"
    "and the others seen there, with anything that keeps their records from counting.";

bool isRunning(const QDBusConnection &bus)
{
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(SingleInstance::serviceName).value();
}

// A call to the running Tockly's sync object; its reply, or the error in `error`.
QVariant callRunning(QDBusConnection &bus, const QString &method, const QVariantList &args,
                     QString *error)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(SingleInstance::serviceName, SyncBusObject::objectPath,
                                       SyncBusObject::interfaceName, method);
    call.setArguments(args);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 20000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *error = reply.errorMessage();
        return {};
    }
    return reply.arguments().value(0);
}

// The setting and the folder as a command sees them beside a Tockly that is not running.
struct LocalSync {
    const Process &process;
    Calendar calendar = Calendar::system();
    JsonSettingsStore settings;
    SyncFolder sync;
    OtherComputers others;

    LocalSync(const Process &p, const Clock &clock, JsonSettingsStore::Mode mode)
        : process(p), settings(JsonSettingsStore::defaultPath(p), mode),
          sync({settings, calendar, QSysInfo::machineUniqueId(), QSysInfo::machineHostName()}),
          others(clock, calendar)
    {}

    QJsonObject status()
    {
        sync.check();
        others.setFolder(sync.isOn() ? sync.setting().folder : QString(), sync.setting().id,
                         sync.setting().published);
        return syncStatus(sync, others, sync.problems() + others.problems());
    }
};

QJsonValue nullable(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QString timeText(double instant)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(instant)))
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString statusText(const QJsonObject &s)
{
    QString out;
    const QString folder = s.value(QLatin1String("folder")).toString();
    if (folder.isEmpty())
        return QStringLiteral("Folder:        off (tockly sync FOLDER turns it on)\n");
    out += QStringLiteral("Folder:        %1\n").arg(folder);
    out += QStringLiteral("This computer: %1 (%2)\n")
               .arg(s.value(QLatin1String("name")).toString(),
                    s.value(QLatin1String("id")).toString());
    QString label = QStringLiteral("Others:        ");
    const QJsonArray computers = s.value(QLatin1String("computers")).toArray();
    if (computers.isEmpty())
        out += label + QStringLiteral("none seen yet\n");
    for (const QJsonValue &c : computers) {
        const QJsonValue wrote = c[QLatin1String("lastWrote")];
        out += label + c[QLatin1String("name")].toString() +
               (wrote.isDouble() ? QStringLiteral(", last wrote ") + timeText(wrote.toDouble())
                                 : QString()) +
               (c[QLatin1String("gone")].toBool() ? QStringLiteral(", its folder is gone")
                                                  : QString()) +
               u'\n';
        label.fill(u' ');
    }
    for (const QJsonValue &p : s.value(QLatin1String("problems")).toArray())
        out += QStringLiteral("Problem:       ") + p.toString() + u'\n';
    return out;
}

} // namespace

QJsonObject syncStatus(const SyncFolder &sync, const OtherComputers &others,
                       const QStringList &problems)
{
    QJsonArray computers;
    for (const auto &[id, c] : others.computers())
        computers.append(QJsonObject{
            {"id", uuidText(id)},
            {"name", c.name},
            {"lastWrote", c.lastWrote ? QJsonValue(*c.lastWrote) : QJsonValue(QJsonValue::Null)},
            {"gone", c.goneSince.has_value()}});
    return {{"folder", nullable(sync.isOn() ? sync.setting().folder : QString())},
            {"id", nullable(sync.isOn() ? uuidText(sync.setting().id) : QString())},
            {"name", sync.computerName()},
            {"computers", computers},
            {"problems", QJsonArray::fromStringList(problems)}};
}

int runSync(const Process &process, const Clock &clock, QDBusConnection bus, QTextStream &out,
            QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption offOption(QStringLiteral("off"), QStringLiteral("Stop syncing."));
    const QCommandLineOption nameOption(
        QStringLiteral("name"),
        QStringLiteral("This computer's name for the others (empty: its host name)."),
        QStringLiteral("NAME"));
    const QCommandLineOption newIdOption(
        QStringLiteral("new-id"),
        QStringLiteral("A new id for this computer, when two took one with a copied home folder."));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Print JSON: instants as seconds since 2001-01-01 UTC."));
    parser.addOptions({offOption, nameOption, newIdOption, jsonOption});
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Sync through FOLDER, an existing folder."),
                                 QStringLiteral("[FOLDER]"));
    if (const auto exitCode =
            parseCommandLine(parser, process.arguments(), QStringLiteral("sync"), 1, out, err))
        return *exitCode;
    // At most one change a run.
    QList<QPair<QString, QString>> changes; // method, argument
    for (const QString &folder : parser.positionalArguments())
        changes.append({QStringLiteral("SetFolder"),
                        QDir::cleanPath(QDir::current().absoluteFilePath(folder))});
    if (parser.isSet(offOption))
        changes.append({QStringLiteral("SetFolder"), QString()});
    if (parser.isSet(nameOption))
        changes.append({QStringLiteral("SetName"), parser.value(nameOption)});
    if (parser.isSet(newIdOption))
        changes.append({QStringLiteral("NewId"), QString()});
    if (changes.size() > 1 || parser.values(nameOption).size() > 1) {
        err << "tockly sync: one of FOLDER, --off, --name and --new-id at a time\n";
        return 2;
    }
    const bool json = parser.isSet(jsonOption);
    const std::optional<QPair<QString, QString>> change =
        changes.isEmpty() ? std::nullopt : std::optional(changes.first());

    QJsonObject status;
    if (isRunning(bus)) {
        QString error;
        if (change) {
            const QVariantList callArgs =
                change->first == u"NewId" ? QVariantList() : QVariantList{change->second};
            const QString refused = callRunning(bus, change->first, callArgs, &error).toString();
            if (!error.isEmpty() || !refused.isEmpty()) {
                err << "tockly sync: " << (refused.isEmpty() ? error : refused) << '\n';
                return 1;
            }
        }
        const QString reply = callRunning(bus, QStringLiteral("Status"), {}, &error).toString();
        if (!error.isEmpty()) {
            err << "tockly sync: " << error << '\n';
            return 1;
        }
        status = QJsonDocument::fromJson(reply.toUtf8()).object();
    } else {
        LocalSync local(process, clock,
                        change ? JsonSettingsStore::Mode::readWrite
                               : JsonSettingsStore::Mode::readOnly);
        if (change) {
            // What the running application would write: the record as its next start sees it.
            const StoredRecord stored =
                readStoredRecord(dataFolderPath(process, xdgDataHome(process)), local.settings,
                                 local.calendar, clock.now());
            const auto index = RecordView::indexByDate(stored.entries);
            const SyncFolder::Record record{stored.entries, index, stored.activity};
            // As the application's start would, so that a new name or id reaches the folder.
            local.sync.start(record);
            QString refused;
            if (change->first == u"SetFolder")
                refused = local.sync.setFolder(change->second, record);
            else if (change->first == u"SetName")
                local.sync.setName(change->second, record);
            else
                local.sync.makeNewId(record);
            if (!refused.isEmpty()) {
                err << "tockly sync: " << refused << '\n';
                return 1;
            }
        }
        status = local.status();
    }
    if (json)
        out << QJsonDocument(status).toJson(QJsonDocument::Indented);
    else
        out << statusText(status);
    return 0;
}

QStringList syncDoctorLines(const Process &process, const Clock &clock, QDBusConnection bus)
{
    QJsonObject status;
    QString error;
    if (isRunning(bus))
        status = QJsonDocument::fromJson(
                     callRunning(bus, QStringLiteral("Status"), {}, &error).toString().toUtf8())
                     .object();
    if (status.isEmpty())
        status = LocalSync(process, clock, JsonSettingsStore::Mode::readOnly).status();
    const QString folder = status.value(QLatin1String("folder")).toString();
    if (folder.isEmpty())
        return {};
    QStringList lines{QStringLiteral("sync: %1, this computer %2 (%3), %4 other computer(s)")
                          .arg(folder, status.value(QLatin1String("name")).toString(),
                               status.value(QLatin1String("id")).toString())
                          .arg(status.value(QLatin1String("computers")).toArray().size())};
    for (const QJsonValue &p : status.value(QLatin1String("problems")).toArray())
        lines << QStringLiteral("sync: ") + p.toString();
    return lines;
}
