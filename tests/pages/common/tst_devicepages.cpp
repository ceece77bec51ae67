#include "app/modelpages.h"
#include "codecs/dravconfig.h"
#include "codecs/gaconfig.h"
#include "codecs/wrn1config.h"
#include "codecs/zegarconfig.h"
#include "protocol/frames.h"
#include "tests/codecs/untouchedwriteback.h"
#include "tests/pages/common/pageform.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

#include <memory>

// What every device page shares, one data row per model: its buttons, manual, version label,
// a configuration written and read back through a simulated relay, the untouched round trip
// and short replies.
namespace {

using Id = ModelInfo::Id;

// The documented face of a page: each button as "name=signal it emits" ("name=" for none),
// whether leaving hides the page, and the manual its button opens.
struct Face
{
    Id id;
    bool leavingHides;
    const char *manualButton;
    const char *manual;
    const char *buttons;
};

const QList<Face> &faces()
{
    static const QList<Face> rows = {
        {Id::Kzr, true, "DTR", "https://www.orvatech.pl/wp-content/uploads/2021/07/DTR_KZR-1.pdf",
         "Zapisz=WyslijDaneKZR DZ=PobierzDaneZKZR PrzyciskOdblok=OdblokujZProgramu "
         "WidokUrzadzenia=WidokZalaczonyKZR DomyslneKZR_TLMX= rozlacz=PowrotPoczatek"},
        {Id::Ga, true, "DTRGA", "https://www.orvatech.pl/wp-content/uploads/2021/07/DTR_GA-1.pdf",
         "ZapiszGA=WyslijDaneGA DZGA=PobierzDaneZGA pLEDGA=ProbaLEDGA KASOWANIE= Domyslne= "
         "rozlaczGA=PowrotPoczatekGA"},
        {Id::Wrn1, true, "DTRWRN",
         "https://www.orvatech.pl/wp-content/uploads/2024/06/DTR_WRN-1.pdf",
         "ZapiszWRN=WyslijDaneWRN DZWRN=PobierzDaneZWRN pLED=ProbaLED KASOWANIE=KasowanieLEDWRN "
         "DomyslneWRN= rozlaczWRN=PowrotPoczatekWRN"},
        {Id::Drav, false, "DTRDRAV",
         "https://www.orvatech.pl/wp-content/uploads/2024/06/DTR_DRAV-1.pdf",
         "ZapiszDRAV=WyslijDaneDRAV DZDRAV=PobierzDaneZDRAV pLED=ProbaLED KASOWANIE= "
         "DomyslneDRAV= rozlaczDRAV=PowrotPoczatekDRAV"},
        // The time relay is written only: reading, the LED test and the manual do nothing.
        {Id::Hel, false, "DTRHEL", nullptr,
         "ZapiszHEL=WyslijDaneHEL DZHEL= pLED= KASOWANIE= DomyslneHEL= "
         "rozlaczHEL=PowrotPoczatekHEL"},
        {Id::Wrn2, true, "DTRWRN2", nullptr,
         "ZapiszWRN2=WyslijDaneWRN2 DZWRN2=PobierzDaneZWRN2 pLED=ProbaLEDWRN2 "
         "KASOWANIE=KasowanieLEDWRN2 DomyslneWRN2= rozlaczWRN2=PowrotPoczatekWRN2"},
        {Id::Gami, true, "DTRGAMI",
         "https://www.orvatech.pl/wp-content/uploads/2021/07/DTR_GA-1_MI.pdf",
         "ZapiszGAMI=WyslijDaneGAMI DZGAMI=PobierzDaneZGAMI pLEDGAMI=ProbaLEDGAMI KASOWANIE= "
         "DomyslneGAMI= rozlaczGAMI=PowrotPoczatekGAMI"},
        {Id::Zegar, false, "DTRZEGAR",
         "https://www.orvatech.pl/wp-content/uploads/2024/06/DTR_ZEGAR-1.pdf",
         "ZapiszZEGAR=WyslijDaneZEGAR DZZEGAR=PobierzDaneZZEGAR pLED=ProbaLEDZEGAR KASOWANIE= "
         "DomyslneZEGAR= WidokUrzadzeniaZEGAR= rozlaczZEGAR=PowrotPoczatekZEGAR"},
        {Id::Nov, true, "DTRNOV", nullptr,
         "ZapiszNOV=WyslijDaneNOV DZNOV=PobierzDaneZNOV pLED=ProbaLEDNOV KASOWANIE= "
         "DomyslneNOV= WidokUrzadzeniaNOV= rozlaczNOV=PowrotPoczatekNOV"},
        {Id::Brt, true, "DTRBRT",
         "https://www.orvatech.pl/wp-content/uploads/2021/07/DTR_BRT-1.pdf",
         "ZapiszBRT=WyslijDaneBRT DZBRT=PobierzDaneZBRT pLEDBRT=ProbaLEDBRT KASOWANIEBRT= "
         "DomyslneBRT= WidokUrzadzeniaBRT= rozlaczBRT=PowrotPoczatekBRT"},
        // The tester's form has no buttons of its own, no manual and no version label.
        {Id::Tester, false, nullptr, nullptr, ""},
    };
    return rows;
}

// TLMX-1 is served by the KZR-1 page.
const Face &faceOf(Id id)
{
    const Id pageId = id == Id::Tlmx ? Id::Kzr : id;
    for (const Face &face : faces()) {
        if (face.id == pageId)
            return face;
    }
    qFatal("no face for model %d", int(id));
}

// The button of the face whose name, or else whose signal, starts with the given text.
QString buttonFor(const Face &face, const char *start)
{
    for (int part : {0, 1}) {
        for (const QString &pair : QString::fromLatin1(face.buttons).split(QLatin1Char(' '))) {
            if (pair.section(QLatin1Char('='), part, part).startsWith(QLatin1String(start)))
                return pair.section(QLatin1Char('='), 0, 0);
        }
    }
    return QString();
}

// The engineer goes over the form: every enabled box may be clicked, every spin box set to a
// step of its range and every list to one of its items, each change running the interlocks.
void scramble(QWidget &page, QRandomGenerator &random)
{
    for (QCheckBox *box : page.findChildren<QCheckBox *>()) {
        if (box->isEnabled() && random.bounded(2))
            box->click();
    }
    for (QSpinBox *spin : page.findChildren<QSpinBox *>()) {
        const int steps = (spin->maximum() - spin->minimum()) / spin->singleStep();
        if (spin->isEnabled())
            spin->setValue(spin->minimum() + spin->singleStep() * random.bounded(steps + 1));
    }
    for (QDoubleSpinBox *spin : page.findChildren<QDoubleSpinBox *>()) {
        const int steps = qRound((spin->maximum() - spin->minimum()) / spin->singleStep());
        if (spin->isEnabled())
            spin->setValue(spin->minimum() + spin->singleStep() * random.bounded(steps + 1));
    }
    for (QComboBox *combo : page.findChildren<QComboBox *>()) {
        if (combo->isEnabled() && combo->count() > 0)
            combo->setCurrentIndex(random.bounded(combo->count()));
    }
}

// The page's own signals by name, each with a spy.
QList<QPair<QString, std::shared_ptr<QSignalSpy>>> spyOnSignals(DevicePage &page)
{
    QList<QPair<QString, std::shared_ptr<QSignalSpy>>> spies;
    const QMetaObject *meta = page.metaObject();
    for (int i = DevicePage::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal)
            spies << qMakePair(QString::fromLatin1(method.name()),
                               std::make_shared<QSignalSpy>(
                                   &page, QByteArray("2" + method.methodSignature()).constData()));
    }
    return spies;
}

} // namespace

