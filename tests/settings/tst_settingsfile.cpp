#include "settings/backupqueue.h"
#include "settings/backupstore.h"
#include "settings/settingdescription.h"
#include "settings/settingscomparison.h"
#include "settings/settingsfile.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/describedmodels.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// A settings file is taken whole or refused with one sentence; backups keep every distinct
// read and no more than their limit.
class tst_settingsfile : public QObject
{
    Q_OBJECT

private slots:
    void savedFileOpensAsItWasSaved_data() { addDescribedModelRows(); }
    void savedFileOpensAsItWasSaved();
    void stampsTravelWithTheFile_data();
    void stampsTravelWithTheFile();
    void fileOfTheFirstFormatStillOpens();
    void badFilesAreRefusedWithTheReason_data();
    void badFilesAreRefusedWithTheReason();
    void valuesReadAsTheFormShowsThem_data();
    void valuesReadAsTheFormShowsThem();
    void comparisonNamesTheChangedSetting();
    void backupsKeepEachDistinctReadUpToTheLimit();
    void confirmedWriteIsAlwaysKept();
    void backupTellsTheLocalTimeWhateverTheStamp();
    void backupsNamedBeforeTheModelKeepTheirPlace();
    void queuedBackupsKeepTheOrderOfReading();
    void queueWritesEverythingBeforeItGoes();
    void queueSaysWhyABackupFailed();
};

namespace {

using JsonEdit = std::function<void(QJsonObject &)>;

QByteArray kzrFile(const JsonEdit &edit)
{
    const SettingsFile file = SettingsFile::of(
        ModelInfo::of(ModelInfo::Id::Kzr), drawnConfiguration(ModelInfo::Id::Kzr, 7), QString());
    QJsonObject root = QJsonDocument::fromJson(file.toJson()).object();
    edit(root);
    return QJsonDocument(root).toJson();
}

// A configuration read now on a port, as the window and the command line keep it.
SettingsFile readOn(const ModelInfo &model, const QByteArray &frames, const QString &version,
                    const QString &port = QStringLiteral("/dev/ttyUSB0"), bool simulated = false)
{
    SettingsFile file = SettingsFile::of(model, frames, version);
    file.read = SettingsFile::readNow(port, simulated);
    return file;
}

JsonEdit setValue(const char *key, const QJsonValue &value)
{
    return [key, value](QJsonObject &root) { root.insert(QLatin1String(key), value); };
}

JsonEdit setFirstFrame(const QString &hex)
{
    return setValue("frames", QJsonArray{hex});
}

} // namespace

void tst_settingsfile::savedFileOpensAsItWasSaved()
{
    QFETCH(ModelInfo::Id, model);
    const QByteArray frames = drawnConfiguration(model, 11 + static_cast<quint32>(model));
    QVERIFY(!frames.isEmpty());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("relay.orva.json"));
    QCOMPARE(
        SettingsFile::of(ModelInfo::of(model), frames, QStringLiteral("v03d15m07r")).save(path),
        QString());

    QString error;
    const SettingsFile opened = SettingsFile::open(path, &error);
    QCOMPARE(error, QString());
    QCOMPARE(opened.model, &ModelInfo::of(model));
    QCOMPARE(opened.frames.toHex(' '), frames.toHex(' '));
    QCOMPARE(opened.deviceVersion, QStringLiteral("v03d15m07r"));
    QVERIFY(opened.saved.isValid());

    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QJsonArray settings = QJsonDocument::fromJson(saved.readAll())
                                    .object()
                                    .value(QStringLiteral("settings"))
                                    .toArray();
    QCOMPARE(settings.size(), SettingDescription::of(model)->fields().size());
}

void tst_settingsfile::stampsTravelWithTheFile_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<bool>("verified");
    QTest::newRow("typed, no stamp") << false << false << false;
    QTest::newRow("read") << true << false << false;
    QTest::newRow("read from a simulated relay") << true << true << false;
    QTest::newRow("written and read back") << true << false << true;
}

