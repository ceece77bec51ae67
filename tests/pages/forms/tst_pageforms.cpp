#include "tests/pages/common/pageform.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "pages/common/changemarks.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

// What each form shows after replies and the engineer's changes: the order in which a reply's
// fields are applied and the interlocks they run decide which boxes end checked and enabled.
namespace {

using Id = ModelInfo::Id;

void verifyShows(DevicePage &page, const QString &expected);

// A step: "#hex" decodes a reply with that payload under the model's reply header (frames
// apart by '|', all but the last filled to a whole frame); "&" reads back what the page would
// send; "name=value" sets a widget as a program would; "name" clicks it as the engineer does,
// so a disabled box stays as it is; "name<text" types into a spin box and "name^" steps it
// up; "?line" checks the form midway; "@v" sets the GA range variant, "!code" the KZR model;
// "." makes the form as it is the one changes are counted from.
void apply(DevicePage &page, Id model, const QString &step)
{
    if (step == QLatin1String("."))
        return page.markUnchanged();
    if (step == QLatin1String("&")) {
        QByteArray reply = encodePage(page);
        for (int at = 0; at < reply.size(); at += Frame::Size)
            reply.replace(at, 2, ModelInfo::of(model).configHeader);
        return page.decodeConfig(reply);
    }
    if (step.startsWith(QLatin1Char('?')))
        return verifyShows(page, step.mid(1));
    if (step.contains(QLatin1Char('<')) || step.endsWith(QLatin1Char('^'))) {
        page.show();
        auto *spin = widget<QSpinBox>(page, step.section(QLatin1Char('<'), 0, 0).remove('^'));
        if (step.endsWith(QLatin1Char('^')))
            return QTest::keyClick(spin, Qt::Key_Up);
        return typeInto(spin, step.section(QLatin1Char('<'), 1));
    }
    if (step.startsWith(QLatin1Char('#'))) {
        const QStringList frames = step.mid(1).split(QLatin1Char('|'));
        QByteArray block;
        for (const QString &frame : frames) {
            QByteArray payload = QByteArray::fromHex(frame.toLatin1());
            if (&frame != &frames.last())
                payload.append(Frame::Size - 2 - payload.size(), '\0');
            block += ModelInfo::of(model).configHeader + payload;
        }
        page.decodeConfig(block);
    } else if (step.startsWith(QLatin1Char('@'))) {
        qobject_cast<GaPage *>(&page)->setRangeVariant(step.mid(1));
    } else if (step.startsWith(QLatin1Char('!'))) {
        qobject_cast<KZR *>(&page)->setModelBanner(step.mid(1));
    } else if (step.contains(QLatin1Char('='))) {
        QWidget *shown = widget<QWidget>(page, step.section(QLatin1Char('='), 0, 0));
        const QString value = step.section(QLatin1Char('='), 1);
        if (auto *box = qobject_cast<QAbstractButton *>(shown))
            box->setChecked(value == QLatin1String("1"));
        else if (auto *spin = qobject_cast<QSpinBox *>(shown))
            spin->setValue(value.toInt());
        else if (auto *delay = qobject_cast<QDoubleSpinBox *>(shown))
            delay->setValue(value.toDouble());
        else
            widget<QComboBox>(page, shown->objectName())->setCurrentIndex(value.toInt());
    } else {
        widget<QAbstractButton>(page, step)->click();
    }
}

// "name: value, state": a box is checked or unchecked, a spin box shows its number, a list its
// text or index, a preview its page; "*" is any value, and the state may be left out. "ticked:
// a b" names every ticked box, "marked: a b" every changed input, "frames: hex" what is sent.
void verifyShows(DevicePage &page, const QString &expected)
{
    if (expected.startsWith(QLatin1String("marked:"))) {
        QStringList names;
        for (const QWidget *input : page.changeMarks().changedInputs())
            names << input->objectName();
        QCOMPARE(names.join(QLatin1Char(' ')), expected.mid(7).trimmed());
        return;
    }
    if (expected.startsWith(QLatin1String("ticked:"))) {
        QCOMPARE(checkedBoxes(page).join(QLatin1Char(' ')), expected.mid(7).trimmed());
        return;
    }
    if (expected.startsWith(QLatin1String("frames:"))) {
        QCOMPARE(QString::fromLatin1(encodePage(page).toHex(' ')), expected.mid(7).trimmed());
        return;
    }
    const QString value =
        expected.section(QLatin1String(": "), 1).section(QLatin1String(", "), 0, 0);
    const QString state = expected.section(QLatin1String(", "), 1);
    QWidget *shown = widget<QWidget>(page, expected.section(QLatin1Char(':'), 0, 0));
    QStringList values;
    if (auto *box = qobject_cast<QAbstractButton *>(shown))
        values << QLatin1String(box->isChecked() ? "checked" : "unchecked");
    else if (auto *spin = qobject_cast<QSpinBox *>(shown))
        values << QString::number(spin->value()) << spin->text();
    else if (auto *delay = qobject_cast<QDoubleSpinBox *>(shown))
        values << QString::number(delay->value());
    else if (auto *combo = qobject_cast<QComboBox *>(shown))
        values << QString::number(combo->currentIndex()) << combo->currentText();
    else
        values << QString::number(
            widget<QStackedWidget>(page, shown->objectName())->currentIndex());
    const QString actual = values.join(QLatin1Char('/')) +
                           QLatin1String(shown->isEnabled() ? ", enabled" : ", disabled");
    QVERIFY2((value == QLatin1String("*") || values.contains(value)) &&
                 (state.isEmpty() || actual.endsWith(state)),
             qPrintable(expected + QLatin1String(" but shows ") + actual));
}

// The GA-1 MI is held to everything the GA-1 is, with a delay that may be zero.
void addGaRows()
{
    QTest::addColumn<int>("model");
    QTest::newRow("GA-1") << int(Id::Ga);
    QTest::newRow("GA-1 MI") << int(Id::Gami);
}

const QStringList Delays = {"OpoznieniePojawienie", "OpoznienieZanik"};

void row(const char *name, Id model, const QStringList &steps, const QStringList &expected)
{
    QTest::addRow("%s: %s", ModelInfo::of(model).name, name) << int(model) << steps << expected;
}

} // namespace

