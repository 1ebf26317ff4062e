// The store's side of invitations: copying one, the pasteboard token at start, application links.

#include "MacWorkStore.h"

#include "CrewBaseUrl.h"
#include "CrewInvite.h"
#include "Pasteboard.h"

#include <QTimer>

void MacWorkStore::copyInvite(const QString &code)
{
    const std::optional<QUrl> &base = CrewClient::baseURL();
    if (!m_pasteboard || !base)
        return;
    m_pasteboard->clear();
    m_pasteboard->setText(CrewInvite::inviteText(*base, code));
}

// Never cleared while the program runs.
void MacWorkStore::markInvitePending()
{
    if (m_hasPendingInvite)
        return;
    m_hasPendingInvite = true;
    emit hasPendingInviteChanged();
}

void MacWorkStore::checkPasteboardForInvite()
{
    if (!m_pasteboard)
        return;
    const QString lastOffered = m_settings.textValue(inviteOfferedKey).value_or(QString());
    const auto code =
        CrewInvite::pasteboardInviteToOffer(m_pasteboard->text(), m_crewConfigs, lastOffered);
    if (!code)
        return;
    m_settings.setValue(inviteOfferedKey, *code);
    markInvitePending();
    // At a later turn of the loop, once the start-up sequence has seen the pending invitation
    // (and skipped the welcome window for it).
    QTimer::singleShot(0, this, [this, code = *code] { openInvite(code); });
}

void MacWorkStore::openInvite(const QString &code)
{
    if (!CrewInvite::inviteWanted(m_crewConfigs, code))
        return;
    markInvitePending();
    emit inviteWindowRequested(code);
}

void MacWorkStore::openInviteLinks(const QStringList &links)
{
    // No once-only rule here: a link opens its invitation every time.
    for (const QString &link : links) {
        if (const auto code = CrewInvite::codeFromLink(link))
            openInvite(*code);
    }
}
