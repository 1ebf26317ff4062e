#pragma once

#include "FakeClock.h"
#include "FakeCrewConnection.h"
#include "FakeInputSource.h"
#include "FakeLoginItems.h"
#include "FakePasteboard.h"
#include "FakeProcess.h"
#include "FakeSettingsStore.h"
#include "FakeTimer.h"
#include "FakeWorkspace.h"
#include "MacWorkStore.h"
#include "TestTime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A store on fakes, with its data folder in a fresh temporary directory. Time moves only through
// the fake clock; `advance` moves it and fires the timer, as the real timer would.
struct StoreFixture {
    QTemporaryDir dir;
    FakeClock clock;
    FakeInputSource input{clock};
    FakeWorkspace workspace;
    FakeSettingsStore settings;
    FakeLoginItems loginItems;
    // The services the store is opened with; a test may put real ones here.
    Workspace *workspaceService = &workspace;
    SettingsStore *settingsStore = &settings;
    LoginItems *loginItemsService = &loginItems;
    FakeProcess process;
    FakeTimer timer;
    FakePasteboard pasteboard;
    FakeCrewConnection crew;
    // The crew service the store is opened with; a test may put the real client here.
    CrewClient::Connection *crewConnection = &crew;
    Calendar calendar = zoneCalendar("Europe/Berlin");
    std::unique_ptr<MacWorkStore> store;

    explicit StoreFixture(Instant start = localInstant(QTimeZone("Europe/Berlin"),
                                                       "2026-03-10 10:00"))
        : clock(start)
    {
        process.environment.insert(QStringLiteral("QUENBY_DATA_DIR"), dir.path());
    }

    // Builds the store anew, as a fresh start of the program would (the old one is dropped
    // without any further write, as in a crash).
    MacWorkStore &open()
    {
        store.reset();
        store = MacWorkStore::open({clock, calendar, input, *workspaceService, *settingsStore,
                                    *loginItemsService, process, timer,
                                    dir.filePath(QStringLiteral("support")), *crewConnection});
        if (store)
            store->setPasteboard(&pasteboard);
        return *store;
    }

    void advance(double seconds)
    {
        clock.advance(seconds);
        timer.fire();
    }

    // Typing without pause for `seconds`: a key press one second before each 5-second tick.
    void type(double seconds, InputEvent event = InputEvent::keyDown, quint32 perTick = 4)
    {
        for (double done = 0; done + 5 <= seconds; done += 5) {
            clock.advance(4);
            input.event(event, perTick);
            advance(1);
        }
    }

    QString dataPath(const QString &name) const
    {
        return dir.filePath(QStringLiteral("Quenby/") + name);
    }

    void writeData(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Quenby")));
        QFile f(dataPath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    QByteArray readData(const QString &name) const
    {
        QFile f(dataPath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::optional<Heartbeat> heartbeat() const
    {
        const auto data = settings.dataValue(MacWorkStore::heartbeatKey);
        return data ? decodeHeartbeat(*data) : std::nullopt;
    }
};
