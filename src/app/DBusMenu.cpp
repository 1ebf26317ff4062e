// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DBusMenu.h"

#include <algorithm>

namespace {

QVariantMap filtered(const QVariantMap &properties, const QStringList &names)
{
    if (names.isEmpty())
        return properties;
    QVariantMap result;
    for (const QString &name : names)
        if (properties.contains(name))
            result.insert(name, properties.value(name));
    return result;
}

} // namespace

DBusMenu::DBusMenu(QObject *parent) : QObject(parent)
{
    registerTrayDBusTypes();
    const auto entry = [](int id, const QString &label) {
        return DBusMenuLayoutItem{id, {{QStringLiteral("label"), label}}, {}};
    };
    const auto line = [](int id) {
        return DBusMenuLayoutItem{id, {{QStringLiteral("type"), QStringLiteral("separator")}}, {}};
    };
    DBusMenuLayoutItem check = entry(autoTrack, label(autoTrack));
    check.properties.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
    check.properties.insert(QStringLiteral("toggle-state"), 1);
    m_entries = {entry(open, label(open)),
                 entry(history, label(history)),
                 entry(otherComputers, label(otherComputers)),
                 line(separator),
                 check,
                 line(separator2),
                 entry(quit, label(quit))};
}

QString DBusMenu::label(Entry entry)
{
    switch (entry) {
    case open:
        //: Tray menu: opens the card with today's figures.
        return tr("Open");
    case history:
        return tr("History…");
    case otherComputers:
        return tr("Other computers…");
    case autoTrack:
        //: Tray menu check: the work clock starts by itself on input.
        return tr("Track automatically");
    case quit:
        return tr("Quit Tockly");
    case separator:
    case separator2:
        break;
    }
    return {};
}

qsizetype DBusMenu::indexOf(int id) const
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [id](const DBusMenuLayoutItem &e) { return e.id == id; }) -
           m_entries.begin();
}

bool DBusMenu::autoTrackChecked() const
{
    return m_entries[indexOf(autoTrack)].properties.value(QStringLiteral("toggle-state")) == 1;
}

void DBusMenu::setAutoTrackChecked(bool checked)
{
    if (checked == autoTrackChecked())
        return;
    const QVariantMap changed{{QStringLiteral("toggle-state"), checked ? 1 : 0}};
    m_entries[indexOf(autoTrack)].properties.insert(changed);
    emit ItemsPropertiesUpdated({{autoTrack, changed}}, {});
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                         DBusMenuLayoutItem &layout)
{
    layout = {parentId, {}, {}};
    if (parentId == 0) {
        layout.properties = {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
        if (recursionDepth != 0)
            for (const DBusMenuLayoutItem &e : m_entries)
                layout.children.append({e.id, filtered(e.properties, propertyNames), {}});
    } else {
        for (const DBusMenuLayoutItem &e : m_entries)
            if (e.id == parentId)
                layout.properties = filtered(e.properties, propertyNames);
    }
    return 1;
}

DBusMenuItems DBusMenu::GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
{
    DBusMenuItems items;
    for (const DBusMenuLayoutItem &e : m_entries)
        if (ids.isEmpty() || ids.contains(e.id))
            items.append({e.id, filtered(e.properties, propertyNames)});
    return items;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString &name)
{
    for (const DBusMenuLayoutItem &e : m_entries)
        if (e.id == id)
            return QDBusVariant(e.properties.value(name));
    return QDBusVariant(QVariant(QString()));
}

void DBusMenu::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    if (eventId == QLatin1String("clicked") &&
        (id == open || id == history || id == otherComputers || id == quit || id == autoTrack))
        emit triggered(Entry(id));
}

QList<int> DBusMenu::EventGroup(const DBusMenuEvents &events)
{
    for (const DBusMenuEvent &e : events)
        Event(e.id, e.eventId, e.data, e.timestamp);
    return {};
}

bool DBusMenu::AboutToShow(int)
{
    return false;
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int> &, QList<int> &idErrors)
{
    idErrors.clear();
    return {};
}