// The stamps are added to the first format: a reader of that format passes over them.
void tst_settingsfile::stampsTravelWithTheFile()
{
    QFETCH(bool, read);
    QFETCH(bool, simulated);
    QFETCH(bool, verified);
    SettingsFile file =
        SettingsFile::of(ModelInfo::of(ModelInfo::Id::Wrn2),
                         drawnConfiguration(ModelInfo::Id::Wrn2, 4), QStringLiteral("v1"));
    const QDateTime readAt(QDate(2026, 12, 7), QTime(11, 32, 22, 492), Qt::OffsetFromUTC, 3600);
    if (read)
        file.read = {readAt, QStringLiteral("/dev/ttyUSB0"), simulated,
                     QStringLiteral("orva-konfig 9.9")};
    if (verified)
        file.verified = readAt.addSecs(95);

    const QJsonObject root = QJsonDocument::fromJson(file.toJson()).object();
    QCOMPARE(root.value(QStringLiteral("formatVersion")).toInt(), 1);
    QCOMPARE(root.contains(QStringLiteral("read")), read);
    QCOMPARE(root.contains(QStringLiteral("verified")), verified);
    if (read)
        QCOMPARE(root.value(QStringLiteral("read")).toObject().value(QStringLiteral("time")).toString(),
                 QStringLiteral("2026-12-07T11:32:22.492+01:00"));

    QString error;
    const SettingsFile opened = SettingsFile::fromJson(file.toJson(), &error);
    QCOMPARE(error, QString());
    QCOMPARE(opened.frames, file.frames);
    QCOMPARE(opened.read.isValid(), read);
    if (read) {
        QCOMPARE(opened.read.time, readAt);
        QCOMPARE(opened.read.port, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(opened.read.simulated, simulated);
        QCOMPARE(opened.read.program, QStringLiteral("orva-konfig 9.9"));
    }
    QCOMPARE(opened.verified, file.verified);
}

// Kept as the program wrote it before files carried stamps.
void tst_settingsfile::fileOfTheFirstFormatStillOpens()
{
    const QString path = QFINDTESTDATA("fixtures/KZR-1_format1.orva.json");
    QVERIFY(!path.isEmpty());
    QString error;
    const SettingsFile file = SettingsFile::open(path, &error);
    QCOMPARE(error, QString());
    QCOMPARE(file.model, &ModelInfo::of(ModelInfo::Id::Kzr));
    QCOMPARE(file.frames.toHex().toUpper(), QByteArray("0A550513010203800A1400EFFDEF"));
    QCOMPARE(file.deviceVersion, QStringLiteral("v03d15m07r"));
    QCOMPARE(file.saved, QDateTime::fromString(QStringLiteral("2026-12-07T11:32:22.492+01:00"),
                                               Qt::ISODateWithMs));
    QVERIFY(!file.read.isValid());
    QVERIFY(!file.verified.isValid());

    // Keys this program does not know, and stamps it cannot read, are passed over.
    QFile fixture(path);
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(fixture.readAll()).object();
    root.insert(QStringLiteral("station"), QStringLiteral("GPZ Północ"));
    root.insert(QStringLiteral("read"), QStringLiteral("wczoraj"));
    root.insert(QStringLiteral("verified"), QJsonObject{{QStringLiteral("time"), 5}});
    const SettingsFile extended = SettingsFile::fromJson(QJsonDocument(root).toJson(), &error);
    QCOMPARE(error, QString());
    QCOMPARE(extended.frames, file.frames);
    QVERIFY(!extended.read.isValid());
    QVERIFY(!extended.verified.isValid());
}

void tst_settingsfile::badFilesAreRefusedWithTheReason_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("reason");
    const QByteArray whole = kzrFile([](QJsonObject &) {});
    QTest::newRow("truncated") << whole.left(whole.size() / 2) << "JSON";
    QTest::newRow("not a settings file")
        << kzrFile(setValue("format", QStringLiteral("inny"))) << "To nie jest plik nastaw";
    QTest::newRow("newer format") << kzrFile(setValue("formatVersion", 2)) << "nowszym formacie";
    // 1.9 is no version 1, and neither is the text "1".
    QTest::newRow("fractional format version")
        << kzrFile(setValue("formatVersion", 1.9)) << "liczbą całkowitą, a plik podaje 1.9.";
    QTest::newRow("format version as text")
        << kzrFile(setValue("formatVersion", QStringLiteral("1"))) << "a plik podaje \"1\".";
    QTest::newRow("no format version")
        << kzrFile([](QJsonObject &root) { root.remove(QStringLiteral("formatVersion")); })
        << "Plik nie podaje wersji formatu.";
    QTest::newRow("unknown model")
        << kzrFile(setValue("model", QStringLiteral("KZR-9"))) << "KZR-9";
    QTest::newRow("tester has no settings")
        << kzrFile(setValue("model", QStringLiteral("Tester KZR-1"))) << "Tester KZR-1";
    QTest::newRow("identity of another model")
        << kzrFile(setValue("identity", QStringLiteral("03"))) << "„03”";
    QTest::newRow("two frames for one")
        << kzrFile(setValue("frames", QJsonArray{QStringLiteral("0A55"), QStringLiteral("0A56")}))
        << "ramek";
    QTest::newRow("frame of 13 bytes")
        << kzrFile(setFirstFrame(QStringLiteral("0A55") + QString(22, '0'))) << "13 B";
    QTest::newRow("frame not hexadecimal")
        << kzrFile(setFirstFrame(QStringLiteral("0A55") + QString(22, 'Z'))) << "szesnastkowym";
    QTest::newRow("reply header instead of a write")
        << kzrFile(setFirstFrame(QStringLiteral("4445") + QString(24, '0'))) << "nagłówkiem";
}

