#include "codecs/kzrconfig.h"
#include "settings/settingdescription.h"
#include "settings/settingscomparison.h"
#include "tests/support/describedmodels.h"

#include <QSet>
#include <QtTest>

// A description that misses a bit loses that setting in every backup, compare and report; a
// setting whose text ignores part of its bits hides a difference from the engineer.
class tst_settingdescriptions : public QObject
{
    Q_OBJECT

private slots:
    void everySettingIsNamedOnce_data() { addDescribedModelRows(); }
    void everySettingIsNamedOnce();
    void settingsTellConfigurationsApart_data() { addDescribedModelRows(); }
    void settingsTellConfigurationsApart();
    void takingSettingsCopiesTheirValues_data() { addDescribedModelRows(); }
    void takingSettingsCopiesTheirValues();
    void onlyIgnoredBitsGoUncompared_data() { addDescribedModelRows(); }
    void onlyIgnoredBitsGoUncompared();
    void aByteTheFormCannotShowDiffers_data();
    void aByteTheFormCannotShowDiffers();
};

namespace {

constexpr int Draws = 400;

// The drawn configurations of a model, as the program would write them.
struct Drawn
{
    const SettingDescription *description;
    QVector<QByteArray> frames;
};

Drawn draw(ModelInfo::Id id, quint32 seed)
{
    Drawn drawn{SettingDescription::of(id), {}};
    const CodecDomain *domain = codecDomainOf(ModelInfo::of(id));
    QRandomGenerator random(seed);
    for (int i = 0; domain && i < Draws; ++i)
        drawn.frames.append(drawnConfiguration(ModelInfo::of(id), random));
    return drawn;
}

QString describe(const SettingDescription::Field &field)
{
    return field.group + QStringLiteral(" / ") + field.setting;
}

} // namespace

void tst_settingdescriptions::everySettingIsNamedOnce()
{
    QFETCH(ModelInfo::Id, model);
    const SettingDescription *description = SettingDescription::of(model);
    QVERIFY(!description->fields().isEmpty());
    QSet<QString> seen;
    for (const SettingDescription::Field &field : description->fields()) {
        QVERIFY2(!field.group.isEmpty() && !field.setting.isEmpty(), qPrintable(describe(field)));
        QVERIFY2(!seen.contains(describe(field)), qPrintable(describe(field)));
        seen.insert(describe(field));
        QCOMPARE(field.mask.size(), description->frameBytes());
        QVERIFY2(field.mask.count('\0') < field.mask.size(), qPrintable(describe(field)));
    }
}

// Two configurations that read alike setting by setting must be the same bytes, or a
// compare would call different relays equal and a backup would drop what tells them apart.
void tst_settingdescriptions::settingsTellConfigurationsApart()
{
    QFETCH(ModelInfo::Id, model);
    const Drawn drawn = draw(model, 0x5E77u + static_cast<quint32>(model));
    QVERIFY2(!drawn.frames.isEmpty(), "no configurations are drawn for this model");
    // A saved file is read back through the same decoder as a device reply.
    for (const QByteArray &frames : drawn.frames)
        QCOMPARE(drawn.description->normalised(frames).toHex(' '), frames.toHex(' '));
    for (int i = 1; i < drawn.frames.size(); ++i) {
        const QByteArray &a = drawn.frames[i - 1];
        const QByteArray &b = drawn.frames[i];
        const bool sameBytes = a == b;
        const bool sameRows = drawn.description->differences(a, b).isEmpty();
        QVERIFY2(sameBytes == sameRows,
                 qPrintable(a.toHex(' ') + " / " + b.toHex(' ') + " read alike"));
        // Counting differences by bits names the settings whose shown values differ.
        QVector<int> shownDifferently;
        for (const SettingsComparison::Entry &entry :
             SettingsComparison(*drawn.description, a, b).differences())
            shownDifferently << entry.field;
        QCOMPARE(drawn.description->differences(a, b), shownDifferently);
    }
}

