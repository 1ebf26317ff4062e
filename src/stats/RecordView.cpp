#include "RecordView.h"

namespace {
bool earlier(const WorkEntry *a, const WorkEntry *b)
{
    return a->date < b->date;
}
} // namespace

RecordView::RecordView(std::span<const WorkEntry> entries, std::optional<Instant> segmentStart,
                       const ActivityByDay &activityByDay, double goalSeconds,
                       const Calendar &calendar, Instant now)
    : RecordView(entries, indexByDate(entries), segmentStart, activityByDay, goalSeconds, calendar,
                 now)
{
}

RecordView::RecordView(std::span<const WorkEntry> entries, std::shared_ptr<const DateIndex> index,
                       std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
                       double goalSeconds, const Calendar &calendar, Instant now)
    : m_entries(entries), m_segmentStart(segmentStart), m_activity(activityByDay),
      m_goalSeconds(goalSeconds), m_calendar(calendar), m_now(now), m_index(std::move(index))
{
}

std::shared_ptr<const RecordView::DateIndex> RecordView::indexByDate(std::span<const WorkEntry> entries)
{
    auto index = std::make_shared<DateIndex>();
    index->inOrder.reserve(entries.size());
    for (const WorkEntry &e : entries) {
        if (index->inOrder.empty() || e.date >= index->inOrder.back()->date)
            index->inOrder.push_back(&e);
        else
            index->stragglers.push_back(&e);
    }
    std::stable_sort(index->stragglers.begin(), index->stragglers.end(), earlier);
    return index;
}

std::pair<RecordView::Index::const_iterator, RecordView::Index::const_iterator>
RecordView::range(const Index &index, const DayInterval &interval)
{
    const auto first = std::partition_point(
        index.begin(), index.end(), [&](const WorkEntry *e) { return e->date < interval.start; });
    const auto last = std::partition_point(
        first, index.end(), [&](const WorkEntry *e) { return e->date < interval.end; });
    return {first, last};
}
