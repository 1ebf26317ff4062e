// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SegmentPieces.h"

QList<WorkEntry> segmentPieces(const Calendar &calendar, Instant from, Instant to)
{
    constexpr int maxPieces = 60;
    constexpr double minPiece = 1.0;
    QList<WorkEntry> pieces;
    Instant cursor = from;
    for (int piece = 0; piece < maxPieces && cursor < to; ++piece) {
        // The next local midnight by calendar arithmetic, so 23- and 25-hour days split right;
        // infinite (so the piece runs to the end) where the next day cannot be formed.
        const Instant boundary = calendar.dayInterval(cursor).end;
        const Instant pieceEnd = boundary < to ? boundary : to;
        const double length = pieceEnd - cursor;
        if (length >= minPiece)
            pieces.append(WorkEntry{QUuid::createUuid(), cursor, length, WorkEntry::Kind::timed});
        if (!(pieceEnd > cursor))
            break;
        cursor = pieceEnd;
    }
    return pieces;
}
