// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewRequest.h"

#include "Calendar.h"
#include "Json.h"
#include "RandomIds.h"

#include <QJsonObject>

#include <cmath>

namespace {

namespace Field = CrewWire::Field;
namespace Code = CrewWire::ErrorCode;

Reply unreadable()
{
    return Reply::error(400, Code::badRequest, u"The request could not be read.");
}

Reply missing(QLatin1StringView key)
{
    return Reply::error(400, Code::missingField,
                        QStringLiteral("The request needs \"%1\" as text.").arg(key));
}

std::optional<QJsonObject> object(QByteArrayView body)
{
    if (body.size() > CrewWire::maxBodyBytes)
        return std::nullopt;
    auto value = parseJson(body, 8);
    if (!value || !value->isObject())
        return std::nullopt;
    return value->toObject();
}

std::optional<QString> text(const QJsonObject &o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

bool isRefusedChar(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        break;
    }
    // Direction overrides and isolates can make a name read as a different one.
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// A name's three refusals, each a code and its text.
struct NameRefusals {
    const char *emptyCode;
    QString empty;
    const char *tooLongCode;
    QString tooLong;
    const char *badCharCode;
    QString badChar;
};

CheckedName checkName(const QString &raw, int maxChars, const NameRefusals &r)
{
    CheckedName out{raw.trimmed(), {}};
    const auto chars = out.name.toUcs4();
    if (chars.isEmpty())
        out.refusal = Reply::error(400, r.emptyCode, r.empty);
    else if (chars.size() > maxChars)
        out.refusal = Reply::error(400, r.tooLongCode, r.tooLong);
    else if (std::any_of(chars.begin(), chars.end(), isRefusedChar))
        out.refusal = Reply::error(400, r.badCharCode, r.badChar);
    return out;
}

// Reads "code" and "memberId", shared by leave, kick and report.
struct Membership {
    QString code;
    QString memberId;
    Reply refusal;
    bool ok() const { return refusal.status == 200; }
};

Membership membership(const QJsonObject &o)
{
    Membership m;
    const auto code = text(o, QLatin1StringView(Field::code));
    const auto memberId = text(o, QLatin1StringView(Field::memberId));
    if (!code)
        m.refusal = missing(QLatin1StringView(Field::code));
    else if (!memberId)
        m.refusal = missing(QLatin1StringView(Field::memberId));
    else if (m.code = normalizedCode(*code); !CrewWire::isCrewCode(m.code))
        m.refusal = Reply::unknownCrew();
    else if (!isMemberId(*memberId))
        m.refusal = Reply::notAMember();
    else
        m.memberId = *memberId;
    return m;
}

} // namespace

CheckedName checkNickname(const QString &raw)
{
    return checkName(
        raw, CrewWire::maxNicknameChars,
        {Code::nicknameMissing, QStringLiteral("Please choose a nickname."), Code::nicknameTooLong,
         QStringLiteral("A nickname can be at most %1 characters.").arg(CrewWire::maxNicknameChars),
         Code::nicknameInvalid, QStringLiteral("A nickname can't contain control characters.")});
}

CheckedName checkCrewName(const QString &raw)
{
    return checkName(raw, CrewWire::maxCrewNameChars,
                     {Code::crewNameMissing, QStringLiteral("Please give the crew a name."),
                      Code::crewNameTooLong,
                      QStringLiteral("A crew name can be at most %1 characters.")
                          .arg(CrewWire::maxCrewNameChars),
                      Code::crewNameInvalid,
                      QStringLiteral("A crew name can't contain control characters.")});
}

QString normalizedCode(const QString &code)
{
    return code.toUpper();
}

QString nicknameKey(const QString &nickname)
{
    return nickname.toCaseFolded();
}

Parsed<CreateRequest> parseCreate(QByteArrayView body)
{
    const auto o = object(body);
    if (!o)
        return {{}, unreadable()};
    const auto crewName = text(*o, QLatin1StringView(Field::crewName));
    const auto nickname = text(*o, QLatin1StringView(Field::nickname));
    if (!crewName)
        return {{}, missing(QLatin1StringView(Field::crewName))};
    if (!nickname)
        return {{}, missing(QLatin1StringView(Field::nickname))};
    const CheckedName name = checkCrewName(*crewName);
    if (name.refusal)
        return {{}, *name.refusal};
    const CheckedName nick = checkNickname(*nickname);
    if (nick.refusal)
        return {{}, *nick.refusal};
    return {CreateRequest{name.name, nick.name}, {}};
}

Parsed<JoinRequest> parseJoin(QByteArrayView body)
{
    const auto o = object(body);
    if (!o)
        return {{}, unreadable()};
    const auto code = text(*o, QLatin1StringView(Field::code));
    const auto nickname = text(*o, QLatin1StringView(Field::nickname));
    if (!code)
        return {{}, missing(QLatin1StringView(Field::code))};
    if (!nickname)
        return {{}, missing(QLatin1StringView(Field::nickname))};
    const QString normal = normalizedCode(*code);
    if (!CrewWire::isCrewCode(normal))
        return {{}, Reply::unknownCrew()};
    const CheckedName nick = checkNickname(*nickname);
    if (nick.refusal)
        return {{}, *nick.refusal};
    return {JoinRequest{normal, nick.name}, {}};
}

Parsed<LeaveRequest> parseLeave(QByteArrayView body)
{
    const auto o = object(body);
    if (!o)
        return {{}, unreadable()};
    Membership m = membership(*o);
    if (!m.ok())
        return {{}, m.refusal};
    return {LeaveRequest{m.code, m.memberId}, {}};
}

Parsed<KickRequest> parseKick(QByteArrayView body)
{
    const auto o = object(body);
    if (!o)
        return {{}, unreadable()};
    Membership m = membership(*o);
    if (!m.ok())
        return {{}, m.refusal};
    const auto nickname = text(*o, QLatin1StringView(Field::nickname));
    if (!nickname)
        return {{}, missing(QLatin1StringView(Field::nickname))};
    return {KickRequest{m.code, m.memberId, nickname->trimmed()}, {}};
}

Parsed<ReportRequest> parseReport(QByteArrayView body, QDate today)
{
    const auto o = object(body);
    if (!o)
        return {{}, unreadable()};
    Membership m = membership(*o);
    if (!m.ok())
        return {{}, m.refusal};
    // The nickname is fixed at join; the app sends it along, so only its type is checked.
    if (o->contains(QLatin1StringView(Field::nickname)) &&
        !o->value(QLatin1StringView(Field::nickname)).isString())
        return {{}, missing(QLatin1StringView(Field::nickname))};
    const QJsonValue daysValue = o->value(QLatin1StringView(Field::days));
    if (!daysValue.isObject())
        return {{}, Reply::error(400, Code::badDays, u"The request needs \"days\" as an object.")};
    const QJsonObject days = daysValue.toObject();
    if (days.size() > CrewWire::maxReportDays)
        return {
            {},
            Reply::error(
                400, Code::tooManyDays,
                QStringLiteral("A report can hold at most %1 days.").arg(CrewWire::maxReportDays))};

    ReportRequest request{m.code, m.memberId, {}};
    for (auto it = days.begin(); it != days.end(); ++it) {
        const QDate date = dateFromDayKey(it.key());
        if (!date.isValid())
            return {{},
                    Reply::error(400, Code::badDays, u"Days must be dates written as yyyy-MM-dd.")};
        if (std::abs(date.daysTo(today)) > CrewWire::reportWindowDays)
            return {
                {},
                Reply::error(400, Code::dayOutOfRange,
                             QStringLiteral("Only days within %1 days of today can be reported.")
                                 .arg(CrewWire::reportWindowDays))};
        const QJsonValue v = it.value();
        const double seconds = v.toDouble(-1);
        if (!v.isDouble() || !std::isfinite(seconds) || seconds < 0 ||
            seconds > CrewWire::maxDaySeconds)
            return {{},
                    Reply::error(400, Code::badDays,
                                 u"A day's total must be between 0 and 90,000 seconds.")};
        request.days.emplace_back(it.key(), seconds);
    }
    return {std::move(request), {}};
}
