// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewInvite.h"

#include "CrewBaseUrl.h"
#include "CrewWire.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace CrewInvite {

QString inviteLink(const QUrl &base, const QString &code)
{
    const QString path =
        QLatin1String(CrewWire::pagePrefix) + QString::fromLatin1(QUrl::toPercentEncoding(code));
    return CrewClient::urlWithPath(base, path).toString(QUrl::FullyEncoded);
}

QString inviteText(const QUrl &base, const QString &code)
{
    //: The invitation a person copies and sends: %1 is the link, %2 the crew code.
    return QCoreApplication::translate("CrewInvite",
                                       "Join my Tockly crew — let's see who works hardest: %1 "
                                       "(code %2)")
        .arg(inviteLink(base, code), code);
}

// The host as written in the link: QUrl folds it to lower case, and only "join" counts.
static QStringView writtenHost(QStringView link)
{
    QStringView authority = link.mid(link.indexOf(u"//") + 2);
    qsizetype end = 0;
    while (end < authority.size() && !QStringView(u"/?#").contains(authority[end]))
        ++end;
    authority = authority.first(end);
    authority = authority.mid(authority.lastIndexOf(u'@') + 1);
    const qsizetype port = authority.indexOf(u':');
    return port >= 0 ? authority.first(port) : authority;
}

std::optional<QString> codeFromLink(const QString &link)
{
    const QUrl url(link, QUrl::StrictMode);
    if (!url.isValid() || !link.startsWith(QLatin1String("quenby://")) ||
        writtenHost(link) != QLatin1String("join"))
        return std::nullopt;
    const QStringList components = url.path(QUrl::FullyDecoded).split(u'/', Qt::SkipEmptyParts);
    if (components.isEmpty())
        return std::nullopt;
    const QString code = components.last().toUpper();
    if (!CrewWire::isCrewCode(code))
        return std::nullopt;
    return code;
}

std::optional<QString> codeFromPasteboard(const QString &text)
{
    static const QRegularExpression token(QStringLiteral("QUENBY-JOIN:([A-Z0-9]{6})"));
    const QRegularExpressionMatch match = token.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

bool inviteWanted(const QList<CrewClient::Config> &configs, const QString &code)
{
    const bool held = std::any_of(configs.begin(), configs.end(),
                                  [&](const CrewClient::Config &c) { return c.code == code; });
    return !held && configs.size() < CrewClient::maxCrews;
}

std::optional<QString> pasteboardInviteToOffer(const QString &pasteboardText,
                                               const QList<CrewClient::Config> &configs,
                                               const QString &lastOffered)
{
    const auto code = codeFromPasteboard(pasteboardText);
    if (!code || !inviteWanted(configs, *code) || *code == lastOffered)
        return std::nullopt;
    return code;
}

} // namespace CrewInvite
