// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewError.h"

namespace CrewClient {

QString CrewError::description() const
{
    switch (kind) {
    case Kind::server:
        return message;
    case Kind::badResponse:
        return QStringLiteral("The crew server gave a confusing answer.");
    case Kind::notFound:
        return QStringLiteral("That crew code doesn't exist.");
    }
    return {};
}

static CrewFailure::Kind failureKind(CrewError::Kind kind)
{
    switch (kind) {
    case CrewError::Kind::server:
        return CrewFailure::Kind::server;
    case CrewError::Kind::notFound:
        return CrewFailure::Kind::notFound;
    case CrewError::Kind::badResponse:
        break;
    }
    return CrewFailure::Kind::badResponse;
}

CrewFailure::CrewFailure(const CrewError &error)
    : kind(failureKind(error.kind)), description(error.description())
{}

} // namespace CrewClient
