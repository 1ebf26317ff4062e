// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text from outside that names a crew: application links, pasteboard text with an invitation
// token, and the crew service origin set in the environment.

#include "CrewBaseUrl.h"
#include "CrewInvite.h"
#include "CrewWire.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto code = CrewInvite::codeFromLink(text))
        FUZZ_CHECK(CrewWire::isCrewCode(*code) && text.startsWith(u"quenby://"));
    if (const auto code = CrewInvite::codeFromPasteboard(text))
        FUZZ_CHECK(CrewWire::isCrewCode(*code) &&
                   text.contains(QStringLiteral("QUENBY-JOIN:") + *code));
    const CrewClient::BaseUrl base = CrewClient::checkBaseUrl(text, QStringLiteral("fuzz"));
    FUZZ_CHECK(base.url.has_value() == base.problem.isEmpty());
    if (base.url) {
        FUZZ_CHECK(base.url->scheme() == u"https" || CrewClient::isLoopbackHost(base.url->host()));
        const QString link = CrewInvite::inviteLink(*base.url, QStringLiteral("ABC123"));
        FUZZ_CHECK(link.endsWith(u"/c/ABC123"));
        FUZZ_CHECK(QUrl(link).host() == base.url->host());
    }
    return 0;
}
