#include "AtomicFile.h"
#include "FakeProcess.h"
#include "Json.h"
#include "linux/JsonSettingsStore.h"
#include "linux/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void settingsRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quenby/settings.json"));
        const QByteArray heartbeat = R"({"lastTick":800000000.5})";
        {
            JsonSettingsStore store(path);
            QVERIFY(store.setValue(QStringLiteral("auto"), false));
            QVERIFY(store.setValue(QStringLiteral("goal"), 14400.25));
            QVERIFY(
                store.setValue(QStringLiteral("invite"), QStringLiteral("QUENBY-JOIN:ABC123 ✓")));
            QVERIFY(store.setValue(QStringLiteral("beat"), heartbeat));
            QVERIFY(store.setValue(QStringLiteral("gone"), true));
            QVERIFY(store.remove(QStringLiteral("gone")));
        }
        const auto doc = parseJson(readAll(path));
        QVERIFY(doc && doc->isObject());
        QCOMPARE(doc->toObject().value(QStringLiteral("goal")).toObject(),
                 (QJsonObject{{"type", "double"}, {"value", 14400.25}}));
        QCOMPARE(doc->toObject().size(), 4);

        JsonSettingsStore store(path);
        QCOMPARE(store.boolValue(QStringLiteral("auto")), false);
        QCOMPARE(store.doubleValue(QStringLiteral("goal")), 14400.25);
        QCOMPARE(store.textValue(QStringLiteral("invite")), QStringLiteral("QUENBY-JOIN:ABC123 ✓"));
        QCOMPARE(store.dataValue(QStringLiteral("beat")), heartbeat);
        QVERIFY(!store.value(QStringLiteral("gone")));
        // A value of another type reads as absent.
        QCOMPARE(store.doubleValue(QStringLiteral("auto")), std::nullopt);
        QCOMPARE(store.dataValue(QStringLiteral("invite")), std::nullopt);
        QVERIFY(QDir(dir.filePath(QStringLiteral("Quenby"))).entryList(QDir::Files) ==
                QStringList{QStringLiteral("settings.json")});
    }

    void settingsFailuresStayInMemory()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.json"));
        JsonSettingsStore store(path);
        // JSON has no NaN: storing one would make the whole file unreadable.
        QVERIFY(!store.setValue(QStringLiteral("goal"), qQNaN()));
        QVERIFY(!store.value(QStringLiteral("goal")));
        QVERIFY(store.setValue(QStringLiteral("auto"), true));
        QVERIFY(JsonSettingsStore(path).boolValue(QStringLiteral("auto")));

        // A folder that cannot hold the file: the change is refused on disk, kept in memory.
        writeAll(dir.filePath(QStringLiteral("blocked")), "a file, not a folder");
        JsonSettingsStore blocked(dir.filePath(QStringLiteral("blocked/settings.json")));
        QVERIFY(!blocked.setValue(QStringLiteral("auto"), false));
        QCOMPARE(blocked.boolValue(QStringLiteral("auto")), false);
    }

    void undecodableSettingsAreKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("cut short") << QByteArray(R"({"a":{"type":"bool","value":tr)");
        QTest::newRow("untagged value") << QByteArray(R"({"a":true})");
        QTest::newRow("type and value differ") << QByteArray(R"({"a":{"type":"bool","value":1}})");
        QTest::newRow("duplicate key") << QByteArray(
            R"({"a":{"type":"bool","value":true},"a":{"type":"bool","value":false}})");
    }

    void undecodableSettingsAreKept()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.json"));
        for (int round = 0; round < 4; ++round) {
            writeAll(path, content + QByteArray(round, ' '));
            JsonSettingsStore store(path);
            QVERIFY(!store.value(QStringLiteral("a")));
            QVERIFY(store.setValue(QStringLiteral("b"), 2.0));
            QCOMPARE(JsonSettingsStore(path).doubleValue(QStringLiteral("b")), 2.0);
            if (round == 0) {
                const QStringList copies =
                    QDir(dir.path()).entryList({QStringLiteral("settings.json.corrupt-*")});
                QCOMPARE(copies.size(), 1);
                QCOMPARE(readAll(dir.filePath(copies.first())), content);
            }
        }
        // Several failures in one second get distinct names; the three newest are kept.
        const QStringList copies =
            QDir(dir.path())
                .entryList({QStringLiteral("settings.json.corrupt-*")}, QDir::Files, QDir::Name);
        QCOMPARE(copies.size(), 3);
        QByteArrayList kept;
        for (const QString &c : copies)
            kept.append(readAll(dir.filePath(c)));
        QVERIFY(kept.contains(content + "   "));
        QVERIFY(!kept.contains(content));
    }

    void xdgFolders()
    {
        // XDG_DATA_HOME and XDG_CONFIG_HOME (null: unset), then the folders they give.
        const char *const rows[][4] = {
            {nullptr, nullptr, "/home/ada/.local/share", "/home/ada/.config"},
            {"/srv/data/", "/etc/ada", "/srv/data", "/etc/ada"},
            {"data", "cfg", "/home/ada/.local/share", "/home/ada/.config"}}; // relative: ignored
        for (const auto &[dataHome, configHome, data, config] : rows) {
            FakeProcess process;
            process.environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/ada"));
            if (dataHome)
                process.environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
            if (configHome)
                process.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
            QCOMPARE(xdgDataHome(process), QString::fromLatin1(data));
            QCOMPARE(xdgConfigHome(process), QString::fromLatin1(config));
            QCOMPARE(JsonSettingsStore::defaultPath(process),
                     QString::fromLatin1(config) + QStringLiteral("/Quenby/settings.json"));
        }
    }

    // A write that fails part way (here the file size limit, which binds root too; a full disk acts
    // the same) must leave the old file whole, for small writes that Qt buffers and large ones
    // alike.
    void cutShortWritesKeepTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("entries.json"));
        const QByteArray old(3000, 'o');
        QVERIFY(writeFileAtomically(path, old));
        rlimit limit{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit unlimited = limit;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        const bool small = writeFileAtomically(path, QByteArray(10000, 'n'));
        const bool large = writeFileAtomically(path, QByteArray(40000, 'n'));
        const bool fits = writeFileAtomically(dir.filePath(QStringLiteral("small.json")), "{}");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!small);
        QVERIFY(!large);
        QVERIFY(fits);
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"entries.json", "small.json"}));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
