// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RowsModel.h"

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class MacWorkStore;

// One computer writing into the synced folder.
struct ComputerRow {
    QString name;
    // "this computer", "last wrote today 9:41 AM", ...
    QString detail;
    bool isThis = false;

    friend bool operator==(const ComputerRow &, const ComputerRow &) = default;
};

class ComputersModel : public RowsModel<ComputerRow> {
public:
    explicit ComputersModel(QObject *parent = nullptr);
};

// The "Other computers" window: the folder the record is synced through, chosen or stopped, and
// the computers seen there with when each last wrote, and what keeps any from counting.
class OtherComputersModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Built with its window")
    // Empty while syncing is off.
    Q_PROPERTY(QString folder READ folder NOTIFY changed)
    // This computer first.
    Q_PROPERTY(QObject *computers READ computers CONSTANT)
    Q_PROPERTY(QStringList problems READ problems NOTIFY changed)
    // Why the last folder chosen could not be used; empty otherwise.
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(QUrl proposedFolder READ proposedFolder CONSTANT)

public:
    explicit OtherComputersModel(MacWorkStore &store, QObject *parent = nullptr);

    QString folder() const;
    ComputersModel *computers() { return &m_computers; }
    QStringList problems() const;
    QString error() const { return m_error; }
    QUrl proposedFolder() const;

    Q_INVOKABLE void chooseFolder(const QUrl &folder);
    Q_INVOKABLE void stop();

signals:
    void changed();
    void errorChanged();

private:
    void setError(const QString &error);
    // The rows are drawn before the views hear of the change: QML bindings are told first.
    void redraw();

    MacWorkStore &m_store;
    QString m_error;
    ComputersModel m_computers;
};
