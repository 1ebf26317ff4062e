// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// The update feed: an RSS 2.0 channel whose items announce releases. Each item carries its
// version in the element `version` of the namespace below (compared number by number), may carry
// a `displayVersion` for people, and points with `link` (or the enclosure's url) at the page
// the release is downloaded from.
//
//   <rss version="2.0" xmlns:tockly="urn:tockly:appcast:1"><channel>
//     <item><title>Tockly 1.2</title><tockly:version>1.2.0</tockly:version>
//       <tockly:displayVersion>1.2</tockly:displayVersion>
//       <link>https://example.org/tockly/1.2</link></item>
//   </channel></rss>
namespace Appcast {

inline constexpr char namespaceUri[] = "urn:tockly:appcast:1";

struct Item {
    QString title;
    QString version;
    QString displayVersion; // the version when the feed gives none
    QUrl link;
};

// The items in feed order; absent with the reason when the text is not such a feed. Items
// without a version are left out.
std::optional<QList<Item>> parse(const QByteArray &xml, QString *error = nullptr);

// Negative, 0 or positive as `a` is older than, the same as or newer than `b`: numbers separated
// by dots, a missing number counting as 0 ("1.2" == "1.2.0" < "1.10").
int compareVersions(const QString &a, const QString &b);

// The newest item, if any.
std::optional<Item> newest(const QList<Item> &items);

} // namespace Appcast
