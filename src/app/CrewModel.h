// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewConfig.h"
#include "CrewStandings.h"
#include "RowsModel.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class Crews;
class MacWorkStore;
class QJSEngine;
class QQmlEngine;

// One place on a crew's board as the card shows it.
struct BoardPlace {
    QString nickname;
    QString todayText;
    // "👑", "🥈", "🥉", "4.", ...
    QString rankMark;
    // This computer's own place.
    bool own = false;

    friend bool operator==(const BoardPlace &, const BoardPlace &) = default;
};

// The displayed crew's board as the card shows it: the first five places.
class StandingsModel : public RowsModel<BoardPlace> {
public:
    static constexpr int shownPlaces = 5;

    explicit StandingsModel(QObject *parent = nullptr);

    // The whole board, in leaderboard order, and the nickname this computer plays under there.
    void setBoard(const QList<CrewClient::Standing> &board, const QString &ownNickname);
};

// The crew box: which face it shows, the form's request while it runs, the crew displayed among
// the memberships and its board, and the actions on that crew.
class CrewModel : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Crew)
    QML_SINGLETON

public:
    enum class State {
        Intro,  // no crew yet: the pitch
        Picker, // another crew: start or join
        Create, // the form, starting a crew
        Join,   // the form, joining with a code
        Board,  // the displayed crew's board
    };
    Q_ENUM(State)

private:
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    // A create or join request is running.
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    // The memberships' crew names in membership order, and which one is displayed (-1: none).
    Q_PROPERTY(QStringList crewNames READ crewNames NOTIFY crewsChanged)
    Q_PROPERTY(int displayedIndex READ displayedIndex NOTIFY crewsChanged)
    // The displayed crew: its name, this computer's nickname there, whether it owns it.
    Q_PROPERTY(QString crewName READ crewName NOTIFY crewsChanged)
    Q_PROPERTY(QString nickname READ nickname NOTIFY crewsChanged)
    Q_PROPERTY(bool owned READ owned NOTIFY crewsChanged)
    // Its first places, and whether none has reported yet.
    Q_PROPERTY(QObject *standings READ standings CONSTANT)
    Q_PROPERTY(bool waiting READ waiting NOTIFY boardChanged)
    // The member whose removal awaits confirmation; empty when none.
    Q_PROPERTY(QString pendingRemoval READ pendingRemoval NOTIFY pendingRemovalChanged)
    // The last crew failure; empty when there is nothing to show.
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)

public:
    explicit CrewModel(MacWorkStore &store, QObject *parent = nullptr);
    // The crew model of the shell that owns the engine.
    static CrewModel *create(QQmlEngine *engine, QJSEngine *);

    State state() const;
    bool busy() const { return m_busy; }
    QStringList crewNames() const;
    int displayedIndex() const;
    QString crewName() const;
    QString nickname() const;
    bool owned() const;
    StandingsModel *standings() { return &m_standings; }
    bool waiting() const { return m_standings.rowCount() == 0; }
    QString pendingRemoval() const { return m_pendingRemoval; }
    QString error() const;

    // The card went on or off the screen: on it, with crews, one report and one refresh go out.
    void setShown(bool shown);

    Q_INVOKABLE void startCrew();
    Q_INVOKABLE void joinWithCode();
    Q_INVOKABLE void pickAnother();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void choose(int index);
    // Sends the form: nickname and code are trimmed; nothing goes without a nickname or while a
    // request runs. On success the new crew is displayed and the form closes.
    Q_INVOKABLE void submit(const QString &nickname, const QString &code);

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void askRemoval(const QString &nickname);
    Q_INVOKABLE void keepMember();
    Q_INVOKABLE void confirmRemoval();
    Q_INVOKABLE void leave();
    Q_INVOKABLE void copyInvite();
    Q_INVOKABLE void openPage();

signals:
    void stateChanged();
    void busyChanged();
    void crewsChanged();
    void boardChanged();
    void pendingRemovalChanged();
    void errorChanged();

private:
    enum class Form { Hidden, Picker, Create, Join };

    const CrewClient::Config *displayed() const;
    void setForm(Form form);
    void setPendingRemoval(const QString &nickname);
    void showBoard();
    QCoro::Task<> finishRequest(QCoro::Task<> request);

    MacWorkStore &m_store;
    Crews &m_crews;
    StandingsModel m_standings;
    Form m_form = Form::Hidden;
    bool m_busy = false;
    // The crew chosen among the tabs; the first membership when it is gone.
    QString m_chosenCode;
    QString m_pendingRemoval;
};
