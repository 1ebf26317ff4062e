#include "Reply.h"

#include "Json.h"

Reply Reply::error(int status, QStringView text)
{
    QByteArray body = "{\"error\":";
    appendJsonString(body, text);
    body += '}';
    return {status, body};
}

Reply Reply::unknownCrew()
{
    return error(404, u"That crew code doesn't exist.");
}

Reply Reply::notAMember()
{
    return error(403, u"You're not a member of this crew.");
}

Reply Reply::storageFailure()
{
    return error(503, u"The crew service is having trouble right now. Please try again later.");
}
