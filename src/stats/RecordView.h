// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "WorkEntry.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// A read-only look at the store's state at one moment: everything the statistics are computed
// from. It is built for one computation (a redraw, a report) and dropped afterwards.
//
// The entries are indexed by date so that a day's entries are a binary search away. The tracker
// appends in time order, so the index is the stored list in two parts: the run of entries in
// date order, and the few that came later but are dated earlier (entries from other sources),
// kept sorted on their own.
class RecordView {
public:
    RecordView(std::span<const WorkEntry> entries, std::optional<Instant> segmentStart,
               const ActivityByDay &activityByDay, double goalSeconds, const Calendar &calendar,
               Instant now);

    using Index = std::vector<const WorkEntry *>;
    // The two parts of the index, both ordered by date.
    struct DateIndex {
        Index inOrder;
        Index stragglers;
    };
    static std::shared_ptr<const DateIndex> indexByDate(std::span<const WorkEntry> entries);
    // The same for entries kept apart, given in stored order.
    static std::shared_ptr<const DateIndex> indexByDate(Index entries);
    // For a caller that keeps the index of its entries between views (the store, whose entries
    // change once per segment while the view is built on every tick): `index` must come from
    // indexByDate(entries) on the entries as they are now.
    RecordView(std::span<const WorkEntry> entries, std::shared_ptr<const DateIndex> index,
               std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
               double goalSeconds, const Calendar &calendar, Instant now);
    // The record across computers: `otherActivity` holds the other computers' counters, summed
    // per day, which add to this one's.
    RecordView(std::span<const WorkEntry> entries, std::shared_ptr<const DateIndex> index,
               std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
               const ActivityByDay &otherActivity, double goalSeconds, const Calendar &calendar,
               Instant now);

    std::span<const WorkEntry> entries() const { return m_entries; }
    std::optional<Instant> segmentStart() const { return m_segmentStart; }
    const ActivityByDay &activityByDay() const { return m_activity; }
    // The other computers' counters, or null for this computer's record alone.
    const ActivityByDay *otherActivity() const { return m_otherActivity; }
    double goalSeconds() const { return m_goalSeconds; }
    const Calendar &calendar() const { return m_calendar; }
    Instant now() const { return m_now; }

    // Both parts of the index are ordered by date.
    const Index &inOrder() const { return m_index->inOrder; }
    const Index &stragglers() const { return m_index->stragglers; }

    // Calls f(entry) for every entry dated in [interval.start, interval.end).
    template<typename F> void forEachInInterval(const DayInterval &interval, F &&f) const
    {
        for (const Index *index : {&m_index->inOrder, &m_index->stragglers}) {
            const auto [first, last] = range(*index, interval);
            std::for_each(first, last, [&](const WorkEntry *e) { f(*e); });
        }
    }

    static std::pair<Index::const_iterator, Index::const_iterator>
    range(const Index &index, const DayInterval &interval);

private:
    std::span<const WorkEntry> m_entries;
    std::optional<Instant> m_segmentStart;
    const ActivityByDay &m_activity;
    const ActivityByDay *m_otherActivity = nullptr;
    double m_goalSeconds;
    const Calendar &m_calendar;
    Instant m_now;
    std::shared_ptr<const DateIndex> m_index;
};
