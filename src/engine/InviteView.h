// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>

class Crews;

// The model behind the invitation window: the invitee picks a nickname and joins the offered
// crew through the store's crews. The window binds to it; their crewError shows under the button.
class InviteView : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString code READ code CONSTANT)
    Q_PROPERTY(QString nickname READ nickname WRITE setNickname NOTIFY nicknameChanged)
    // The nickname without leading and trailing spaces and tabs: what join() sends.
    Q_PROPERTY(QString trimmedNickname READ trimmedNickname NOTIFY nicknameChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool joined READ joined NOTIFY joinedChanged)
    // Whether the join button is enabled.
    Q_PROPERTY(bool canJoin READ canJoin NOTIFY canJoinChanged)
    // The crews' crewError.
    Q_PROPERTY(QString crewError READ crewError NOTIFY crewErrorChanged)

public:
    InviteView(Crews &crews, QString code, QObject *parent = nullptr);

    const QString &code() const { return m_code; }
    const QString &nickname() const { return m_nickname; }
    void setNickname(const QString &nickname);
    QString trimmedNickname() const;
    bool busy() const { return m_busy; }
    bool joined() const { return m_joined; }
    bool canJoin() const;
    QString crewError() const;

    // Joins with the trimmed nickname; nothing while it is empty or a join is under way.
    Q_INVOKABLE void join();
    // The final button of the joined state; the window opener closes the window on done().
    Q_INVOKABLE void finish() { emit done(); }

signals:
    void nicknameChanged();
    void busyChanged();
    void joinedChanged();
    void canJoinChanged();
    void crewErrorChanged();
    void done();

private:
    QCoro::Task<> runJoin(QString nickname);
    // Runs a change and emits canJoinChanged when it changed canJoin.
    template<typename Change> void changing(Change change);

    QPointer<Crews> m_crews;
    QString m_code;
    QString m_nickname;
    bool m_busy = false;
    bool m_joined = false;
};