class tst_PageForms : public QObject
{
    Q_OBJECT

private slots:
    void formAfterRepliesAndChanges_data();
    void formAfterRepliesAndChanges();
    void gaRangeVariantSetsDelayLimits_data() { addGaRows(); }
    void gaRangeVariantSetsDelayLimits();
    void brtRelaysAlwaysConsistentAfterDecode();
    void brtPreviewsFollowColourAndSwap();
    void testerReplyChangesOnlyTheLog();
};

void tst_PageForms::formAfterRepliesAndChanges_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    // KZR-1: decoding applies fields in frame order, so a later one may undo an earlier one.
    row("decoded relay sources: the last wins", Id::Kzr, {"#00 1e 1f"},
        {"pk1_nappom: checked, enabled", "pk1_odblok: unchecked, disabled",
         "pk1_powwe1: unchecked, disabled", "pk2_odblok: unchecked, enabled"});
    row("decoded relay source beside unused bits", Id::Kzr, {"#00 1e 00 e4"},
        {"pk2_powwe2: checked, enabled", "pk2_przycisk: unchecked, disabled",
         "inw_we2: unchecked, disabled", "inw_we1: unchecked, enabled"});
    row("decoded permanent unlock after input 1", Id::Kzr, {"#09"},
        {"odblok_pc: checked, enabled", "odblok_we1: unchecked, disabled",
         "odblok_we2: unchecked, disabled", "odblok_przycisk: unchecked, disabled",
         "odblokowani_czas: 1, disabled"});
    row("decoded earthing input 1 after unlock by input 1", Id::Kzr, {"#03 1e 00 00 10"},
        {"uz_we1: checked, enabled", "odblok_we1: unchecked, disabled",
         "odblok_we2: checked, enabled", "uz_we2: unchecked, disabled",
         "cbCOLOR_3: NIEBIESKI, enabled"});
    row("decoded earthing input 2 after unlock by input 2", Id::Kzr, {"#02 1e 00 00 20"},
        {"uz_we2: checked, enabled", "odblok_we2: unchecked, disabled"});
    row("decoded relay 1 repeating input 1", Id::Kzr, {"#00 1e 02"},
        {"inw_we1: unchecked, disabled", "inw_we2: unchecked, enabled"});
    row("relay source cleared", Id::Kzr, {"#00 1e 10", "pk1_nappom=0"},
        {"pk1_odblok: unchecked, enabled", "pk1_przycisk: unchecked, enabled"});
    row("relay switched to another source", Id::Kzr, {"pk1_przycisk=1", "pk1_odblok=1"},
        {"pk1_odblok: checked, enabled", "pk1_przycisk: unchecked, disabled",
         "pk2_przycisk: unchecked, enabled"});
    row("permanent unlock clears the other sources", Id::Kzr, {"odblok_we1=1", "odblok_we2=1",
        "odblok_przycisk=1", "odblok_pc=1"},
        {"odblok_we1: unchecked, disabled", "odblok_we2: unchecked, disabled",
         "odblok_przycisk: unchecked, disabled", "odblokowani_czas: 30, disabled"});
    row("leaving permanent unlock keeps an earthing input out", Id::Kzr, {"odblok_pc=1",
        "uz_we1=1", "odblok_pc=0"},
        {"odblok_we1: unchecked, disabled", "odblok_we2: unchecked, enabled",
         "odblok_przycisk: unchecked, enabled", "odblokowani_czas: 30, enabled"});
    row("earthing let go under permanent unlock", Id::Kzr, {"uz_we1=1", "odblok_pc=1", "uz_we1=0"},
        {"odblok_we1: unchecked, disabled"});
    row("earthing let go", Id::Kzr, {"uz_we1=1", "uz_we1=0"},
        {"odblok_we1: unchecked, enabled", "cbCOLOR_3: NIEBIESKI, disabled"});
    row("the other input still reports the earthing switch", Id::Kzr, {"uz_we2=1", "uz_we1=1",
        "uz_we1=0"},
        {"cbCOLOR_3: NIEBIESKI, enabled", "odblok_we2: unchecked, disabled"});
    row("an unlock source is no earthing input", Id::Kzr, {"odblok_we2=1"},
        {"uz_we2: unchecked, disabled", "uz_we1: unchecked, enabled"});
    row("repeated input loses its inversion", Id::Kzr, {"inw_we1=1", "inw_we2=1", "pk1_powwe1=1"},
        {"inw_we1: unchecked, disabled", "inw_we2: checked, enabled"});
    row("input still repeated by the other relay", Id::Kzr, {"pk2_powwe2=1", "pk1_powwe2=1",
        "pk1_powwe2=0"},
        {"inw_we2: unchecked, disabled"});
    row("repeating relay moved to another source", Id::Kzr, {"pk2_powwe1=1", "pk2_przycisk=1"},
        {"pk2_powwe1: unchecked, disabled", "inw_we1: unchecked, enabled"});
    // The TLMX-1 defaults disable both earthing inputs outright; one read back stays editable.
    row("read-back earthing input after the TLMX-1 defaults", Id::Kzr,
        {"!02", "DomyslneKZR_TLMX", "#00 1e 01 01 10"},
        {"uz_we1: checked, enabled", "odblok_we1: unchecked, disabled"});
    row("read-back earthing input let go", Id::Kzr,
        {"!02", "DomyslneKZR_TLMX", "#00 1e 01 01 10", "uz_we1"},
        {"odblok_we1: *, enabled", "uz_we2: *, enabled"});
    // Times clamp to the form's range; colour codes that mean nothing keep the colour shown
    // (5, 1, 2). The earthing LED's code set is not settled, so either set names its colour.
    const QString colours = QStringLiteral("#00 1e 00 00 00 00 64 00 64 cf fc d7");
    row("zeros", Id::Kzr, {colours, "#00 00 00 00 00 00 00 00 00 00 00 00"},
        {"odblokowani_czas: 1", "knp_T1: 100", "knp_T2: 100", "cbCOLOR: 5", "cbCOLOR_2: 1",
         "cbCOLOR_3: 2"});
    row("above the delay range", Id::Kzr, {colours, "#00 ff 00 00 00 ff ff 09 c5 00 00 00"},
        {"odblokowani_czas: 255", "knp_T1: 2500", "knp_T2: 2500", "cbCOLOR: 5"});
    row("below the delay range", Id::Kzr, {colours, "#00 02 00 00 00 00 63 00 01 00 00 00"},
        {"odblokowani_czas: 2", "knp_T1: 100", "knp_T2: 100"});
    row("colour codes of the other set", Id::Kzr, {colours, "#00 1e 00 00 00 00 64 00 64 fd ef fd"},
        {"cbCOLOR: 5", "cbCOLOR_2: 1", "cbCOLOR_3: 0"});
    row("earthing code of the free LED's set", Id::Kzr,
        {colours, "#00 1e 00 00 00 00 64 00 64 00 00 fb"}, {"cbCOLOR_3: 4"});

    // GA-1 and GA-1 MI share their rules: the later box wins and the closing update settles
    // the enabled states; delays clamp to the range the identification chose.
    for (const Id ga : {Id::Ga, Id::Gami}) {
        const auto gaRow = [ga](const char *name, const QStringList &steps,
                                const QStringList &expected) { row(name, ga, steps, expected); };
        gaRow("bits 0 and 3 after latched: pulse mode wins", {"#01", "#09 07"},
              {"PK1Impulsowy: checked, enabled", "PK1DoSkasowania: unchecked, disabled",
               "PK1Trwale: unchecked, disabled", "PK1ImpulsT: 7, enabled"});
        gaRow("all four modes of relay 2", {"#00 00 0f 64"},
              {"PK2Impulsowy: checked, enabled", "PK2BrakKasowania: unchecked, disabled",
               "PK1Impulsowy: unchecked, enabled", "PK2ImpulsT: 100, enabled"});
        gaRow("bits 0 and 1 after pulse mode", {"#08", "#03 00"},
              {"PK1BrakKasowania: checked, enabled", "PK1Impulsowy: unchecked, disabled",
               "PK1ImpulsT: 1, disabled"});
        gaRow("pulse mode cleared, inversion kept", {"#00 00 08", "#00 00 10 65"},
              {"PK2Inwersja: checked, enabled", "PK2Impulsowy: unchecked, enabled",
               "PK2DoSkasowania: unchecked, enabled", "PK2ImpulsT: 100, disabled"});
        gaRow("every scheme: the last wins", {"#00 00 00 00 02", "#00 00 00 00 1f"},
              {"PobOpcjaE: checked, enabled", "PobOpcjaA: unchecked, disabled",
               "PobOpcjaD: unchecked, disabled"});
        gaRow("bits 0 and 2 after E", {"#00 00 00 00 10", "#00 00 00 00 05"},
              {"PobOpcjaC: checked, enabled", "PobOpcjaE: unchecked, disabled"});
        gaRow("scheme bits 5-7 ignored", {"#00 00 00 00 e2"},
              {"PobOpcjaB: checked, enabled", "PobOpcjaA: unchecked, disabled"});
        gaRow("no scheme after C", {"#00 00 00 00 04", "#"},
              {"PobOpcjaC: unchecked, enabled", "PobOpcjaA: unchecked, enabled"});
        gaRow("pulse mode clicked", {"PK1Impulsowy"},
              {"PK1Trwale: unchecked, disabled", "PK1ImpulsT: 1, enabled",
               "PK2Trwale: unchecked, enabled"});
        gaRow("a disabled mode cannot be picked as a second one", {"PK1Impulsowy", "PK1Trwale"},
              {"PK1Impulsowy: checked, enabled", "PK1Trwale: unchecked, disabled"});
        gaRow("pulse mode clicked off", {"PK1Impulsowy", "PK1Impulsowy"},
              {"PK1Trwale: unchecked, enabled", "PK1ImpulsT: 1, disabled"});
        gaRow("inversion beside a mode", {"PK1DoSkasowania", "PK1Inwersja"},
              {"PK1Inwersja: checked, enabled", "PK1Trwale: unchecked, disabled",
               "PK1ImpulsT: 1, disabled"});
        gaRow("scheme clicked", {"PobOpcjaC"},
              {"PobOpcjaA: unchecked, disabled"});
        gaRow("scheme clicked off", {"PobOpcjaC", "PobOpcjaC"},
              {"PobOpcjaA: unchecked, enabled"});
        const QString shortest = QLatin1String(ga == Id::Ga ? "0.1" : "0");
        gaRow("zero counts show the shortest delay",
              {"@1", "OpoznienieZanik=1", "#00 00 00 00 00 00 00 00 00 00 00"},
              {"OpoznieniePojawienie: " + shortest, "OpoznienieZanik: " + shortest});
        gaRow("counts above the long maximum", {"@1", "#00 00 00 00 00 00 00 c5 ff 09 ff"},
              {"OpoznieniePojawienie: 25", "OpoznienieZanik: 25"});
        // 2.35 s and 24.99 s lie between two 100 ms steps: written back as read until edited.
        gaRow("delays off the grid", {"@1", "#00 00 00 00 00 00 00 eb c3 00 09", "&"},
              {"OpoznieniePojawienie: 2.35", "OpoznienieZanik: 24.99"});
        gaRow("a delay off the grid edited", {"@1", "#00 00 00 00 00 00 00 eb c3 00 09",
                                              "OpoznienieZanik=3", "&"},
              {"OpoznieniePojawienie: 2.35", "OpoznienieZanik: 3"});
        gaRow("short range clamps", {"@0", "#00 00 00 00 00 00 00 c4 f0 09 00"},
              {"OpoznieniePojawienie: 2.5", "OpoznienieZanik: 2.4"});
    }

    // WRN-1: every widget from its own place; LED 1's after-reset field names no colour and
    // keeps the form's yellow (4).
    row("every widget", Id::Wrn1, {"#27 02 27 0a 14 1e 28 32 fa 6a 75 6e 6b"},
        {"ticked: LED2Samokasowanie PK1Inwersja PK2Inwersja We1Inwersja We2Inwersja",
         "LED1KolorPobudzenia: 3", "LED2KolorPobudzenia: 4", "LED2KolorKasowanie: 1",
         "LED1KolorKasowanie: 4", "We1Pobudzenie: 1000", "We1Zanik: 2000", "We2Pobudzenie: 3000",
         "We2Zanik: 4000", "PK1tImpulsu: 50", "PK2tImpulsu: 250"});
    // A relay latched until reset cannot pulse; the defaults latch relay 1 and leave relay 2
    // free, so decoding starts from both states.
    row("relay 1 both ways: pulse wins", Id::Wrn1, {"DomyslneWRN", "#18"},
        {"PK1DoSkasowania: unchecked, disabled", "PK1DzialanieImpulsowe: checked, enabled",
         "PK1tImpulsu: *, enabled"});
    row("relay 1 neither", Id::Wrn1, {"DomyslneWRN", "#00"},
        {"PK1DoSkasowania: unchecked, enabled", "PK1DzialanieImpulsowe: unchecked, enabled"});
    row("relay 2 latched", Id::Wrn1, {"DomyslneWRN", "#40"},
        {"PK2DoSkasowania: checked, enabled", "PK2DzialanieImpulsowe: unchecked, disabled",
         "PK2tImpulsu: *, disabled"});
    row("relay 2 both ways: pulse wins", Id::Wrn1, {"DomyslneWRN", "#c0"},
        {"PK2DoSkasowania: unchecked, disabled", "PK2DzialanieImpulsowe: checked, enabled"});
    row("pulse clicked", Id::Wrn1, {"PK2DzialanieImpulsowe"},
        {"PK2DoSkasowania: unchecked, disabled", "PK2tImpulsu: *, enabled",
         "PK1DoSkasowania: *, enabled"});
    row("pulse clicked off", Id::Wrn1, {"PK2DzialanieImpulsowe", "PK2DzialanieImpulsowe"},
        {"PK2DoSkasowania: unchecked, enabled"});
    row("latching clicked", Id::Wrn1, {"PK2DoSkasowania"},
        {"PK2DzialanieImpulsowe: unchecked, disabled", "PK2tImpulsu: *, disabled",
         "PK1DzialanieImpulsowe: *, enabled"});
    row("latching clicked off", Id::Wrn1, {"PK2DoSkasowania", "PK2DoSkasowania"},
        {"PK2DzialanieImpulsowe: unchecked, enabled", "PK2tImpulsu: *, enabled"});

    // WRN-2: channel 3 and the matrix come from the second frame; bit 0 of its colour byte is
    // not channel 3's self-reset, which travels with the flags.
    row("second frame, odd bits", Id::Wrn2, {"#|15 07 0b 0d 19 55 01 00 00 00 00 ff"},
        {"ticked: LED3Samokasowanie PK3DoSkasowania We3Inwersja con11 con13 con22 con31 con33",
         "We3Pobudzenie: 700", "We3Zanik: 1100", "PK3tImpulsu: 13", "LED3KolorPobudzenia: 2",
         "LED3KolorKasowanie: 3"});
    row("second frame, even bits", Id::Wrn2, {"#|0a 01 ff 01 7e aa 00 00 00 00 00 ff"},
        {"ticked: PK3DzialanieImpulsowe PK3Inwersja con12 con21 con23 con32",
         "We3Pobudzenie: 100", "We3Zanik: 25500", "PK3tImpulsu: 1", "LED3KolorPobudzenia: 0",
         "LED3KolorKasowanie: 0"});
    // Unlike the two-channel relay, nothing locks latching against pulse operation.
    row("latching and pulse together", Id::Wrn2, {"#18|0c 00 00 00 00 00 00 00 00 00 00 00"},
        {"PK1DoSkasowania: checked, enabled", "PK1DzialanieImpulsowe: checked, enabled",
         "PK3DoSkasowania: checked, enabled", "PK3DzialanieImpulsowe: checked, enabled",
         "PK1tImpulsu: *, enabled", "PK3tImpulsu: *, enabled"});
    // A lost second frame must not clear channel 3 and the matrix: the next write would store
    // a relay in which no input drives anything. Channels 1 and 2 are still read.
    row("reply without its second frame", Id::Wrn2,
        {"DomyslneWRN2", "PK3DoSkasowania=1", "We3Pobudzenie=5000", "con23=1",
         "#01 12 49 09 08 07 06 05 04 00 00 ee"},
        {"PK3DoSkasowania: checked", "We3Pobudzenie: 5000", "con23: checked",
         "We1Pobudzenie: 900", "PK2tImpulsu: 4"});

    // Pulse operation is the engineer's choice and survives the defaults; everything else is
    // replaced in both frames.
    row("defaults keep pulse operation", Id::Wrn2,
        {"We3Inwersja=1", "We3Zanik=900", "PK2DoSkasowania=1", "PK1tImpulsu=77",
         "LED3KolorKasowanie=0", "con12=1", "PK1DzialanieImpulsowe=1", "PK3DzialanieImpulsowe=1",
         "DomyslneWRN2"},
        {"frames: 0a 55 10 35 35 01 01 01 01 03 03 00 00 00 "
         "0a 56 18 01 01 03 34 11 01 00 00 00 00 00"});

    // A delay byte of 0 shows the spin box minimum.
    row("every widget", Id::Drav, {"#09 12 04 00 ff 03 04 05 06"},
        {"ticked: DPK2ZAS LED1DoSkasowania PK3Inwersja TOR1Wyl We2Inwersja", "PK1Pobudzenie: 100",
         "PK1Zanik: 25500", "PK2Pobudzenie: 300", "PK2Zanik: 400", "PK3Pobudzenie: 500",
         "PK3Zanik: 600"});

    // BRT-1: each input drives at most one relay and each relay follows at most one input;
    // the previews follow colour and channel swap.
    row("swapped channels", Id::Brt, {"#11 0c ff 08 03 2d 05 26"},
        {"ticked: INWERSJA_PK2 PamiecStanu WE1_PK2 WE2_PK1 ZamianaKanalow", "We1Stan: 1",
         "We1Kolor: 3", "We1OpoznieniePojawienia: 1200", "We1OpoznienieZaniku: 25500",
         "We1Wiz: 7", "We2Stan: 0", "We2Kolor: 2", "We2OpoznieniePojawienia: 300",
         "We2OpoznienieZaniku: 4500", "We2Wiz: 6"});
    row("channels not swapped", Id::Brt, {"#04 00 02 03 03 04 02 19"},
        {"ticked: BrakMigowego INWERSJA_PK1 WE1_PK1 WE2_PK2", "We1Stan: 0", "We1Kolor: 1",
         "We1OpoznieniePojawienia: 100", "We1OpoznienieZaniku: 200", "We1Wiz: 1", "We2Stan: 1",
         "We2Kolor: 0", "We2OpoznieniePojawienia: 300", "We2OpoznienieZaniku: 400", "We2Wiz: 0"});
    row("a colour of no bit or several bits keeps the form's", Id::Brt,
        {"We1Kolor=3", "We2Kolor=2", "#01 01 01 19 01 01"},
        {"We1Stan: 1", "We1Kolor: 3", "We2Kolor: 2", "We1Wiz: 3", "We2Wiz: 2"});
    row("the later relay bit wins", Id::Brt, {"#02 01 01 02 01 01 00 05 00 00 00 00"},
        {"WE2_PK1: checked, enabled", "WE1_PK1: unchecked, disabled"});
    const QList<QStringList> relays = {{"WE1_PK1", "WE1_PK2", "WE2_PK1"},
                                       {"WE1_PK2", "WE1_PK1", "WE2_PK2"},
                                       {"WE2_PK1", "WE2_PK2", "WE1_PK1"},
                                       {"WE2_PK2", "WE2_PK1", "WE1_PK2"}};
    for (const QStringList &boxes : relays)
        row(qPrintable(boxes[0] + " clicked"), Id::Brt, {boxes[1] + "=1", boxes[0]},
            {boxes[0] + ": checked, enabled", boxes[1] + ": unchecked, enabled",
             boxes[2] + ": unchecked, disabled"});
    row("a relay clicked off frees the others", Id::Brt, {"WE1_PK1", "WE1_PK1"},
        {"WE1_PK2: *, enabled", "WE2_PK1: *, enabled", "WE2_PK2: *, enabled"});
    // The defaults set the inputs only: the options of the second tab are the engineer's
    // wiring and survive them; with swapped channels the previews show the swapped pictures of
    // red and green.
    row("defaults set the inputs only", Id::Brt,
        {"We1Kolor=3", "We1OpoznienieZaniku=2000", "PamiecStanu=1", "We2OpoznieniePojawienia=900",
         "ZamianaKanalow=1", "WE2_PK2=1", "DomyslneBRT"},
        {"frames: 0a 55 03 01 01 05 01 01 05 08 00 01 02 03", "We1Wiz: 4", "We2Wiz: 5"});

    // ZEGAR-1 runs in one mode at most. Frame order ticks MSTP1..MSTP4, MSTP6, MSTP5, each
    // clearing the earlier ones; every row starts from a form unlike its expectation.
    const QStringList zegar = {"MSTP4=1", "MSStartPojOpad=1", "MSStartKasuje=1", "MSStopPojOpad=1"};
    row("A and C leave C", Id::Zegar, zegar + QStringList{"#05 00 00"},
        {"ticked: MSTP3", "MSStartPojOpad: 0", "MSStopPojOpad: 0"});
    row("E and AUTO leave AUTO", Id::Zegar, zegar + QStringList{"#30 00 00"}, {"ticked: MSTP5"});
    row("every mode leaves AUTO", Id::Zegar, zegar + QStringList{"#3f 00 00"}, {"ticked: MSTP5"});
    row("no mode clears the ticked one", Id::Zegar, zegar + QStringList{"#00 00 00"}, {"ticked:"});
    row("start and stop on loss, start clears", Id::Zegar, zegar + QStringList{"#01 03 01"},
        {"ticked: MSStartKasuje MSTP1", "MSStartPojOpad: 1", "MSStopPojOpad: 1"});
    row("unnamed start and stop bits ignored", Id::Zegar, zegar + QStringList{"#02 fc fe"},
        {"ticked: MSTP2", "MSStartPojOpad: 0", "MSStopPojOpad: 0"});
    row("each click leaves one mode", Id::Zegar,
        {"MSTP1", "MSTP2", "MSTP3", "MSTP4", "MSTP6", "MSTP5"},
        {"MSTP5: checked", "MSTP1: unchecked", "MSTP4: unchecked", "MSTP6: unchecked"});
    row("clearing the mode brings none back", Id::Zegar, {"MSTP3", "MSTP3"},
        {"MSTP3: unchecked, enabled", "MSTP1: unchecked, enabled", "MSTP5: unchecked, enabled"});

    // The time relay sends nothing back, so only its frame shows that every field lands in its
    // own place; which time fills the second slot follows the mode.
    const QStringList times = {"OP_DNI=99", "OP_H=1",  "OP_MIN=2",  "OP_S=3",  "OP_MS=256",
                               "OO_DNI=7",  "OO_H=23", "OO_MIN=0",  "OO_S=59", "OO_MS=511",
                               "TI_DNI=1",  "TI_H=23", "TI_MIN=59", "TI_S=59", "TI_MS=999"};
    row("drop-out delay, cyclic, relays inverted", Id::Hel,
        times + QStringList{"trybPracy=2", "PracaCykliczna=1", "PK1Inw=1", "PK2Inw=1"},
        {"frames: 0a 55 66 00 05 03 02 63 ff 5d 3b 00 07 00"});
    row("drop-out delay, inputs inverted", Id::Hel,
        times + QStringList{"trybPracy=1", "StartInw=1", "KasowanieInw=1"},
        {"frames: 0a 55 19 00 05 03 02 63 ff 5d 3b 00 07 00"});
    row("pulse time", Id::Hel, times + QStringList{"trybPracy=3"},
        {"frames: 0a 55 03 00 05 03 02 63 e7 5f 3b 3b 01 00"});

    // NOV-1 keeps the sign apart from the magnitude (bit 1 of the flags for B of range A), so
    // -0,50 needs a negative zero; one the engineer brings to 0 or reads as 0 is +0.
    row("-0,50 read", Id::Nov, {"#00 00 00 32 00 00 00 00 02 01 02 03"},
        {"ZakresAB1: -0", "frames: 0a 55 00 00 00 32 00 00 00 00 02 01 02 03"});
    row("-0,50 brought to 0", Id::Nov,
        {"#00 00 00 32 00 00 00 00 02", "ZakresAB1=-3", "ZakresAB1=0"},
        {"frames: 0a 55 00 00 00 32 00 00 00 00 00 01 02 03"});
    row("+0,50 read over -0,50", Id::Nov, {"#00 00 00 32 00 00 00 00 02", "#00 00 00 32"},
        {"frames: 0a 55 00 00 00 32 00 00 00 00 00 01 02 03"});
    row("-0 typed", Id::Nov, {"ZakresBA2=25", "ZakresBA1<-0"},
        {"ZakresBA1: -0", "frames: 0a 55 00 00 00 00 00 19 00 00 04 01 02 03"});
    row("0 typed over -0", Id::Nov, {"ZakresBA2=25", "ZakresBA1<-0", "ZakresBA1<0"},
        {"frames: 0a 55 00 00 00 00 00 19 00 00 00 01 02 03"});
    row("stepping up from -0", Id::Nov, {"ZakresBA2=25", "ZakresBA1<-0", "ZakresBA1^"},
        {"frames: 0a 55 00 00 00 00 01 19 00 00 00 01 02 03"});
    // The sign alone is a change.
    row("-0 typed over 0", Id::Nov, {".", "ZakresBA1<-0"}, {"marked: ZakresBA1"});
    // Typed delays snap to the 100 ms step, and what the form shows is what the device gets.
    row("half a step rounds up", Id::Wrn1, {"We2Pobudzenie<150", "?We2Pobudzenie: 200", "&"},
        {"We2Pobudzenie: 200"});
    row("below half a step", Id::Wrn1, {"We1Zanik<1249", "?We1Zanik: 1200", "&"},
        {"We1Zanik: 1200"});
    row("near the top", Id::Wrn1, {"We2Zanik<25480", "?We2Zanik: 25500", "&"},
        {"We2Zanik: 25500"});
    row("typed delay", Id::Wrn2, {"We3Zanik<250", "?We3Zanik: 300", "&"}, {"We3Zanik: 300"});
    row("typed delay", Id::Drav, {"PK3Zanik<150", "?PK3Zanik: 200", "&"}, {"PK3Zanik: 200"});
    row("typed delay", Id::Brt, {"We2OpoznienieZaniku<150", "?We2OpoznienieZaniku: 200", "&"},
        {"We2OpoznienieZaniku: 200"});

    row("fractions above 99 show 99", Id::Nov, {"#01 ff 02 64 03 64 04 63 00"},
        {"ZakresAA1: 1", "ZakresAA2: 99", "ZakresAB1: 2", "ZakresAB2: 99", "ZakresBA1: 3",
         "ZakresBA2: 99", "ZakresBB1: 4", "ZakresBB2: 99"});
}