void tst_settingsfile::badFilesAreRefusedWithTheReason()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, reason);
    QString error;
    const SettingsFile file = SettingsFile::fromJson(json, &error);
    QVERIFY(!file.model);
    QVERIFY(file.frames.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(error.endsWith(QLatin1Char('.')) && !error.contains(QLatin1Char('\n')),
             qPrintable(error));
}

void tst_settingsfile::valuesReadAsTheFormShowsThem_data()
{
    QTest::addColumn<ModelInfo::Id>("model");
    QTest::addColumn<QByteArray>("frames");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("value");
    // Frame bytes 2-13 after the write header; counts and steps as the device keeps them.
    QTest::newRow("GA-1 delay: 150 counts of 10 ms")
        << ModelInfo::Id::Ga << sentFrame("00 00 00 00 00 00 00 96 00 00")
        << "Konfiguracja ogólna / Opóźnienie na pojawienie się zakłócenia:"
        << "1,50 [s]";
    QTest::newRow("GA-1 trigger bit set") << ModelInfo::Id::Ga << sentFrame("00 00 00 00 00 00 01")
                                          << "Konfiguracja ogólna / Działanie na:"
                                          << "Pojawienie się napięcia";
    QTest::newRow("DRAV-1 pick-up: 3 steps of 100 ms")
        << ModelInfo::Id::Drav << sentFrame("00 00 00 03")
        << "Przekaźnik 1 – Opóźnienie / Pobudzenie"
        << "300 [ms]";
    QTest::newRow("KZR-1 unlock time in seconds")
        << ModelInfo::Id::Kzr << sentFrame("00 1e")
        << "Konfiguracja zadziałania odblokowania / Czas odblokowania [s]"
        << "30";
}

// Checked against what the device's counts mean, not against the description's own code.
void tst_settingsfile::valuesReadAsTheFormShowsThem()
{
    QFETCH(ModelInfo::Id, model);
    QFETCH(QByteArray, frames);
    QFETCH(QString, setting);
    QFETCH(QString, value);
    const QVector<SettingRow> rows = SettingDescription::of(model)->rows(frames);
    const auto row = std::find_if(rows.cbegin(), rows.cend(), [&](const SettingRow &candidate) {
        return candidate.group + QStringLiteral(" / ") + candidate.setting == setting;
    });
    QVERIFY2(row != rows.cend(), qPrintable(setting));
    QCOMPARE(row->value, value);
}

void tst_settingsfile::comparisonNamesTheChangedSetting()
{
    const SettingDescription &description = *SettingDescription::of(ModelInfo::Id::Drav);
    const QByteArray form = drawnConfiguration(ModelInfo::Id::Drav, 3);
    const auto oneBit = [](const SettingDescription::Field &field) {
        int bits = 0;
        for (char byte : field.mask)
            bits += qPopulationCount(static_cast<quint8>(byte));
        return bits == 1;
    };
    const auto flipped =
        std::find_if(description.fields().cbegin(), description.fields().cend(), oneBit);
    QVERIFY(flipped != description.fields().cend());
    QByteArray file = form;
    for (int i = 0; i < file.size(); ++i)
        file[i] = static_cast<char>(file[i] ^ flipped->mask[i]);
    const SettingsComparison comparison(description, form, description.normalised(file));
    QCOMPARE(comparison.differingCount(), 1);
    QCOMPARE(comparison.equalCount(), description.fields().size() - 1);
    const SettingsComparison::Entry entry = comparison.differences().first();
    QCOMPARE(entry.group + " / " + entry.setting, flipped->group + " / " + flipped->setting);
    QVERIFY(entry.ours != entry.theirs);
}

