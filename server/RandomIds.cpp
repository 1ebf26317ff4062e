// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RandomIds.h"

#include "CrewWire.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fillRandom(uint8_t *out, size_t size)
{
    while (size > 0) {
        const ssize_t n = getrandom(out, size, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            // Without a random source no code or id can be safe: stop rather than guess.
            std::perror("tockly-crewd: getrandom");
            std::abort();
        }
        out += n;
        size -= size_t(n);
    }
}

} // namespace

QString newCrewCode()
{
    QString code;
    while (code.size() < CrewWire::codeLength) {
        uint8_t bytes[16];
        fillRandom(bytes, sizeof bytes);
        for (uint8_t b : bytes) {
            // 252 = 7 * 36: dropping the last four byte values keeps every character equally
            // likely.
            if (b < 252 && code.size() < CrewWire::codeLength)
                code.append(QLatin1Char(CrewWire::codeAlphabet[b % 36]));
        }
    }
    return code;
}

QString newMemberId()
{
    uint8_t bytes[16];
    fillRandom(bytes, sizeof bytes);
    QString id;
    id.reserve(32);
    for (uint8_t b : bytes) {
        id.append(QLatin1Char("0123456789abcdef"[b >> 4]));
        id.append(QLatin1Char("0123456789abcdef"[b & 15]));
    }
    return id;
}

bool isMemberId(QStringView text)
{
    if (text.size() != 32)
        return false;
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}
