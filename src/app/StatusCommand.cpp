// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusCommand.h"

#include "CommandLine.h"
#include "StatusWords.h"
#include "linux/SingleInstance.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(StatusCommand)
};

struct Status {
    bool running = false;
    QString title;
    QString statusText;
    bool isTracking = false;
    bool autoTrackEnabled = true;
};

Status readStatus(QDBusConnection &bus)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        SingleInstance::serviceName, SingleInstance::objectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call << SingleInstance::interfaceName;
    const QDBusReply<QVariantMap> reply = bus.call(call, QDBus::Block, 5000);
    if (!reply.isValid())
        return {};
    const QVariantMap p = reply.value();
    return {true, p.value(QStringLiteral("Title")).toString(),
            p.value(QStringLiteral("StatusText")).toString(),
            p.value(QStringLiteral("IsTracking")).toBool(),
            p.value(QStringLiteral("AutoTrackEnabled"), true).toBool()};
}

// Calls a method of the running Tockly; false, said on err, when that fails.
bool callRunning(QDBusConnection &bus, const QString &method, const QVariantList &arguments,
                 QTextStream &err)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(SingleInstance::serviceName, SingleInstance::objectPath,
                                       SingleInstance::interfaceName, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ErrorMessage)
        return true;
    // An older Tockly still running lacks the newer methods.
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
        err << "tockly: " << Text::tr("not running") << Qt::endl;
    else
        err << "tockly: " << reply.errorMessage() << Qt::endl;
    return false;
}

QString format(const Status &s, bool json)
{
    if (!json)
        return s.running ? s.title + QStringLiteral(" · ") + statusWords(s.statusText) : QString();
    const QString cls = !s.running     ? QStringLiteral("stopped")
                        : s.isTracking ? QStringLiteral("tracking")
                                       : QStringLiteral("paused");
    const QJsonObject o{{"text", s.title},
                        {"tooltip", s.statusText},
                        {"class", cls},
                        {"title", s.title},
                        {"status", s.statusText},
                        {"isTracking", s.isTracking},
                        {"autoTrackEnabled", s.autoTrackEnabled},
                        {"running", s.running}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

// Prints each change while the event loop runs.
class Follower : public QObject {
    Q_OBJECT
public:
    Follower(QDBusConnection bus, bool json, QTextStream &out)
        : m_bus(std::move(bus)), m_json(json), m_out(out),
          m_watcher(SingleInstance::serviceName, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
    {
        m_bus.connect(SingleInstance::serviceName, SingleInstance::objectPath,
                      SingleInstance::interfaceName, QStringLiteral("StatusChanged"), this,
                      SLOT(changed()));
        connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this] { print(readStatus(m_bus)); });
        print(readStatus(m_bus));
    }

private slots:
    // The signal carries three of the four values; the properties have them all.
    void changed() { print(readStatus(m_bus)); }

private:
    void print(const Status &s)
    {
        const QString line = format(s, m_json);
        if (line == m_last)
            return;
        m_last = line;
        m_out << line << Qt::endl;
    }

    QDBusConnection m_bus;
    bool m_json;
    QTextStream &m_out;
    QDBusServiceWatcher m_watcher;
    QString m_last = QStringLiteral("\n"); // no line printed yet
};

} // namespace

int runStatus(const QStringList &arguments, QDBusConnection bus, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Text::tr("Prints the running Tockly's title and status, for panels without tray labels."));
    const QCommandLineOption followOption(QStringLiteral("follow"),
                                          Text::tr("Print every change."));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        Text::tr("One JSON object a line (text, tooltip, class) for panel modules."));
    parser.addOptions({followOption, jsonOption});
    if (const auto exitCode =
            parseCommandLine(parser, arguments, QStringLiteral("status"), 0, out, err))
        return *exitCode;
    const bool follow = parser.isSet(followOption);
    const bool json = parser.isSet(jsonOption);
    if (!bus.isConnected()) {
        err << "tockly: " << Text::tr("no session bus") << Qt::endl;
        return 1;
    }
    if (!follow) {
        const Status s = readStatus(bus);
        if (!s.running) {
            err << "tockly: " << Text::tr("not running") << Qt::endl;
            return 1;
        }
        out << format(s, json) << Qt::endl;
        return 0;
    }
    Follower follower(bus, json, out);
    return QCoreApplication::exec();
}

int runCardToggle(QDBusConnection bus, QTextStream &err)
{
    return callRunning(bus, QStringLiteral("ToggleCard"), {}, err) ? 0 : 1;
}

int runAutoTrack(bool enabled, QDBusConnection bus, QTextStream &out, QTextStream &err)
{
    if (!callRunning(bus, QStringLiteral("SetAutoTrackEnabled"), {enabled}, err))
        return 1;
    out << format(readStatus(bus), false) << Qt::endl;
    return 0;
}

#include "StatusCommand.moc"