void tst_settingsfile::backupsKeepEachDistinctReadUpToTheLimit()
{
    QTemporaryDir folder;
    BackupStore store(folder.path());
    const ModelInfo &ga = ModelInfo::of(ModelInfo::Id::Ga);
    const QByteArray first = drawnConfiguration(ModelInfo::Id::Ga, 1);
    const QString firstPath = store.keep(readOn(ga, first, QStringLiteral("v1")));
    QVERIFY(QFile::exists(firstPath));
    // Named by model, time and port.
    QVERIFY2(QRegularExpression(QStringLiteral(
                 "/GA-1/GA-1_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d-\\d{3}_ttyUSB0\\.orva\\.json$"))
                 .match(firstPath)
                 .hasMatch(),
             qPrintable(firstPath));
    QCOMPARE(store.keep(readOn(ga, first, QStringLiteral("v1"))), QString());

    for (int i = 0; i < BackupStore::KeptPerModel; ++i) {
        QByteArray changed = first;
        // Unlike the first read in one byte, and unlike each other in another.
        changed[Frame::Size - 2] = static_cast<char>(~first[Frame::Size - 2]);
        changed[Frame::Size - 1] = static_cast<char>(i);
        QVERIFY(!store.keep(readOn(ga, changed, QStringLiteral("v2"))).isEmpty());
    }
    const QString drav = store.keep(readOn(ModelInfo::of(ModelInfo::Id::Drav),
                                           drawnConfiguration(ModelInfo::Id::Drav, 1), QString(),
                                           QStringLiteral("/dev/pts/4"), true));
    QVERIFY2(drav.endsWith(QStringLiteral("_symulowane.orva.json")), qPrintable(drav));

    const QVector<BackupStore::Entry> entries = store.entries();
    QCOMPARE(entries.size(), BackupStore::KeptPerModel + 1);
    QVERIFY(!QFile::exists(firstPath));
    QCOMPARE(entries.first().model, QStringLiteral("DRAV-1"));
    QVERIFY(entries.first().simulated);
    QCOMPARE(entries[1].port, QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(!entries[1].simulated && !entries[1].verified.isValid());
    for (int i = 1; i < entries.size(); ++i)
        QVERIFY(entries[i - 1].saved >= entries[i].saved);
}

// The read that confirms a write is the record of that visit, though the relay holds what
// an earlier backup holds.
void tst_settingsfile::confirmedWriteIsAlwaysKept()
{
    QTemporaryDir folder;
    BackupStore store(folder.path());
    const ModelInfo &kzr = ModelInfo::of(ModelInfo::Id::Kzr);
    const QByteArray frames = drawnConfiguration(ModelInfo::Id::Kzr, 2);
    QVERIFY(!store.keep(readOn(kzr, frames, QStringLiteral("v1"))).isEmpty());
    SettingsFile confirming = readOn(kzr, frames, QStringLiteral("v1"));
    confirming.verified = confirming.read.time;
    QVERIFY(!store.keep(confirming).isEmpty());
    QCOMPARE(store.keep(readOn(kzr, frames, QStringLiteral("v1"))), QString());
    const QVector<BackupStore::Entry> entries = store.entries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.first().verified, confirming.verified);
    QVERIFY(!entries.last().verified.isValid());
}

