// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Bodies of the crew service's five POST requests. The first byte picks the request, the rest is
// its body. A body yields a request within the service's limits, or a refusal with a text.

#include "Calendar.h"
#include "CrewRequest.h"
#include "FuzzCheck.h"
#include "Json.h"
#include "RandomIds.h"

#include <QJsonObject>

#include <cmath>

namespace {

bool fits(const QString &name, int maxChars)
{
    const auto chars = name.toUcs4();
    return !chars.isEmpty() && chars.size() <= maxChars && name == name.trimmed();
}

template<typename T> bool refusedWell(const Parsed<T> &parsed)
{
    const auto body = parseJson(parsed.refusal.body);
    return parsed.refusal.status >= 400 && parsed.refusal.status < 500 && body &&
           !body->toObject().value(u"error").toString().isEmpty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView body(data + 1, qsizetype(size - 1));
    const QDate today(2024, 3, 4);
    switch (data[0] % 5) {
    case 0: {
        const auto p = parseCreate(body);
        FUZZ_CHECK(p.request ? fits(p.request->crewName, CrewWire::maxCrewNameChars) &&
                                   fits(p.request->nickname, CrewWire::maxNicknameChars)
                             : refusedWell(p));
        break;
    }
    case 1: {
        const auto p = parseJoin(body);
        FUZZ_CHECK(p.request ? CrewWire::isCrewCode(p.request->code) &&
                                   fits(p.request->nickname, CrewWire::maxNicknameChars)
                             : refusedWell(p));
        break;
    }
    case 2: {
        const auto p = parseLeave(body);
        FUZZ_CHECK(p.request
                       ? CrewWire::isCrewCode(p.request->code) && isMemberId(p.request->memberId)
                       : refusedWell(p));
        break;
    }
    case 3: {
        const auto p = parseKick(body);
        FUZZ_CHECK(p.request
                       ? CrewWire::isCrewCode(p.request->code) && isMemberId(p.request->memberId)
                       : refusedWell(p));
        break;
    }
    default: {
        const auto p = parseReport(body, today);
        FUZZ_CHECK(p.request || refusedWell(p));
        if (!p.request)
            break;
        FUZZ_CHECK(CrewWire::isCrewCode(p.request->code) && isMemberId(p.request->memberId) &&
                   p.request->days.size() <= size_t(CrewWire::maxReportDays));
        for (const auto &[day, seconds] : p.request->days)
            FUZZ_CHECK(std::abs(dateFromDayKey(day).daysTo(today)) <= CrewWire::reportWindowDays &&
                       seconds >= 0 && seconds <= CrewWire::maxDaySeconds);
        break;
    }
    }
    return 0;
}
