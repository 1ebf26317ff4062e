// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/AutostartLoginItems.h"

#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Exec= quoting of the desktop entry format: arguments with reserved characters are quoted,
// and inside quotes `"`, `` ` ``, `$` and `\` are escaped with a backslash.
QString quotedExec(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar ch : path)
        needsQuotes = needsQuotes || reserved.contains(ch);
    if (!needsQuotes)
        return path;
    QString out = QStringLiteral("\"");
    for (QChar ch : path) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            out += u'\\';
        out += ch;
    }
    return out + u'"';
}

} // namespace

AutostartLoginItems::AutostartLoginItems(QString configHome, QString executable)
    : m_configHome(std::move(configHome)), m_executable(std::move(executable))
{}

QString AutostartLoginItems::entryPath() const
{
    return m_configHome + QStringLiteral("/autostart/tockly.desktop");
}

QByteArray AutostartLoginItems::entryText(const QString &executable)
{
    // `%` starts a field code in Exec=, so a literal one is doubled.
    QString exec = quotedExec(executable);
    exec.replace(u'%', QStringLiteral("%%"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tockly\n"
                          "Comment=Work-time tracker in the panel\n"
                          "Exec=%1\n"
                          "Icon=tockly\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec)
        .toUtf8();
}

LoginItems::Status AutostartLoginItems::status() const
{
    QFile f(entryPath());
    if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly))
        return Status::notRegistered;
    bool inMain = false;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.startsWith('['))
            inMain = line == "[Desktop Entry]";
        else if (inMain && line.contains('=') &&
                 line.left(line.indexOf('=')).trimmed() == "Hidden" &&
                 line.mid(line.indexOf('=') + 1).trimmed() == "true")
            return Status::notRegistered;
    }
    return Status::enabled;
}

bool AutostartLoginItems::registerApp()
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return writeFileAtomically(path, entryText(m_executable));
}

bool AutostartLoginItems::unregisterApp()
{
    const QString path = entryPath();
    QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return QFile::remove(path);
}
