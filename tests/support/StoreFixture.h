// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FakeClock.h"
#include "FakeCrewConnection.h"
#include "InputSource.h"
#include "LoginItems.h"
#include "MacWorkStore.h"
#include "Pasteboard.h"
#include "Process.h"
#include "RepeatingTimer.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TestTime.h"
#include "Workspace.h"

#include <QMap>
#include <QTemporaryDir>

#include <map>

// Fakes of the platform services, driven by the test.

// Events happen at the fake clock's now. Nothing has happened at the start: every idle reading is
// huge, every counter 0.
class FakeInputSource final : public InputSource {
public:
    explicit FakeInputSource(const FakeClock &clock) : m_clock(clock) {}
    double secondsSinceLastEvent(InputEvent type) const override
    {
        return m_lastAt.contains(type) ? m_clock.now() - m_lastAt.at(type) : 1e9;
    }
    quint32 eventCounter(InputEvent type) const override { return counters.value(type); }
    // `count` events of one type, now. Counters wrap like the real 32-bit ones.
    void event(InputEvent type, quint32 count = 1)
    {
        counters[type] += count;
        m_lastAt[type] = m_clock.now();
    }

    QMap<InputEvent, quint32> counters;

private:
    const FakeClock &m_clock;
    std::map<InputEvent, Instant> m_lastAt;
};

class FakeLoginItems final : public LoginItems {
public:
    Status status() const override { return state; }
    bool registerApp() override { return set(Status::enabled); }
    bool unregisterApp() override { return set(Status::notRegistered); }
    bool set(Status s)
    {
        state = s;
        return true;
    }

    Status state = Status::notRegistered;
};

class FakePasteboard final : public Pasteboard {
public:
    QString text() const override { return content; }
    void clear() override { content.clear(); }
    void setText(const QString &text) override { content = text; }

    QString content;
};

class FakeProcess final : public Process {
public:
    std::optional<QString> environmentValue(const QString &name) const override
    {
        return environment.contains(name) ? std::optional(environment[name]) : std::nullopt;
    }
    QStringList arguments() const override { return args; }

    QMap<QString, QString> environment;
    QStringList args{QStringLiteral("tockly")};
};

// With failWrites set, changes are refused as a full disk would refuse them.
class FakeSettingsStore final : public SettingsStore {
public:
    std::optional<SettingValue> value(const QString &key) const override
    {
        return values.contains(key) ? std::optional(values[key]) : std::nullopt;
    }
    bool setValue(const QString &key, const SettingValue &value) override
    {
        return write([&] { values.insert(key, value); });
    }
    bool remove(const QString &key) override
    {
        return write([&] { values.remove(key); });
    }
    template<typename Change> bool write(Change change)
    {
        ++writes;
        if (!failWrites)
            change();
        return !failWrites;
    }

    QMap<QString, SettingValue> values;
    bool failWrites = false;
    int writes = 0;
};

class FakeTimer final : public RepeatingTimer {
    Q_OBJECT
public:
    void start(double intervalSeconds, double) override
    {
        interval = intervalSeconds;
        active = true;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void fire() { emit fired(); }

    double interval = 0;
    bool active = false;
};

class FakeWorkspace final : public Workspace {
    Q_OBJECT
public:
    std::optional<FrontmostApplication> frontmostApplication() const override { return front; }

    std::optional<FrontmostApplication> front;
};

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
    CrewClient::Connection *crewConnection = &crew;
    FolderWatcher *folderWatcher = nullptr;
    QByteArray machineId = "test machine";
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
                                    dir.filePath(QStringLiteral("support")), *crewConnection,
                                    folderWatcher, machineId, QStringLiteral("desk")});
        if (store)
            store->crews()->setPasteboard(&pasteboard);
        return *store;
    }

    void advance(double seconds)
    {
        clock.advance(seconds);
        timer.fire();
    }

    // Typing without pause for `seconds`: a key press one second before each 5-second tick.
    void type(double seconds)
    {
        for (double done = 0; done + 5 <= seconds; done += 5) {
            clock.advance(4);
            input.event(InputEvent::keyDown, 4);
            advance(1);
        }
    }

    QString dataPath(const QString &name) const
    {
        return dir.filePath(QStringLiteral("Quenby/") + name);
    }
    void writeData(const QString &name, const QByteArray &bytes) const
    {
        writeFile(dataPath(name), bytes);
    }
    QByteArray readData(const QString &name) const { return readFile(dataPath(name)); }

    std::optional<Heartbeat> heartbeat() const
    {
        const auto data = settings.dataValue(MacWorkStore::heartbeatKey);
        return data ? decodeHeartbeat(*data) : std::nullopt;
    }
};
