#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "WorkEntry.h"

#include <algorithm>
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
    // For a caller that keeps its entries ordered already: `byDate` holds the same entries as
    // `entries`, ordered by date (stored order among equal dates). Taken as it is, without a
    // check or a copy, so building the view costs nothing however long the record is.
    RecordView(std::span<const WorkEntry> entries, std::span<const WorkEntry> byDate,
               std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
               double goalSeconds, const Calendar &calendar, Instant now);

    std::span<const WorkEntry> entries() const { return m_entries; }
    std::optional<Instant> segmentStart() const { return m_segmentStart; }
    const ActivityByDay &activityByDay() const { return m_activity; }
    double goalSeconds() const { return m_goalSeconds; }
    const Calendar &calendar() const { return m_calendar; }
    Instant now() const { return m_now; }

    using Index = std::vector<const WorkEntry *>;
    // Both parts of the index are ordered by date.
    const Index &inOrder() const { return m_inOrder; }
    const Index &stragglers() const { return m_stragglers; }

    // Calls f(entry) for every entry dated in [interval.start, interval.end).
    template<typename F> void forEachInInterval(const DayInterval &interval, F &&f) const
    {
        for (const Index *index : {&m_inOrder, &m_stragglers}) {
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
    double m_goalSeconds;
    const Calendar &m_calendar;
    Instant m_now;
    Index m_inOrder;
    Index m_stragglers;
};