// The window stamps a read with the universal time; its backup tells the engineer's local time
// in its name and its text all the same, as one stamped in local time does.
void tst_settingsfile::backupTellsTheLocalTimeWhateverTheStamp()
{
    const QByteArray zone = qgetenv("TZ");
    const auto restoreZone =
        qScopeGuard([zone] { zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone); });
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    const QDateTime moment = QDateTime::currentDateTimeUtc();
    if (moment.toLocalTime().offsetFromUtc() == 0)
        QSKIP("This system's clock ignores the time zone set for the test.");

    const ModelInfo &kzr = ModelInfo::of(ModelInfo::Id::Kzr);
    const QByteArray frames = drawnConfiguration(ModelInfo::Id::Kzr, 3);
    QStringList names;
    QList<QByteArray> texts;
    for (const QDateTime &stamp : {moment, moment.toLocalTime()}) {
        QTemporaryDir folder;
        SettingsFile read = SettingsFile::ofRead(kzr, frames, QStringLiteral("v1"),
                                                 QStringLiteral("/dev/ttyUSB0"), false, stamp);
        read.verified = stamp;
        QFile kept(BackupStore(folder.path()).keep(read));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        names << QFileInfo(kept).fileName();
        texts << kept.readAll();
    }
    QCOMPARE(names.first(), names.last());
    QCOMPARE(texts.first(), texts.last());
    QVERIFY2(names.first().contains(moment.toLocalTime().toString(QStringLiteral("HH-mm-ss-zzz"))),
             qPrintable(names.first()));
}

// A folder may still hold backups named by time alone; they take their place by their time.
void tst_settingsfile::backupsNamedBeforeTheModelKeepTheirPlace()
{
    QTemporaryDir folder;
    BackupStore store(folder.path());
    const ModelInfo &kzr = ModelInfo::of(ModelInfo::Id::Kzr);
    const QByteArray mine = drawnConfiguration(ModelInfo::Id::Kzr, 8);
    QVERIFY(!store.keep(readOn(kzr, mine, QStringLiteral("v1"))).isEmpty());
    // A later read, kept under the old name.
    QVERIFY(QFile::copy(QFINDTESTDATA("fixtures/KZR-1_format1.orva.json"),
                        folder.filePath(QStringLiteral("KZR-1/2099-01-01_00-00-00-000.orva.json"))));
    // Not what the newest backup holds, so kept.
    QVERIFY(!store.keep(readOn(kzr, mine, QStringLiteral("v1"))).isEmpty());
    QCOMPARE(store.entries().size(), 3);
}

// Backups are written on another thread; each read is compared with the one before it, so
// they must be written one after another, in the order read.
void tst_settingsfile::queuedBackupsKeepTheOrderOfReading()
{
    QTemporaryDir folder;
    BackupQueue queue{BackupStore(folder.path())};
    const ModelInfo &ga = ModelInfo::of(ModelInfo::Id::Ga);
    const QByteArray first = drawnConfiguration(ModelInfo::Id::Ga, 1);
    QByteArray second = first;
    second[Frame::Size - 1] = static_cast<char>(~first[Frame::Size - 1]);
    const QList<QByteArray> reads = {first, first, second, second, first};
    for (const QByteArray &read : reads)
        queue.keep(readOn(ga, read, QString()));

    QVector<QByteArray> kept;
    for (const BackupStore::Entry &entry : queue.written().entries()) {
        QString error;
        kept.prepend(SettingsFile::open(entry.path, &error).frames);
    }
    QCOMPARE(kept, (QVector<QByteArray>{first, second, first}));
}

void tst_settingsfile::queueWritesEverythingBeforeItGoes()
{
    QTemporaryDir folder;
    {
        BackupQueue queue{BackupStore(folder.path())};
        for (quint32 seed = 1; seed <= 5; ++seed)
            queue.keep(readOn(ModelInfo::of(ModelInfo::Id::Kzr),
                              drawnConfiguration(ModelInfo::Id::Kzr, seed), QString()));
    }
    QCOMPARE(BackupStore(folder.path()).entries().size(), 5);
}

void tst_settingsfile::queueSaysWhyABackupFailed()
{
    QTemporaryDir folder;
    // A file where the model's folder should be.
    QFile blocking(folder.filePath(QStringLiteral("GA-1")));
    QVERIFY(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    BackupQueue queue{BackupStore(folder.path())};
    QSignalSpy failed(&queue, &BackupQueue::failed);
    queue.keep(readOn(ModelInfo::of(ModelInfo::Id::Ga), drawnConfiguration(ModelInfo::Id::Ga, 1),
                      QString()));
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY(failed.first().first().toString().contains(folder.filePath(QStringLiteral("GA-1"))));
}

QTEST_MAIN(tst_settingsfile)
#include "tst_settingsfile.moc"
