// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Replies of the crew service as the app reads them: every reply record, the error body, and
// the leaderboard derived from a fetched crew.

#include "CrewStandings.h"
#include "FuzzCheck.h"
#include "Json.h"

#include <cmath>

using namespace CrewClient;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto json = parseJson(QByteArrayView(data, qsizetype(size)));
    if (!json)
        return 0;
    decodeJoinResponse(*json);
    decodeOkResponse(*json);
    decodeErrorBody(*json);
    const auto crew = decodeCrewResponse(*json);
    if (!crew)
        return 0;
    // Monday 2024-03-04 12:00 UTC: the week holds days that replies may name.
    const QList<Standing> rows = standings(crew->members, 731246400, QTimeZone::utc());
    FUZZ_CHECK(rows.size() == crew->members.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK(rows[i].id == i);
        if (i == 0)
            continue;
        // More today first, then more this week. Comparisons only: sums of hostile values may
        // be infinite or NaN, and a NaN orders nothing.
        const Standing &a = rows[i - 1], &b = rows[i];
        FUZZ_CHECK(!(a.todaySeconds < b.todaySeconds) || std::isnan(a.todaySeconds) ||
                   std::isnan(b.todaySeconds));
    }
    return 0;
}
