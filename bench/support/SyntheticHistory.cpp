// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyntheticHistory.h"

#include <QTimeZone>

#include <cstring>
#include <numeric>
#include <random>

SyntheticHistory makeSyntheticHistory(const Calendar &calendar, Instant now, int days, int perDay,
                                      unsigned seed)
{
    std::mt19937_64 rng(seed);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto integer = [&](qint64 lo, qint64 hi) {
        return std::uniform_int_distribution<qint64>(lo, hi)(rng);
    };
    auto uuid = [&] {
        QUuid id;
        id.data1 = uint(rng());
        id.data2 = ushort(rng());
        id.data3 = ushort((rng() & 0x0FFF) | 0x4000);
        for (auto &b : id.data4)
            b = uchar(rng());
        id.data4[0] = (id.data4[0] & 0x3F) | 0x80;
        return id;
    };
    const QStringList apps{"Editor", "Terminal", "Browser", "Mail",     "Chat",
                           "Notes",  "Music",    "Files",   "Calendar", "Slides"};

    SyntheticHistory h;
    h.entries.reserve(qsizetype(days) * (perDay + 1));
    const QDate today = calendar.date(now);
    for (int back = days; back >= 1; --back) {
        const QDate date = today.addDays(-back);
        const Instant start = calendar.startOfDay(date);
        const Instant end = calendar.startOfDay(date.addDays(1));
        Instant t = start + 8 * 3600 + uniform(0, 3600);
        for (int i = 0; i < perDay; ++i) {
            const double pick = uniform(0, 3);
            const double s = pick < 1   ? uniform(30, 600)
                             : pick < 2 ? uniform(600, 1400)
                                        : uniform(1500, 3000);
            if (t + s > end - 1)
                break;
            h.entries.append({uuid(), t, s, WorkEntry::Kind::timed});
            t += s + uniform(31, 900);
        }
        if (uniform(0, 1) < 0.01)
            h.entries.append({uuid(), start + 7200, 900, WorkEntry::Kind::added});
        if (uniform(0, 1) < 0.01)
            h.entries.append({uuid(), start + 7300, -300, WorkEntry::Kind::removed});
        DayActivity a;
        for (int hour = 8; hour < 19; ++hour)
            a.hourlyKeys[size_t(hour)] = integer(0, 2500);
        a.keys = std::accumulate(a.hourlyKeys.begin(), a.hourlyKeys.end(), qint64(0));
        a.clicks = integer(200, 4000);
        a.scrolls = integer(100, 9000);
        a.modifierTaps = integer(50, 2000);
        a.typingSeconds = uniform(3600, 12000);
        a.mousingSeconds = uniform(1800, 9000);
        for (const QString &app : apps) {
            if (uniform(0, 1) < 0.6)
                a.appSeconds.insert(app, uniform(60, 9000));
        }
        a.appSwitches = integer(10, 400);
        h.activity.insert(dayKeyOfDate(date), a);
    }
    // The entries of the added/removed kind sit earlier in the day than the timed ones before
    // them; the store keeps them in the order they came, as a real record would.
    h.segmentStart = now - 600;
    return h;
}

bool takeQuickFlag(int &argc, char **argv)
{
    bool quick = false;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            argv[out++] = argv[i];
    }
    argc = out;
    return quick;
}

SyntheticRecord::SyntheticRecord(int days)
    : calendar(QTimeZone("Europe/Berlin"), 2, QLocale(QLocale::English, QLocale::UnitedStates)),
      now(instantFromDateTime(
          QDateTime(QDate(2026, 12, 7), QTime(15, 0), QTimeZone("Europe/Berlin")))),
      history(makeSyntheticHistory(calendar, now, days))
{}

RecordView SyntheticRecord::view() const
{
    return RecordView(history.entries, history.segmentStart, history.activity, 14400, calendar,
                      now);
}
