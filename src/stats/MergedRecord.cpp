// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MergedRecord.h"

#include <algorithm>

void addActivity(DayActivity &sum, const DayActivity &part)
{
    sum.keys += part.keys;
    sum.clicks += part.clicks;
    sum.scrolls += part.scrolls;
    sum.modifierTaps += part.modifierTaps;
    sum.typingSeconds += part.typingSeconds;
    sum.mousingSeconds += part.mousingSeconds;
    for (size_t h = 0; h < sum.hourlyKeys.size(); ++h)
        sum.hourlyKeys[h] += part.hourlyKeys[h];
    for (auto it = part.appSeconds.begin(); it != part.appSeconds.end(); ++it)
        sum.appSeconds[it.key()] += it.value();
    sum.appSwitches += part.appSwitches;
}

namespace {

struct Span {
    Instant start;
    Instant end;
    // The entry it is, while it is that entry whole; null once cut or joined.
    const WorkEntry *whole;
    bool running;
};

// Cuts [start, end) at local midnights into timed entries.
void appendCut(QList<WorkEntry> &out, Instant start, Instant end, const Calendar &calendar)
{
    while (start < end) {
        const Instant cut = std::min(end, calendar.dayInterval(start).end);
        out.append({QUuid(), start, cut - start, WorkEntry::Kind::timed});
        start = cut;
    }
}

} // namespace

MergedWindow mergeWindow(std::span<const RecordView::DateIndex *const> computers,
                         std::optional<Instant> segmentStart, const DayInterval &window,
                         const Calendar &calendar)
{
    MergedWindow merged;
    std::vector<Span> spans;
    QList<WorkEntry> others;
    // A stretch dated before the window may reach into it.
    const DayInterval reach{window.start - kLongestStretch, window.end};
    for (const RecordView::DateIndex *computer : computers) {
        for (const RecordView::Index *index : {&computer->inOrder, &computer->stragglers}) {
            const auto [first, last] = RecordView::range(*index, reach);
            for (auto it = first; it != last; ++it) {
                const WorkEntry &e = **it;
                if (e.kind != WorkEntry::Kind::timed || !(e.seconds > 0)) {
                    if (window.contains(e.date))
                        others.append(e);
                    continue;
                }
                const Instant start = std::max(e.date, window.start);
                const Instant end = std::min(e.date + e.seconds, window.end);
                if (start < end)
                    spans.push_back({start, end,
                                     start == e.date && end == e.date + e.seconds ? &e : nullptr,
                                     false});
            }
        }
    }
    if (segmentStart && *segmentStart < window.end)
        spans.push_back({std::max(*segmentStart, window.start), window.end, nullptr, true});

    std::stable_sort(spans.begin(), spans.end(),
                     [](const Span &a, const Span &b) { return a.start < b.start; });
    QList<WorkEntry> &out = merged.entries;
    out.reserve(qsizetype(spans.size()) + others.size());
    auto put = [&](const Span &s) {
        if (s.running)
            merged.runningFrom = s.start;
        else if (s.whole)
            out.append(*s.whole);
        else
            appendCut(out, s.start, s.end, calendar);
    };
    for (size_t i = 0; i < spans.size();) {
        Span joined = spans[i];
        // Stretches that only touch stay two, as one computer's do.
        for (++i; i < spans.size() && spans[i].start < joined.end; ++i) {
            joined.end = std::max(joined.end, spans[i].end);
            joined.running = joined.running || spans[i].running;
            joined.whole = nullptr;
        }
        put(joined);
    }
    if (!others.isEmpty()) {
        out.append(others);
        std::stable_sort(out.begin(), out.end(),
                         [](const WorkEntry &a, const WorkEntry &b) { return a.date < b.date; });
    }
    return merged;
}
