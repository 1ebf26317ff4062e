// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Appcast.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace Appcast {

namespace {

Item readItem(QXmlStreamReader &xml)
{
    Item item;
    QUrl enclosure;
    while (xml.readNextStartElement()) {
        const bool ours = xml.namespaceUri() == QLatin1String(namespaceUri);
        const auto name = xml.name();
        if (ours && name == QLatin1String("version")) {
            item.version = xml.readElementText().trimmed();
        } else if (ours && name == QLatin1String("displayVersion")) {
            item.displayVersion = xml.readElementText().trimmed();
        } else if (xml.namespaceUri().isEmpty() && name == QLatin1String("title")) {
            item.title = xml.readElementText().trimmed();
        } else if (xml.namespaceUri().isEmpty() && name == QLatin1String("link")) {
            item.link = QUrl(xml.readElementText().trimmed());
        } else if (xml.namespaceUri().isEmpty() && name == QLatin1String("enclosure")) {
            enclosure = QUrl(xml.attributes().value(QLatin1String("url")).toString());
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.displayVersion.isEmpty())
        item.displayVersion = item.version;
    if (item.link.isEmpty())
        item.link = enclosure;
    return item;
}

} // namespace

std::optional<QList<Item>> parse(const QByteArray &text, QString *error)
{
    QXmlStreamReader xml(text);
    QList<Item> items;
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("rss")) {
        if (error)
            *error = xml.hasError() ? xml.errorString() : QStringLiteral("not an RSS feed");
        return std::nullopt;
    }
    bool sawChannel = false;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("channel")) {
            xml.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("item")) {
                Item item = readItem(xml);
                if (!item.version.isEmpty())
                    items.append(item);
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError() || !sawChannel) {
        if (error)
            *error =
                xml.hasError()
                    ? QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())
                    : QStringLiteral("the feed has no channel");
        return std::nullopt;
    }
    return items;
}

int compareVersions(const QString &a, const QString &b)
{
    static const QRegularExpression dot(QStringLiteral("[.]"));
    const QStringList pa = a.split(dot);
    const QStringList pb = b.split(dot);
    for (qsizetype i = 0; i < std::max(pa.size(), pb.size()); ++i) {
        const qlonglong x = i < pa.size() ? pa[i].toLongLong() : 0;
        const qlonglong y = i < pb.size() ? pb[i].toLongLong() : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<Item> newest(const QList<Item> &items)
{
    std::optional<Item> best;
    for (const Item &item : items)
        if (!best || compareVersions(item.version, best->version) > 0)
            best = item;
    return best;
}

} // namespace Appcast
