#pragma once

#include "AppShell.h"
#include "CardPanel.h"
#include "Fonts.h"
#include "StoreFixture.h"
#include "WindowSlots.h"

#include <QQuickItem>
#include <QQuickView>
#include <QTest>
#include <QtQuickTest/quicktest.h>

// A store on fakes with the shell around it: the card and the windows as the user sees them,
// in English (United States) in Berlin, on 2026-03-10 (a Tuesday) at 10:00.
struct UiFixture : StoreFixture {
    QList<WorkEntry> entries;
    ActivityByDay activity;
    std::unique_ptr<AppShell> shell;

    UiFixture()
    {
        calendar = Calendar(QTimeZone("Europe/Berlin"), 2,
                            QLocale(QLocale::English, QLocale::UnitedStates));
        setUpFonts();
    }
    ~UiFixture() { shell.reset(); }

    Instant at(const char *localTime) const
    {
        return localInstant(QTimeZone("Europe/Berlin"), localTime);
    }
    // One stretch of work on the day `daysAgo` before the fixture's today, ending at 09:59.
    void worked(int daysAgo, double seconds)
    {
        const Instant end = *calendar.addDays(at("2026-03-10 09:59"), -daysAgo);
        entries.append({QUuid::createUuid(), end - seconds, seconds, WorkEntry::Kind::timed});
    }

    // Writes the record and builds store and shell, as a start of the program would.
    AppShell &start()
    {
        shell.reset();
        writeData(QStringLiteral("entries.json"), encodeEntries(entries, JsonStyle::compact));
        writeData(QStringLiteral("activity.json"), encodeActivity(activity));
        open();
        shell = std::make_unique<AppShell>(*store, settings);
        return *shell;
    }

    // The card on screen, with its root item.
    QQuickItem *showCard()
    {
        shell->card().show(QPoint(600, 10));
        QQuickView *view = shell->card().window();
        if (!QTest::qWaitForWindowExposed(view))
            return nullptr;
        return view->rootObject();
    }
};

// The items of that object name below `root`, in the visual tree, in order.
inline QList<QQuickItem *> findItems(QQuickItem *root, const QString &name)
{
    QList<QQuickItem *> found;
    for (QQuickItem *child : root ? root->childItems() : QList<QQuickItem *>()) {
        if (child->objectName() == name)
            found.append(child);
        found += findItems(child, name);
    }
    return found;
}

inline QQuickItem *findItem(QQuickItem *root, const QString &name)
{
    return findItems(root, name).value(0);
}

// Visible on screen (an item is hidden with its ancestors).
inline bool shown(const QQuickItem *item)
{
    return item && item->isVisible();
}

// The visible button with that text.
inline QQuickItem *button(QQuickItem *root, const QString &text)
{
    if (!root)
        return nullptr;
    for (QQuickItem *child : root->childItems()) {
        if (!child->isVisible())
            continue;
        if (child->property("text").toString() == text &&
            child->metaObject()->indexOfSignal("clicked()") >= 0)
            return child;
        if (QQuickItem *found = button(child, text))
            return found;
    }
    return nullptr;
}

inline QString textOf(const QQuickItem *item)
{
    return item ? item->property("text").toString() : QStringLiteral("<none>");
}

// Typing into the window's focused item.
inline void typeText(QWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A real click in the middle of the item.
inline void click(QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY2(item->isVisible(), qPrintable(item->objectName() + " is hidden"));
    // Where the item is drawn: a row that just appeared is placed by the next polish.
    QVERIFY(QQuickTest::qWaitForPolish(item->window()));
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), Qt::LeftButton, {}, centre.toPoint());
}
