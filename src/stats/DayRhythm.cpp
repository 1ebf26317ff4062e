// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayRhythm.h"

#include "DayTotals.h"
#include "MergedRecord.h"

#include <algorithm>
#include <cmath>

namespace {

struct Stretch {
    Instant start;
    Instant end;
};

qint64 roundHalfAway(double v)
{
    constexpr double limit = 9e18;
    return qint64(std::round(std::clamp(v, -limit, limit)));
}

} // namespace

DayRhythm rhythm(const RecordView &record, Instant day, Instant now)
{
    const DayInterval interval = record.calendar().dayInterval(day);
    std::vector<Stretch> stretches;
    // Only timed entries are stretches of real activity; added and removed time counts in the
    // total but has no place in the day.
    record.forEachInInterval(interval, [&](const WorkEntry &e) {
        if (e.kind == WorkEntry::Kind::timed && e.seconds > 0)
            stretches.push_back({e.date, e.date + e.seconds});
    });
    if (const auto start = record.segmentStart()) {
        const Instant from = std::max(*start, interval.start);
        const Instant to = std::min(interval.end, now);
        if (to > from)
            stretches.push_back({from, to});
    }
    DayRhythm r;
    if (stretches.empty())
        return r;
    std::stable_sort(stretches.begin(), stretches.end(),
                     [](const Stretch &a, const Stretch &b) { return a.start < b.start; });
    r.firstInput = stretches.front().start;
    r.lastInput = std::max_element(stretches.begin(), stretches.end(), [](auto &a, auto &b) {
                      return a.end < b.end;
                  })->end;
    for (const Stretch &s : stretches) {
        const double length = s.end - s.start;
        r.longestStretch = std::max(r.longestStretch, length);
        if (length >= kDeepWorkSeconds)
            r.deepWork += length;
    }
    r.breaks = qint64(stretches.size()) - 1;
    return r;
}

qint64 score(const RecordView &record, Instant day, Instant now)
{
    const double worked = dayTotal(record, day, now);
    const double deep = rhythm(record, day, now).deepWork;
    const auto activity = activityOnDay(record, day);
    const double clicks = activity ? double(activity->clicks) : 0;
    const double scrolls = activity ? double(activity->scrolls) : 0;
    const double raw =
        worked / 60 + deep / 60 + double(words(activity)) / 10 + clicks / 25 + scrolls / 200;
    return std::max<qint64>(roundHalfAway(raw), 0);
}

std::optional<DayActivity> activityOnDay(const RecordView &record, Instant day)
{
    const QString key = record.calendar().dayKey(day);
    const auto it = record.activityByDay().constFind(key);
    std::optional<DayActivity> activity;
    if (it != record.activityByDay().cend())
        activity = *it;
    if (const ActivityByDay *others = record.otherActivity()) {
        if (const auto other = others->constFind(key); other != others->cend()) {
            if (!activity)
                activity.emplace();
            addActivity(*activity, *other);
        }
    }
    return activity;
}

qint64 words(const std::optional<DayActivity> &activity)
{
    return activity ? activity->keys / 5 : 0;
}

qint64 typingPace(const std::optional<DayActivity> &activity)
{
    if (!activity)
        return 0;
    const double typingMinutes = activity->typingSeconds / 60;
    if (!(typingMinutes >= 1))
        return 0;
    return std::max<qint64>(roundHalfAway(double(words(activity)) / typingMinutes), 0);
}

BusiestHour busiestHour(const DayActivity &activity)
{
    const auto &hours = activity.hourlyKeys;
    const auto it = std::max_element(hours.begin(), hours.end()); // the first of equal maxima
    return {int(it - hours.begin()), *it, *it / 5};
}

QList<QPair<QString, double>> topApps(const DayActivity &activity)
{
    QList<QPair<QString, double>> apps;
    for (auto it = activity.appSeconds.begin(); it != activity.appSeconds.end(); ++it)
        apps.append({it.key(), it.value()});
    std::stable_sort(apps.begin(), apps.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    if (apps.size() > 5)
        apps.resize(5);
    return apps;
}