void tst_PageForms::formAfterRepliesAndChanges()
{
    QFETCH(int, model);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    auto page = makePage(Id(model));
    for (const QString &step : steps)
        apply(*page, Id(model), step);
    for (const QString &line : expected)
        verifyShows(*page, line);
}

// Byte 8 of the identification chooses 2.5 s or 25 s; a missing byte reads as character 0,
// and a value clamped by the short range stays clamped when the long range comes back.
void tst_PageForms::gaRangeVariantSetsDelayLimits()
{
    QFETCH(int, model);
    const double shortest = Id(model) == Id::Ga ? 0.1 : 0.0;
    const QList<QPair<QStringList, QPair<double, double>>> rows = {
        {{"1"}, {25.0, 25.0}},
        {{"0"}, {2.5, 2.5}},
        {{QString(QChar(0))}, {2.5, 2.5}},
        {{"0", "1"}, {25.0, 2.5}}};
    for (const auto &row : rows) {
        auto page = makePage(Id(model));
        apply(*page, Id(model), "@1");
        for (const QString &name : Delays)
            apply(*page, Id(model), name + "=25");
        for (const QString &variant : row.first)
            apply(*page, Id(model), "@" + variant);
        for (const QString &name : Delays) {
            auto *delay = widget<QDoubleSpinBox>(*page, name);
            QCOMPARE(delay->minimum(), shortest);
            QCOMPARE(delay->maximum(), row.second.first);
            QCOMPARE(delay->value(), row.second.second);
        }
    }
}

