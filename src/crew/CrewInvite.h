// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewConfig.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

#include <optional>

// Invitations into a crew: the shared text and link, application links and pasteboard tokens.
namespace CrewInvite {

// The crew's page on the service: base, "/c/", code.
QString inviteLink(const QUrl &base, const QString &code);
// What a member copies to share a crew.
QString inviteText(const QUrl &base, const QString &code);

// The code of a "quenby://join/CODE" link (scheme and host case-sensitive, the code in any case),
// in upper case; absent for any other text.
std::optional<QString> codeFromLink(const QString &link);

// The code of the first "QUENBY-JOIN:" token in the text (case-sensitive); absent when none.
std::optional<QString> codeFromPasteboard(const QString &text);

// An invitation is offered only for a crew not yet held and while there is room for one more.
bool inviteWanted(const QList<CrewClient::Config> &configs, const QString &code);

// The code to offer from the pasteboard at start, given the code stored at the last offer,
// or absent when there is nothing to offer. The caller then stores the code under the key, so
// the same token is offered only once across starts.
std::optional<QString> pasteboardInviteToOffer(const QString &pasteboardText,
                                               const QList<CrewClient::Config> &configs,
                                               const QString &lastOffered);

} // namespace CrewInvite
