#include "app/comparedialog.h"
#include "app/modelpages.h"
#include "app/settingsmenu.h"
#include "codecs/kzrconfig.h"
#include "settings/settingdescription.h"
#include "settings/settingsfile.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/describedmodels.h"
#include "tests/support/dialogs.h"
#include "tests/support/fulldisk.h"
#include "tests/support/simulatedconnection.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>

// A configuration goes from a device to a file and into another device byte for byte; a
// file that cannot be taken whole changes nothing; nothing is sent until "Zapisz"; a write is
// read back.
class tst_settingsfiles : public QObject
{
    Q_OBJECT

private slots:
    void deviceToFileToAnotherDevice_data() { addDescribedModelRows(); }
    void deviceToFileToAnotherDevice();
    void refusedFileLeavesTheFormAsItWas_data();
    void refusedFileLeavesTheFormAsItWas();
    void compareWithDeviceTakesItsValues();
    void readBackDifferentFromTheWriteIsReported_data();
    void readBackDifferentFromTheWriteIsReported();
    void readingWhatTheFormCannotShowIsSaid();
    void unsolicitedAcknowledgementStartsNoCheck();
    void saveOntoAFullDiskKeepsTheMarks();
};

namespace {

constexpr int TimeoutMs = 5000;

// The window's send slot for the model's configuration, as "Zapisz" on its page reaches it.
void pressWrite(ORVA2 &window, ModelInfo::Id model)
{
    for (const ModelPage::Wire &wire : ModelPage::of(model).deviceWires) {
        const QByteArray slot(wire.slot + 1);
        if (slot.startsWith("WyslijDane"))
            QVERIFY(QMetaObject::invokeMethod(&window, slot.left(slot.indexOf('(')).constData()));
    }
}

} // namespace

using PayloadChange = std::function<void(QByteArray &)>;
Q_DECLARE_METATYPE(PayloadChange)

void tst_settingsfiles::deviceToFileToAnotherDevice()
{
    QFETCH(ModelInfo::Id, model);
    const ModelInfo &info = ModelInfo::of(model);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("relay.orva.json"));

    SimulatedConnection source(info.identity);
    source.device().setStoredPayload(
        payloadOf(drawnConfiguration(model, 0x50 + static_cast<quint32>(model))));
    QVERIFY(source.connectAndLoad());
    QVERIFY(!source.logLines().contains(
        QStringLiteral("Formularz nie pokazuje dokładnie nastaw odczytanych z urządzenia")));
    QVERIFY(source.window().settingsMenu().saveFile(path));
    QString error;
    const SettingsFile saved = SettingsFile::open(path, &error);
    QCOMPARE(error, QString());
    QCOMPARE(saved.frames.toHex(' '),
             source.window().shownDevicePage()->configuration().toHex(' '));
    if (info.answersRead()) {
        QCOMPARE(payloadOf(saved.frames).toHex(' '), source.device().storedPayload().toHex(' '));
        // The read is kept among the backups, on the backups' own thread.
        const auto kept = source.window().settingsMenu().backups().written().entries();
        const auto newest =
            std::find_if(kept.begin(), kept.end(), [&](const BackupStore::Entry &entry) {
                return entry.model == info.nameText();
            });
        QVERIFY(newest != kept.end());
        QCOMPARE(SettingsFile::open(newest->path, &error).frames.toHex(' '),
                 saved.frames.toHex(' '));
    }

    SimulatedConnection target(info.identity);
    QVERIFY(target.connectAndLoad());
    const int framesBeforeOpening = target.device().receivedFrames().size();
    QVERIFY(target.window().settingsMenu().openFile(path));
    QCOMPARE(target.window().shownDevicePage()->configuration().toHex(' '),
             saved.frames.toHex(' '));
    QCOMPARE(target.device().receivedFrames().size(), framesBeforeOpening);

    pressWrite(target.window(), model);
    QTRY_COMPARE_WITH_TIMEOUT(target.device().storedPayload().toHex(' '),
                              payloadOf(saved.frames).toHex(' '), TimeoutMs);
    if (info.answersRead())
        QVERIFY(target.waitForLogLine(QStringLiteral("Zapis potwierdzony odczytem")));
    QTRY_VERIFY(!target.window().shownHasChanges());
}