// Whatever byte 9 a device sends, each input ends on at most one relay, each relay on at most
// one input, and exactly the boxes blocked by a ticked neighbour are disabled.
void tst_PageForms::brtRelaysAlwaysConsistentAfterDecode()
{
    const char *const names[2][2] = {{"WE1_PK1", "WE1_PK2"}, {"WE2_PK1", "WE2_PK2"}};
    for (int value = 0; value < 0x100; ++value) {
        BRT page;
        apply(page, Id::Brt, "#00 00 00 00 00 00 00 " + QString::number(value + 0x100, 16).mid(1));
        bool on[2][2];
        for (int input = 0; input < 2; ++input) {
            for (int relay = 0; relay < 2; ++relay)
                on[input][relay] = widget<QCheckBox>(page, names[input][relay])->isChecked();
        }
        const QByteArray byte = QByteArray::number(value, 16);
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(!(on[i][0] && on[i][1]) && !(on[0][i] && on[1][i]), byte);
            for (int relay = 0; relay < 2; ++relay)
                QVERIFY2(widget<QCheckBox>(page, names[i][relay])->isEnabled() == !on[1 - i][relay],
                         byte);
        }
        QCOMPARE(widget<QCheckBox>(page, "INWERSJA_PK1")->isChecked(), bool(value & 0x10));
        QCOMPARE(widget<QCheckBox>(page, "INWERSJA_PK2")->isChecked(), bool(value & 0x20));
    }
}

