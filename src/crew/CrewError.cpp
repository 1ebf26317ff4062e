// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewError.h"

#include "CrewWire.h"

#include <QCoreApplication>

namespace CrewClient {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(CrewError)
};

namespace Code = CrewWire::ErrorCode;

// The refusals a person can meet through the app, in their words; `n` counts in the plural ones.
// The others (a malformed request, a wrong content type, ...) mean a fault of ours: the
// service's text says more.
struct KnownRefusal {
    const char *code;
    const char *text;
    int n = -1;
};

const KnownRefusal knownRefusals[] = {
    {Code::unknownCrew, QT_TRANSLATE_NOOP("CrewError", "That crew code doesn't exist.")},
    {Code::notAMember, QT_TRANSLATE_NOOP("CrewError", "You're not a member of this crew.")},
    {Code::crewFull,
     QT_TRANSLATE_N_NOOP("CrewError", "This crew is full: it already has %n members."),
     CrewWire::maxMembers},
    {Code::notOwner, QT_TRANSLATE_NOOP("CrewError", "Only the crew's owner can remove members.")},
    {Code::noSuchNickname,
     QT_TRANSLATE_NOOP("CrewError", "Nobody in this crew has that nickname.")},
    {Code::kickSelf,
     QT_TRANSLATE_NOOP("CrewError", "You can't remove yourself. Leave the crew instead.")},
    {Code::nicknameTaken,
     QT_TRANSLATE_NOOP("CrewError",
                       "Someone in this crew already has that nickname. Please pick another one.")},
    {Code::nicknameMissing, QT_TRANSLATE_NOOP("CrewError", "Please choose a nickname.")},
    {Code::nicknameTooLong,
     QT_TRANSLATE_N_NOOP("CrewError", "A nickname can be at most %n characters."),
     CrewWire::maxNicknameChars},
    {Code::nicknameInvalid,
     QT_TRANSLATE_NOOP("CrewError", "A nickname can't contain control characters.")},
    {Code::crewNameMissing, QT_TRANSLATE_NOOP("CrewError", "Please give the crew a name.")},
    {Code::crewNameTooLong,
     QT_TRANSLATE_N_NOOP("CrewError", "A crew name can be at most %n characters."),
     CrewWire::maxCrewNameChars},
    {Code::crewNameInvalid,
     QT_TRANSLATE_NOOP("CrewError", "A crew name can't contain control characters.")},
    //: A report of days was refused: this computer's date is far from the service's.
    {Code::dayOutOfRange,
     QT_TRANSLATE_N_NOOP("CrewError", "Only days within %n days of today can be reported."),
     CrewWire::reportWindowDays},
    {Code::tooManyRequests,
     QT_TRANSLATE_NOOP("CrewError", "Too many requests. Please wait a minute and try again.")},
    {Code::tooManyConnections,
     QT_TRANSLATE_NOOP("CrewError",
                       "Too many connections from your address. Please try again later.")},
    {Code::tooManyCrews,
     QT_TRANSLATE_NOOP("CrewError",
                       "Too many new crews from your network. Please try again later.")},
    {Code::unavailable,
     QT_TRANSLATE_NOOP("CrewError",
                       "The crew service is having trouble right now. Please try again later.")},
    {Code::serverFault, QT_TRANSLATE_NOOP("CrewError", "Something went wrong on the crew server.")},
    {Code::requestTimeout, QT_TRANSLATE_NOOP("CrewError", "The request took too long to arrive.")},
};

QString codeText(const QString &code)
{
    for (const KnownRefusal &r : knownRefusals)
        if (code == QLatin1StringView(r.code))
            return QCoreApplication::translate("CrewError", r.text, nullptr, r.n);
    return {};
}

} // namespace

QString CrewError::description() const
{
    switch (kind) {
    case Kind::server: {
        const QString own = codeText(code);
        return own.isEmpty() ? message : own;
    }
    case Kind::badResponse:
        return Text::tr("The crew server gave a confusing answer.");
    case Kind::notFound:
        return Text::tr("That crew code doesn't exist.");
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
