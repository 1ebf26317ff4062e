// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The page behind an invitation link, /c/CODE: what the crew is, a link that opens the app, and
// the token the app looks for on the clipboard at its next start. Self-contained: one inline
// style and one inline script, both allowed by hash and nothing else.
namespace InvitePage {

QByteArray html(const QString &code, const QString &crewName, int members);
QByteArray notFound();
// The Content-Security-Policy header sent with both pages.
const QByteArray &contentSecurityPolicy();

// "&", "<", ">", '"' and "'" as entities.
QString escapeHtml(const QString &text);

} // namespace InvitePage