class tst_DevicePages : public QObject
{
    Q_OBJECT

private slots:
    void buttonsEmitTheirSignal_data();
    void buttonsEmitTheirSignal();
    void manualAndVersion_data();
    void manualAndVersion();
    void defaultsReplaceAnyForm_data();
    void defaultsReplaceAnyForm();
    void repliesReadThroughThePage_data();
    void repliesReadThroughThePage();
    void writeThenReadThroughDevice_data();
    void writeThenReadThroughDevice();
};

void tst_DevicePages::buttonsEmitTheirSignal_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("signal");
    for (const Face &face : faces()) {
        if (!*face.buttons)
            continue;
        for (const QString &pair : QString::fromLatin1(face.buttons).split(QLatin1Char(' '))) {
            const QString button = pair.section(QLatin1Char('='), 0, 0);
            QTest::addRow("%s %s", ModelInfo::of(face.id).name, qPrintable(button))
                << int(face.id) << button << pair.section(QLatin1Char('='), 1);
        }
    }
}

// Each button emits its one signal, one the window listens to, and leaves the form as it was;
// only leaving may hide the page.
void tst_DevicePages::buttonsEmitTheirSignal()
{
    QFETCH(int, model);
    QFETCH(QString, button);
    QFETCH(QString, signal);
    const Face &face = faceOf(Id(model));
    const ModelPage &row = ModelPage::of(face.id);
    auto page = makePage(face.id);
    page->show();
    // Unlocking needs a view the relay has just answered.
    if (auto *kzr = qobject_cast<KZR *>(page.get()))
        kzr->decodeView(QByteArray(Frame::Reply::KzrView) + QByteArray(12, '\0'));
    const auto spies = spyOnSignals(*page);
    const QByteArray before = encodePage(*page);

    widget<QAbstractButton>(*page, button)->click();

    QStringList emitted;
    for (const auto &spy : spies) {
        for (int i = 0; i < spy.second->count(); ++i)
            emitted << spy.first;
    }
    QCOMPARE(emitted, signal.isEmpty() ? QStringList() : QStringList{signal});
    const bool leaving = QByteArray(row.backSignal).mid(1).startsWith(signal.toLatin1() + "(");
    if (!signal.isEmpty() && !leaving) {
        bool wired = false;
        for (const ModelPage::Wire &wire : row.deviceWires)
            wired |= QByteArray(wire.signal).mid(1).startsWith(signal.toLatin1() + "(");
        QVERIFY2(wired, "the window does not listen to this signal");
    }
    QCOMPARE(page->isVisible(), !(leaving && face.leavingHides));
    if (!button.startsWith(QLatin1String("Domyslne")))
        QCOMPARE(encodePage(*page).toHex(' '), before.toHex(' '));
}