void tst_settingsfiles::refusedFileLeavesTheFormAsItWas_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QByteArray changed =
        SettingDescription::of(ModelInfo::Id::Kzr)->normalised(Frame::configFrame());
    changed[3] = static_cast<char>(changed[3] ^ 0x01);
    const QByteArray whole =
        SettingsFile::of(ModelInfo::of(ModelInfo::Id::Kzr), changed, {}).toJson();
    QTest::newRow("truncated") << whole.left(whole.size() - 20) << "JSON";
    // One byte too long: a length check that refused only short frames would take it.
    QTest::newRow("frame of 15 bytes")
        << QByteArray(whole).replace(changed.toHex().toUpper(), changed.toHex().toUpper() + "00")
        << "15 B";
    QTest::newRow("another model")
        << SettingsFile::of(
               ModelInfo::of(ModelInfo::Id::Ga),
               SettingDescription::of(ModelInfo::Id::Ga)->normalised(Frame::configFrame()), {})
               .toJson()
        << "modelu GA-1, a otwarta strona dotyczy modelu KZR-1";
}

void tst_settingsfiles::refusedFileLeavesTheFormAsItWas()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    SimulatedConnection connection("01");
    connection.device().setStoredPayload(payloadOf(drawnConfiguration(ModelInfo::Id::Kzr, 9)));
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    kzrBox(window, "inw_pk1")->click();
    const QByteArray before = window.shownDevicePage()->configuration();

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bad.orva.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    ModalDialogCloser closer;
    QVERIFY(!window.settingsMenu().openFile(path));
    QVERIFY2(closer.closedText().contains(reason), qPrintable(closer.closedText()));
    QCOMPARE(window.shownDevicePage()->configuration().toHex(' '), before.toHex(' '));
    QVERIFY(window.shownHasChanges());
}

void tst_settingsfiles::compareWithDeviceTakesItsValues()
{
    SimulatedConnection connection("01");
    connection.device().setStoredPayload(payloadOf(drawnConfiguration(ModelInfo::Id::Kzr, 33)));
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    const QByteArray device = window.shownDevicePage()->configuration();
    kzrBox(window, "inw_we1")->click();
    QVERIFY(window.shownDevicePage()->configuration() != device);

    QVERIFY(window.requestDeviceComparison());
    CompareDialog *dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = window.findChild<CompareDialog *>()), TimeoutMs);
    const int differing = dialog->shownRows();
    dialog->findChild<QCheckBox *>(QStringLiteral("pokazWszystkie"))->setChecked(true);
    const int all = dialog->shownRows();
    dialog->findChild<QAbstractButton *>(QStringLiteral("przejmijWszystkie"))->click();
    QCOMPARE(differing, 1);
    QCOMPARE(all, SettingDescription::of(ModelInfo::Id::Kzr)->fields().size());
    QCOMPARE(window.shownDevicePage()->configuration().toHex(' '), device.toHex(' '));
    QVERIFY(!window.shownHasChanges());
}

void tst_settingsfiles::readBackDifferentFromTheWriteIsReported_data()
{
    QTest::addColumn<ModelInfo::Id>("model");
    QTest::addColumn<PayloadChange>("kept");
    QTest::addColumn<QString>("line");
    // The relay acknowledges the write but keeps one setting as it was.
    const SettingDescription::Field &field =
        SettingDescription::of(ModelInfo::Id::Ga)->fields().first();
    int byte = 2;
    while (field.mask[byte] == '\0')
        ++byte;
    QTest::newRow("setting kept") << ModelInfo::Id::Ga << PayloadChange([=](QByteArray &payload) {
        payload[byte - 2] = static_cast<char>(payload[byte - 2] ^ field.mask[byte]);
    }) << QStringLiteral("%1 / %2: wysłano ").arg(field.group, field.setting);
    // The relay's memory returns 0xFF (erased) where the blocked LED's red, 0xEF, was written.
    QTest::newRow("code the form cannot show")
        << ModelInfo::Id::Kzr << PayloadChange([](QByteArray &payload) {
               payload[KzrConfig::Layout::BlockedColourByte - 2] = '\xff';
           })
        << QStringLiteral("Konfiguracja kolorów / Blokada: wysłano CZERWONY (EF), odczytano "
                          "nieznany kod FF (FF)");
}

