// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewModel.h"

#include "AppShell.h"
#include "CardText.h"
#include "CrewBaseUrl.h"
#include "CrewInvite.h"
#include "CrewWire.h"
#include "DurationText.h"
#include "MacWorkStore.h"

#include <QDesktopServices>
#include <QPointer>
#include <QQmlEngine>

StandingsModel::StandingsModel(QObject *parent)
    : RowsModel({{"nickname", [](const BoardPlace &p) -> QVariant { return p.nickname; }},
                 {"todayText", [](const BoardPlace &p) -> QVariant { return p.todayText; }},
                 {"rankMark", [](const BoardPlace &p) -> QVariant { return p.rankMark; }},
                 {"own", [](const BoardPlace &p) -> QVariant { return p.own; }}},
                parent)
{}

void StandingsModel::setBoard(const QList<CrewClient::Standing> &board, const QString &ownNickname)
{
    QList<BoardPlace> places;
    for (const CrewClient::Standing &s : board.mid(0, shownPlaces))
        places.append({.nickname = s.nickname,
                       .todayText = durationText(s.todaySeconds),
                       .rankMark = CardText::rankMark(int(places.size())),
                       .own = s.nickname == ownNickname});
    setRows(places);
}

CrewModel::CrewModel(MacWorkStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_crews(*store.crews())
{
    const auto crewsChanged = [this] {
        showBoard();
        emit this->crewsChanged();
        // The form cannot pick another crew when there is none.
        emit stateChanged();
    };
    connect(&m_crews, &Crews::crewConfigsChanged, this, crewsChanged);
    connect(&m_crews, &Crews::ownedCrewCodesChanged, this, crewsChanged);
    connect(&m_crews, &Crews::standingsByCodeChanged, this, &CrewModel::showBoard);
    connect(&m_crews, &Crews::crewErrorChanged, this, &CrewModel::errorChanged);
    showBoard();
}

CrewModel *CrewModel::create(QQmlEngine *engine, QJSEngine *)
{
    CrewModel *crew = &AppShell::owning(*engine).crewModel();
    QJSEngine::setObjectOwnership(crew, QJSEngine::CppOwnership);
    return crew;
}

const CrewClient::Config *CrewModel::displayed() const
{
    const QList<CrewClient::Config> &configs = m_crews.crewConfigs();
    for (const CrewClient::Config &c : configs)
        if (c.code == m_chosenCode)
            return &c;
    return configs.isEmpty() ? nullptr : &configs.first();
}

CrewModel::State CrewModel::state() const
{
    const bool member = !m_crews.crewConfigs().isEmpty();
    switch (m_form) {
    case Form::Create:
        return State::Create;
    case Form::Join:
        return State::Join;
    case Form::Picker:
        return member ? State::Picker : State::Intro;
    case Form::Hidden:
        break;
    }
    return member ? State::Board : State::Intro;
}

QStringList CrewModel::crewNames() const
{
    QStringList names;
    for (const CrewClient::Config &c : m_crews.crewConfigs())
        names.append(c.crewName);
    return names;
}

int CrewModel::displayedIndex() const
{
    const CrewClient::Config *shown = displayed();
    return shown ? int(shown - m_crews.crewConfigs().constData()) : -1;
}

QString CrewModel::crewName() const
{
    const CrewClient::Config *shown = displayed();
    return shown ? shown->crewName : QString();
}

QString CrewModel::nickname() const
{
    const CrewClient::Config *shown = displayed();
    return shown ? shown->nickname : QString();
}

bool CrewModel::owned() const
{
    const CrewClient::Config *shown = displayed();
    return shown && m_crews.ownedCrewCodes().contains(shown->code);
}

QString CrewModel::error() const
{
    return m_crews.crewError();
}

void CrewModel::showBoard()
{
    const CrewClient::Config *shown = displayed();
    m_standings.setBoard(shown ? m_crews.standingsByCode().value(shown->code)
                               : QList<CrewClient::Standing>{},
                         shown ? shown->nickname : QString());
    emit boardChanged();
}

void CrewModel::setShown(bool shown)
{
    if (shown && m_crews.crewConfig())
        refresh();
}

void CrewModel::setForm(Form form)
{
    if (form == m_form)
        return;
    m_form = form;
    emit stateChanged();
}

void CrewModel::startCrew()
{
    setForm(Form::Create);
}

void CrewModel::joinWithCode()
{
    setForm(Form::Join);
}

void CrewModel::pickAnother()
{
    setForm(Form::Picker);
}

void CrewModel::cancel()
{
    setForm(Form::Hidden);
}

void CrewModel::choose(int index)
{
    const QList<CrewClient::Config> &configs = m_crews.crewConfigs();
    if (index < 0 || index >= configs.size())
        return;
    m_chosenCode = configs[index].code;
    setPendingRemoval({});
    showBoard();
    emit crewsChanged();
}

void CrewModel::submit(const QString &nickname, const QString &code)
{
    const QString name = CrewClient::trimmedNickname(nickname);
    if (name.isEmpty() || m_busy || (m_form != Form::Create && m_form != Form::Join))
        return;
    m_busy = true;
    emit busyChanged();
    if (m_form == Form::Create) {
        //: The name of a new crew, which its members see: %1 is the founder's nickname.
        QString crewName = tr("%1's Crew").arg(name);
        // A wordier language must not make the service refuse a long nickname's crew.
        if (crewName.size() > CrewWire::maxCrewNameChars)
            crewName = name;
        finishRequest(m_crews.createCrew(crewName, name));
    } else {
        finishRequest(m_crews.joinCrew(CrewClient::trimmedNickname(code), name));
    }
}

QCoro::Task<> CrewModel::finishRequest(QCoro::Task<> request)
{
    QPointer<CrewModel> self(this);
    co_await std::move(request);
    if (!self)
        co_return;
    m_busy = false;
    emit busyChanged();
    const QList<CrewClient::Config> &configs = m_crews.crewConfigs();
    if (m_crews.crewError().isEmpty() && !configs.isEmpty()) {
        choose(int(configs.size() - 1));
        setForm(Form::Hidden);
    }
}

void CrewModel::refresh()
{
    m_store.reportNow();
    m_crews.refreshCrews();
}

void CrewModel::setPendingRemoval(const QString &nickname)
{
    if (nickname == m_pendingRemoval)
        return;
    m_pendingRemoval = nickname;
    emit pendingRemovalChanged();
}

void CrewModel::askRemoval(const QString &nickname)
{
    setPendingRemoval(nickname);
}

void CrewModel::keepMember()
{
    setPendingRemoval({});
}

void CrewModel::confirmRemoval()
{
    if (const CrewClient::Config *shown = displayed(); shown && !m_pendingRemoval.isEmpty())
        m_crews.removeMember(shown->code, m_pendingRemoval);
    setPendingRemoval({});
}

void CrewModel::leave()
{
    // A copy: leaving removes the membership the code is read from.
    if (const CrewClient::Config *shown = displayed())
        m_crews.leaveCrew(QString(shown->code));
    m_chosenCode.clear();
    setPendingRemoval({});
}

void CrewModel::copyInvite()
{
    if (const CrewClient::Config *shown = displayed())
        m_crews.copyInvite(shown->code);
}

void CrewModel::openPage()
{
    const CrewClient::Config *shown = displayed();
    if (const auto &base = CrewClient::baseURL(); base && shown)
        QDesktopServices::openUrl(QUrl(CrewInvite::inviteLink(*base, shown->code)));
}
