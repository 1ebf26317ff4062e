#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "WorkEntry.h"

#include <optional>
#include <span>
#include <vector>

// A read-only look at the store's state at one moment: everything the statistics are computed
// from. It is built for one computation (a redraw, a report) and dropped afterwards.
//
// The entries are also held sorted by date so that a day's entries are one binary search away;
// the tracker appends in time order, so this is usually the stored list itself.
class RecordView {
public:
    RecordView(std::span<const WorkEntry> entries, std::optional<Instant> segmentStart,
               const ActivityByDay &activityByDay, double goalSeconds, const Calendar &calendar,
               Instant now);

    std::span<const WorkEntry> entries() const { return m_entries; }
    std::optional<Instant> segmentStart() const { return m_segmentStart; }
    const ActivityByDay &activityByDay() const { return m_activity; }
    double goalSeconds() const { return m_goalSeconds; }
    const Calendar &calendar() const { return m_calendar; }
    Instant now() const { return m_now; }

    // Entries ordered by date (stored order among equal dates).
    std::span<const WorkEntry> byDate() const { return m_byDate; }
    // The entries whose date lies in [interval.start, interval.end), ordered by date.
    std::span<const WorkEntry> inInterval(const DayInterval &interval) const;

private:
    std::span<const WorkEntry> m_entries;
    std::optional<Instant> m_segmentStart;
    const ActivityByDay &m_activity;
    double m_goalSeconds;
    const Calendar &m_calendar;
    Instant m_now;
    std::vector<WorkEntry> m_sortedCopy;
    std::span<const WorkEntry> m_byDate;
};
