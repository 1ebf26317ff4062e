#include "DBusMenu.h"

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
    m_entries = {entry(open, QStringLiteral("Open")),
                 entry(history, QStringLiteral("History…")),
                 {separator, {{QStringLiteral("type"), QStringLiteral("separator")}}, {}},
                 entry(quit, QStringLiteral("Quit Tockly"))};
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
    if (eventId == QLatin1String("clicked") && (id == open || id == history || id == quit))
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
