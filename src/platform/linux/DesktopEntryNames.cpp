// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/DesktopEntryNames.h"

#include "linux/InputTally.h"
#include "linux/XdgFolders.h"

#include <QDir>
#include <QFile>

namespace {

constexpr double rescanAfter = 60;

QString unescape(QString value)
{
    value.replace(QLatin1String("\\s"), QLatin1String(" "));
    value.replace(QLatin1String("\\n"), QLatin1String(" "));
    value.replace(QLatin1String("\\t"), QLatin1String(" "));
    value.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return value.trimmed();
}

} // namespace

DesktopEntryNames::DesktopEntryNames(QStringList applicationFolders, QString language)
    : m_folders(std::move(applicationFolders)), m_language(std::move(language))
{}

QStringList DesktopEntryNames::applicationFolders(const Process &process)
{
    QStringList folders{xdgDataHome(process) + QStringLiteral("/applications")};
    QString dirs = process.environmentValue(QStringLiteral("XDG_DATA_DIRS")).value_or(QString());
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &d : dirs.split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            folders << d + QStringLiteral("/applications");
    return folders;
}

void DesktopEntryNames::scan() const
{
    m_byId.clear();
    m_byWmClass.clear();
    const QString lang = m_language.section(u'.', 0, 0).section(u'@', 0, 0);
    const QString shortLang = lang.section(u'_', 0, 0);
    const QStringList wantedKeys{QStringLiteral("Name[%1]").arg(lang),
                                 QStringLiteral("Name[%1]").arg(shortLang), QStringLiteral("Name")};
    // Later folders only fill in what the earlier ones lack.
    for (const QString &folder : m_folders) {
        QDir dir(folder);
        const QStringList files = dir.entryList({QStringLiteral("*.desktop")}, QDir::Files);
        for (const QString &fileName : files) {
            const QString id = fileName.chopped(8).toLower();
            if (m_byId.contains(id))
                continue;
            QFile f(dir.filePath(fileName));
            if (!f.open(QIODevice::ReadOnly) || f.size() > 256 * 1024)
                continue;
            bool inMain = false;
            bool hidden = false;
            QHash<QString, QString> values;
            while (!f.atEnd()) {
                const QString line = QString::fromUtf8(f.readLine()).trimmed();
                if (line.startsWith(u'[')) {
                    inMain = line == QLatin1String("[Desktop Entry]");
                    continue;
                }
                const qsizetype eq = line.indexOf(u'=');
                if (!inMain || eq <= 0 || line.startsWith(u'#'))
                    continue;
                const QString key = line.left(eq).trimmed();
                const QString value = unescape(line.mid(eq + 1));
                if (key == QLatin1String("Hidden"))
                    hidden = value == QLatin1String("true");
                else if (key == QLatin1String("StartupWMClass") || wantedKeys.contains(key))
                    values.insert(key, value);
            }
            Entry entry;
            for (const QString &k : wantedKeys) {
                if (!values.value(k).isEmpty()) {
                    entry.name = values.value(k);
                    break;
                }
            }
            // A hidden entry in an earlier folder deletes the one of the same id after it.
            m_byId.insert(id, hidden ? Entry{} : entry);
            const QString wmClass = values.value(QStringLiteral("StartupWMClass")).toLower();
            if (!hidden && !entry.name.isEmpty() && !wmClass.isEmpty() &&
                !m_byWmClass.contains(wmClass))
                m_byWmClass.insert(wmClass, entry.name);
        }
    }
    m_scanned = true;
    m_scannedAt = monotonicSeconds();
}

std::optional<QString> DesktopEntryNames::lookup(const QString &wmClass,
                                                 const QString &wmInstance) const
{
    const QString c = wmClass.toLower();
    const QString i = wmInstance.toLower();
    if (!c.isEmpty() && m_byWmClass.contains(c))
        return m_byWmClass.value(c);
    for (const QString &id : {c, i}) {
        if (!id.isEmpty() && !m_byId.value(id).name.isEmpty())
            return m_byId.value(id).name;
    }
    if (!i.isEmpty() && m_byWmClass.contains(i))
        return m_byWmClass.value(i);
    // Reverse-domain file names: "org.gnome.TextEditor" for class "gnome-text-editor" is not
    // guessable, but "org.example.Editor" for class "editor" is.
    if (!c.isEmpty()) {
        for (auto it = m_byId.cbegin(); it != m_byId.cend(); ++it)
            if (!it->name.isEmpty() && it.key().endsWith(u'.' + c))
                return it->name;
    }
    return std::nullopt;
}

std::optional<QString> DesktopEntryNames::nameFor(const QString &wmClass,
                                                  const QString &wmInstance) const
{
    if (!m_scanned)
        scan();
    if (auto name = lookup(wmClass, wmInstance))
        return name;
    if (monotonicSeconds() - m_scannedAt < rescanAfter)
        return std::nullopt;
    scan();
    return lookup(wmClass, wmInstance);
}

int DesktopEntryNames::entryCount() const
{
    if (!m_scanned)
        scan();
    return int(m_byId.size());
}