void tst_DevicePages::manualAndVersion_data()
{
    QTest::addColumn<int>("model");
    for (const Face &face : faces())
        QTest::newRow(ModelInfo::of(face.id).name) << int(face.id);
}

// The manual button opens the model's manual and nothing else. The version comes from the
// device: markup in it must show as typed, not be interpreted.
void tst_DevicePages::manualAndVersion()
{
    QFETCH(int, model);
    const Face &face = faceOf(Id(model));
    auto page = makePage(face.id);
    UrlRecorder recorder;
    if (face.manualButton)
        widget<QAbstractButton>(*page, face.manualButton)->click();
    QCOMPARE(recorder.urls, face.manual ? QList<QUrl>{QUrl(face.manual)} : QList<QUrl>());

    const QString version = QStringLiteral("<b>v03</b>&amp;");
    page->setVersionText(version);
    QList<QLabel *> showing;
    for (QLabel *label : page->findChildren<QLabel *>()) {
        if (label->text() == version)
            showing << label;
    }
    QCOMPARE(showing.size(), face.id == Id::Tester ? 0 : 1);
    for (QLabel *label : showing)
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void tst_DevicePages::defaultsReplaceAnyForm_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("frames");
    QTest::addColumn<QStringList>("disabled");

    const QStringList gaDisabled = {"PK1BrakKasowania", "PK1ImpulsT", "PK1Impulsowy",
                                    "PK1Trwale",        "PK2DoSkasowania", "PK2ImpulsT",
                                    "PK2Impulsowy",     "PK2Trwale",  "PobOpcjaA",
                                    "PobOpcjaC",        "PobOpcjaD",  "PobOpcjaE"};
    QTest::newRow("GA-1") << int(Id::Ga) << GaConfig::defaults().encode() << gaDisabled;
    QTest::newRow("GA-1 MI") << int(Id::Gami) << GaConfig::defaults().encode() << gaDisabled;
    // Relay 1 latches, so its pulse operation and time are locked.
    QTest::newRow("WRN-1") << int(Id::Wrn1) << Wrn1Config::defaults().encode()
                           << QStringList{"PK1DzialanieImpulsowe", "PK1tImpulsu"};
    QTest::newRow("DRAV-1") << int(Id::Drav) << DravConfig::defaults().encode() << QStringList();
    QTest::newRow("ZEGAR-1") << int(Id::Zegar) << ZegarConfig::defaults().encode()
                             << QStringList();
}

// Whatever the form held, the defaults button gives the factory frames and the enabled states
// that go with them, as they would be after reading those frames.
void tst_DevicePages::defaultsReplaceAnyForm()
{
    QFETCH(int, model);
    QFETCH(QByteArray, frames);
    QFETCH(QStringList, disabled);
    const Face &face = faceOf(Id(model));
    auto page = makePage(face.id);
    QRandomGenerator random(quint32(model) + 1);
    for (int round = 0; round < 3; ++round)
        scramble(*page, random);

    widget<QAbstractButton>(*page, buttonFor(face, "Domyslne"))->click();

    QCOMPARE(encodePage(*page).toHex(' '), frames.toHex(' '));
    QStringList shownDisabled;
    for (const QString &line : formState(*page)) {
        // The view buttons of models without a view are never enabled.
        if (line.endsWith(QLatin1String("disabled")) && !line.startsWith(QLatin1String("Widok")))
            shownDisabled << line.section(QLatin1Char(':'), 0, 0);
    }
    QCOMPARE(shownDisabled, disabled);
}