// Input 1 is the vertical bar and input 2 the horizontal one until the channels are swapped;
// the previews follow a swap made after the colours were chosen. The picture is told by the
// resource it was loaded from, never by pixels that went through a premultiplied form.
void tst_PageForms::brtPreviewsFollowColourAndSwap()
{
    const QStringList vertical = {"BRTPIOR", "BRTPIOG", "BRTPIOB", "BRTPIOBIAL"};
    const QStringList horizontal = {"BRTPOZR", "BRTPOZG", "BRTPOZB", "BRTPOZBIA"};
    const auto pictureShown = [](BRT &page, const char *preview) {
        const QLabel *label =
            widget<QStackedWidget>(page, preview)->currentWidget()->findChild<QLabel *>();
        const QImage shown = label ? label->pixmap(Qt::ReturnByValue).toImage() : QImage();
        for (const QString &name : QStringList{"BRTPIOR", "BRTPIOG", "BRTPIOB", "BRTPIOBIAL",
                                               "BRTPOZR", "BRTPOZG", "BRTPOZB", "BRTPOZBIA"}) {
            // A preview holds its picture at the size it shows it.
            QImage picture = QPixmap(QStringLiteral(":/GRAFIKA/%1.png").arg(name)).toImage();
            if (!shown.isNull() && picture.size() != shown.size())
                picture = picture.scaled(shown.size(), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
            if (picture == shown)
                return name;
        }
        return QString();
    };
    for (const bool swapped : {false, true}) {
        for (int colour = 0; colour < 4; ++colour) {
            BRT page;
            // A preview decodes its picture when it is first shown.
            page.show();
            apply(page, Id::Brt, QStringLiteral("ZamianaKanalow=%1").arg(int(!swapped)));
            apply(page, Id::Brt, QStringLiteral("We1Kolor=%1").arg(colour));
            apply(page, Id::Brt, QStringLiteral("We2Kolor=%1").arg(colour));
            apply(page, Id::Brt, QStringLiteral("ZamianaKanalow=%1").arg(int(swapped)));
            QCOMPARE(pictureShown(page, "We1Wiz"), (swapped ? horizontal : vertical).at(colour));
            QCOMPARE(pictureShown(page, "We2Wiz"), (swapped ? vertical : horizontal).at(colour));
        }
    }
}

// The tester's reply carries nothing the form shows: it is logged and the form, its texts and
// its open tab stay as they were, and the page is not brought up.
void tst_PageForms::testerReplyChangesOnlyTheLog()
{
    ORVA2 window;
    TesterKZR &page = window.testerPage();
    page.findChild<QTabWidget *>()->setCurrentIndex(2);
    for (const char *step : {"Wybor_ETAP3=6", "TEST_L2Z4=1", "Res_PK1NC=1"})
        apply(page, Id::Tester, QLatin1String(step));
    const auto shown = [&page] {
        QStringList state = formState(page);
        for (const auto *label : page.findChildren<QLabel *>())
            state << label->objectName() + label->text();
        return state << QString::number(page.findChild<QTabWidget *>()->currentIndex());
    };
    const QStringList before = shown();

    window.processBlock(ModelInfo::of(Id::Tester).configHeader + QByteArray(12, '\xff'));
    window.processBlock(ModelInfo::of(Id::Tester).configHeader);

    QCOMPARE(shown(), before);
    QCOMPARE(logLinesOf(window),
             QStringList({"Konfiguracja pobrana Tester KZR", "Konfiguracja pobrana Tester KZR"}));
    QCOMPARE(window.findChild<QStackedWidget *>("stackedWidget")->indexOf(&page), -1);
}

QTEST_MAIN(tst_PageForms)
#include "tst_pageforms.moc"