// Taking a setting from the other side copies exactly what that setting shows, and taking
// every setting gives the other side's configuration byte for byte.
void tst_settingdescriptions::takingSettingsCopiesTheirValues()
{
    QFETCH(ModelInfo::Id, model);
    const Drawn drawn = draw(model, 0x7A4Eu + static_cast<quint32>(model));
    const SettingDescription &description = *drawn.description;
    QVector<int> all;
    for (int i = 0; i < description.fields().size(); ++i)
        all.append(i);
    for (int i = 1; i < drawn.frames.size(); ++i) {
        const QByteArray &into = drawn.frames[i - 1];
        const QByteArray &from = drawn.frames[i];
        QCOMPARE(description.normalised(description.taken(into, from, all)).toHex(' '),
                 from.toHex(' '));
        const int field = i % description.fields().size();
        const QByteArray one = description.taken(into, from, {field});
        QCOMPARE(description.rows(one).at(field).value, description.rows(from).at(field).value);
    }
}

// Every bit of every frame but its header is compared, except those the model documents as
// ignored; and every compared bit belongs to a setting, so a difference is always named.
void tst_settingdescriptions::onlyIgnoredBitsGoUncompared()
{
    QFETCH(ModelInfo::Id, model);
    const SettingDescription &description = *SettingDescription::of(model);
    const CodecDomain *domain = codecDomainOf(ModelInfo::of(model));
    QVERIFY(domain);
    QByteArray named(description.frameBytes(), '\0');
    for (const SettingDescription::Field &field : description.fields()) {
        for (int i = 0; i < named.size(); ++i)
            named[i] = static_cast<char>(named[i] | field.mask[i]);
    }
    const QByteArray frames = drawnConfiguration(model, 0xB17u + static_cast<quint32>(model));
    for (int byte = 0; byte < description.frameBytes(); ++byte) {
        if (byte % Frame::Size < 2)
            continue;
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray flipped = frames;
            flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
            const bool compared = description.held(flipped) != description.held(frames);
            const bool significant = (domain->significantBits[byte] >> bit) & 1;
            const QByteArray where =
                "byte " + QByteArray::number(byte) + ", bit " + QByteArray::number(bit);
            QVERIFY2(compared == significant, where.constData());
            QVERIFY2(!compared || ((named[byte] >> bit) & 1), where.constData());
        }
    }
}

void tst_settingdescriptions::aByteTheFormCannotShowDiffers_data()
{
    QTest::addColumn<quint8>("ours");
    QTest::addColumn<quint8>("theirs");
    QTest::addColumn<QString>("line");
    QTest::newRow("erased against red")
        << quint8(0xff) << quint8(0xef) << "urządzenie nieznany kod FF (FF), plik CZERWONY (EF)";
    QTest::newRow("two unknown codes")
        << quint8(0xff) << quint8(0x00)
        << "urządzenie nieznany kod FF (FF), plik nieznany kod 00 (00)";
}

// The form would show its own choice for a code it has no name for; the bytes tell.
void tst_settingdescriptions::aByteTheFormCannotShowDiffers()
{
    QFETCH(quint8, ours);
    QFETCH(quint8, theirs);
    QFETCH(QString, line);
    const SettingDescription &kzr = *SettingDescription::of(ModelInfo::Id::Kzr);
    QByteArray device = KzrConfig::kzrDefaults().encode();
    QByteArray file = device;
    device[KzrConfig::Layout::BlockedColourByte] = static_cast<char>(ours);
    file[KzrConfig::Layout::BlockedColourByte] = static_cast<char>(theirs);
    const QVector<SettingsComparison::Entry> differing =
        SettingsComparison(kzr, device, file).differences();
    QCOMPARE(differing.size(), 1);
    QCOMPARE(differing.first().line(QStringLiteral("urządzenie"), QStringLiteral("plik")),
             QStringLiteral("Konfiguracja kolorów / Blokada: ") + line);
    QVERIFY(kzr.held(device) != kzr.held(file));
}

QTEST_GUILESS_MAIN(tst_settingdescriptions)
#include "tst_settingdescriptions.moc"