void tst_DevicePages::repliesReadThroughThePage_data()
{
    QTest::addColumn<int>("domain");
    for (int i = 0; i < codecDomains().size(); ++i)
        QTest::newRow(qPrintable(codecDomains().at(i).model + " " + codecDomains().at(i).rangeVariant))
            << i;
}

// Reading a device and writing it back untouched gives it back every setting it reported,
// whatever the form held before. A reply cut short reads as if its missing bytes were zeros;
// WRN-2's second frame is the exception: without all of it, channel 3 and the matrix keep
// what the form had.
void tst_DevicePages::repliesReadThroughThePage()
{
    QFETCH(int, domain);
    const CodecDomain &codec = codecDomains().at(domain);
    const ModelInfo &model = *ModelInfo::byIdentity(codec.identity);
    auto page = makePage(model.id);
    if (auto *gaPage = qobject_cast<GaPage *>(page.get()))
        gaPage->setRangeVariant(codec.rangeVariant);
    const auto readAndWrite = [&page](const QByteArray &reply) {
        page->decodeConfig(reply);
        return encodePage(*page);
    };
    const QString lost = firstLostSetting(codec, readAndWrite, 300, 0x4445);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));

    QRandomGenerator random(0x5a);
    for (int round = 0; round < 20; ++round) {
        const QByteArray before = codec.randomReply(random);
        const QByteArray reply = codec.randomReply(random);
        const QByteArray held = readAndWrite(before);
        const int size = model.configReplySize();
        const int length = 2 + random.bounded(size - 2);
        QByteArray expected = readAndWrite(reply.left(length) + QByteArray(size - length, '\0'));
        if (model.configFrames == 2)
            expected.replace(Frame::Size, Frame::Size, held.mid(Frame::Size));
        readAndWrite(before);
        QCOMPARE(readAndWrite(reply.left(length)).toHex(' '), expected.toHex(' '));
    }
}

void tst_DevicePages::writeThenReadThroughDevice_data()
{
    QTest::addColumn<int>("model");
    for (const ModelInfo &model : ModelInfo::all()) {
        if (model.id != Id::Tester)
            QTest::newRow(model.name) << int(model.id);
    }
}

// The engineer sets the form and sends it; the relay stores exactly the page's frames, and a
// read after the form was changed again brings every setting back.
void tst_DevicePages::writeThenReadThroughDevice()
{
    QFETCH(int, model);
    const ModelInfo &info = ModelInfo::of(Id(model));
    const Face &face = faceOf(info.id);
    SimulatedConnection connection(info.identity);
    QVERIFY(connection.connectAndLoad());
    const auto *stack = connection.window().findChild<QStackedWidget *>("stackedWidget");
    auto *shown = qobject_cast<DevicePage *>(stack->currentWidget());
    QVERIFY2(shown && shown->metaObject() == makePage(info.id)->metaObject(), "another page shown");
    DevicePage &page = *shown;
    QVERIFY(connection.logLines().contains(QString::fromUtf8(info.identifiedLine)));

    QRandomGenerator random(quint32(model) + 7);
    scramble(page, random);
    const QByteArray written = encodePage(page);
    connection.device().clearReceivedFrames();
    widget<QAbstractButton>(page, buttonFor(face, "WyslijDane"))->click();
    QVERIFY(connection.waitForFrames(info.configFrames));
    QCOMPARE(connection.device().receivedFrames().join().toHex(' '), written.toHex(' '));
    if (!info.answersRead())
        return;
    // A read sent before the acknowledgement is in would share its burst and be lost.
    QTRY_COMPARE(connection.logLines().count(QStringLiteral("Konfiguracja odebrana")),
                 info.configFrames);

    scramble(page, random);
    QVERIFY(encodePage(page) != written);
    widget<QAbstractButton>(page, buttonFor(face, "PobierzDane"))->click();
    QTRY_COMPARE(encodePage(page).toHex(' '), written.toHex(' '));
}

QTEST_MAIN(tst_DevicePages)
#include "tst_devicepages.moc"
