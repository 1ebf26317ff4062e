#include "ExportDocument.h"

#include <QTest>

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void byteExact()
    {
        QCOMPARE(*exportData({}), QByteArray("[]"));
        QCOMPARE(exportedMessage(0), QStringLiteral("Exported 0 entries ✓"));
        QCOMPARE(exportedMessage(412), QStringLiteral("Exported 412 entries ✓"));

        const QList<WorkEntry> one{
            {QUuid::fromString(QStringLiteral("0e5c9a3b-7f1d-4c2e-9a8b-1234567890ab")), 30, 1799.25,
             WorkEntry::Kind::timed}};
        QCOMPARE(*exportData(one),
                 QByteArray("[\n"
                            "  {\n"
                            "    \"date\" : 30,\n"
                            "    \"id\" : \"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB\",\n"
                            "    \"kind\" : \"timed\",\n"
                            "    \"seconds\" : 1799.25\n"
                            "  }\n"
                            "]"));

        // Stored order, every kind, nothing merged or sorted; the nil UUID is a UUID like any
        // other.
        const QList<WorkEntry> two{
            {QUuid::fromString(QStringLiteral("ffffffff-0000-4000-8000-000000000001")), 800000000.5,
             -300, WorkEntry::Kind::removed},
            {QUuid(), -12.125, 900, WorkEntry::Kind::added}};
        QCOMPARE(*exportData(two),
                 QByteArray("[\n"
                            "  {\n"
                            "    \"date\" : 800000000.5,\n"
                            "    \"id\" : \"FFFFFFFF-0000-4000-8000-000000000001\",\n"
                            "    \"kind\" : \"removed\",\n"
                            "    \"seconds\" : -300\n"
                            "  },\n"
                            "  {\n"
                            "    \"date\" : -12.125,\n"
                            "    \"id\" : \"00000000-0000-0000-0000-000000000000\",\n"
                            "    \"kind\" : \"added\",\n"
                            "    \"seconds\" : 900\n"
                            "  }\n"
                            "]"));
        QCOMPARE(decodeEntries(*exportData(two)), two);
    }

    void refusesNumbersJsonCannotHold()
    {
        const QList<WorkEntry> bad{{QUuid::createUuid(), 1,
                                    std::numeric_limits<double>::quiet_NaN(),
                                    WorkEntry::Kind::timed}};
        QVERIFY(!exportData(bad));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
