#pragma once

#include "Instant.h"

#include <QObject>
#include <QUrl>
#include <QVariantMap>

class MacWorkStore;

// The history window's state (the month shown, the day chosen, the last export's message) and
// what it shows, computed from the store on each call. One lives as long as its window, so a
// closed and reopened window shows what it showed before.
class HistoryModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(double displayedMonth READ displayedMonth NOTIFY viewChanged)
    Q_PROPERTY(double selectedDay READ selectedDay NOTIFY viewChanged)
    Q_PROPERTY(QString transferMessage READ transferMessage NOTIFY transferMessageChanged)
    // Moves on every published change of the record, so bindings that read it recompute.
    Q_PROPERTY(int revision READ revision NOTIFY revisionChanged)

public:
    explicit HistoryModel(MacWorkStore &store, QObject *parent = nullptr);

    double displayedMonth() const { return m_displayedMonth; }
    double selectedDay() const { return m_selectedDay; }
    QString transferMessage() const { return m_transferMessage; }
    int revision() const { return m_revision; }

    Q_INVOKABLE double now() const;
    Q_INVOKABLE QVariantMap tiles() const;
    // The month shown and the day chosen, at this moment (see HistoryValues).
    Q_INVOKABLE QVariantMap month() const;
    Q_INVOKABLE QVariantMap detail() const;
    Q_INVOKABLE double typingWidth(double barWidth, double typing, double mousing) const;

    Q_INVOKABLE void previousMonth();
    Q_INVOKABLE void nextMonth();
    Q_INVOKABLE void selectDay(double day);

    // What the save dialog proposes: "Quenby-History.json" in the documents folder.
    Q_INVOKABLE QUrl proposedFolder() const;
    Q_INVOKABLE QUrl proposedFile() const;
    // Writes the export to a file the save dialog gave. A new file beside the old one replaces
    // it only once whole, so a failed write leaves the old file as it was.
    Q_INVOKABLE void exportTo(const QUrl &file);
    void exportToPath(const QString &path);

signals:
    void viewChanged();
    void transferMessageChanged();
    void revisionChanged();

private:
    void moveMonth(int months);
    void setTransferMessage(const QString &message);

    MacWorkStore &m_store;
    Instant m_displayedMonth = 0;
    Instant m_selectedDay = 0;
    QString m_transferMessage;
    int m_revision = 0;
};