void tst_settingsfiles::readBackDifferentFromTheWriteIsReported()
{
    QFETCH(ModelInfo::Id, model);
    QFETCH(PayloadChange, kept);
    QFETCH(QString, line);
    SimulatedConnection connection(ModelInfo::of(model).identity);
    QVERIFY(connection.connectAndLoad());
    SimulatedDevice &device = connection.device();
    QObject::connect(&device, &SimulatedDevice::frameReceived, [&](const QByteArray &frame) {
        if (frame.startsWith(Frame::configFrame().left(2))) {
            QByteArray payload = device.storedPayload();
            kept(payload);
            device.setStoredPayload(payload);
        }
    });
    pressWrite(connection.window(), model);
    QVERIFY(connection.waitForLogLine(
        QStringLiteral("Odczyt po zapisie różni się od wysłanej konfiguracji")));
    QTRY_VERIFY_WITH_TIMEOUT(connection.logLines().last().startsWith(line), TimeoutMs);
    QVERIFY(!connection.logLines().contains(QStringLiteral("Zapis potwierdzony odczytem")));
}

// A relay holding zeros: the unlock time and both delays are below what the form can show.
void tst_settingsfiles::readingWhatTheFormCannotShowIsSaid()
{
    SimulatedConnection connection("01");
    connection.device().setStoredPayload(QByteArray(Frame::Size - 2, '\0'));
    QVERIFY(connection.connectAndLoad());
    QVERIFY(connection.waitForLogLine(
        QStringLiteral("Formularz nie pokazuje dokładnie nastaw odczytanych z urządzenia")));
    QVERIFY(connection.waitForLogLine(
        QStringLiteral("Konfiguracja zadziałania odblokowania / Czas odblokowania [s]: urządzenie "
                       "0 (00), formularz 1 (01)")));
}

void tst_settingsfiles::unsolicitedAcknowledgementStartsNoCheck()
{
    SimulatedConnection connection("03");
    QVERIFY(connection.connectAndLoad());
    QSignalSpy sent(&connection.window().link(), &DeviceLink::frameSent);
    const int linesBefore = connection.logLines().size();
    emit connection.device().transmit(QByteArray("OK").leftJustified(Frame::Size, '\0'));
    QTRY_COMPARE_WITH_TIMEOUT(connection.logLines().size(), linesBefore + 1, TimeoutMs);
    QCOMPARE(connection.logLines().last(), QStringLiteral("Konfiguracja odebrana"));
    QCOMPARE(sent.count(), 0);
}

// The good file stays, the engineer is told why, and the form still counts its changes.
void tst_settingsfiles::saveOntoAFullDiskKeepsTheMarks()
{
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.skipReason()));
    SimulatedConnection connection("07");
    QVERIFY(connection.connectAndLoad());
    ORVA2 &window = connection.window();
    const QString target = disk.filePath(QStringLiteral("stacja.orva.json"));
    QVERIFY(window.settingsMenu().saveFile(target));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray good = saved.readAll();
    saved.close();
    window.shownDevicePage()->decodeConfig(
        SettingDescription::of(ModelInfo::Id::Wrn2)->normalised(QByteArray()));
    QVERIFY(window.isWindowModified());
    QVERIFY(disk.fill());

    ModalDialogCloser closer;
    QVERIFY(!window.settingsMenu().saveFile(target));
    QVERIFY2(
        closer.closedText().contains(QStringLiteral("„stacja.orva.json”: brak miejsca na dysku")),
        qPrintable(closer.closedText()));
    QVERIFY(window.isWindowModified());
    // Only the first save, before the disk filled up, says it saved.
    QCOMPARE(
        connection.logLines().count(QStringLiteral("Zapisano nastawy do pliku stacja.orva.json")),
        1);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), good);
}

QTEST_MAIN(tst_settingsfiles)
#include "tst_settingsfiles.moc"
