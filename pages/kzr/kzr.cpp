#include "pages/kzr/kzr.h"
#include "ui_kzr.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

#include <QLoggingCategory>

#include <algorithm>
#include <array>

Q_LOGGING_CATEGORY(lcKzr, "orva.pages.kzr")

namespace {

// Positions of the fields in the configuration frame; the same layout travels both ways.
enum ConfigByte
{
    UnlockByte = 2,
    UnlockTimeByte = 3,
    Relay1Byte = 4,
    Relay2Byte = 5,
    InputsByte = 6,
    DelayOnHighByte = 7,
    DelayOnLowByte = 8,
    DelayOffHighByte = 9,
    DelayOffLowByte = 10,
    BlockedColourByte = 11,
    FreeColourByte = 12,
    EarthingColourByte = 13,
};

constexpr int ViewStateByte = 5;
constexpr int BlockingBit = 0;
constexpr int VoltageL3Bit = 1;
constexpr int VoltageL2Bit = 2;
constexpr int VoltageL1Bit = 3;

constexpr int ViewPollMs = 1000;

// A colour travels as 0xFF with the bits of its lit components cleared; the two LEDs are
// wired to different bits, so each has its own code for the same combo index. The earthing
// LED uses the blocked LED's codes in both directions so a written colour reads back.
using ColourCodes = std::array<quint8, 6>;
constexpr ColourCodes BlockedLedCodes = {0xEF, 0xE7, 0xD7, 0xF7, 0xDF, 0xCF};
constexpr ColourCodes FreeLedCodes = {0xFD, 0xFC, 0xFA, 0xFE, 0xFB, 0xF9};
constexpr const ColourCodes &EarthingLedCodes = BlockedLedCodes;

enum StackPage
{
    SettingsPage = 0,
    DeviceViewPage = 1
};

constexpr int DefaultUnlockTime = 30;
constexpr int DefaultDelayMs = 100;
enum Colour
{
    Red = 0,
    Blue = 3,
    Green = 4
};

const char DocumentationPath[] = "/wp-content/uploads/2021/07/DTR_KZR-1.pdf";

QString bannerText(const char *model)
{
    return QStringLiteral("<html><head/><body><p align=\"center\"><span style=\" "
                          "font-size:7pt;\">%1</span></p></body></html>")
        .arg(QLatin1String(model));
}

quint8 colourCode(const ColourCodes &codes, int index)
{
    return codes[static_cast<size_t>(qBound(0, index, int(codes.size()) - 1))];
}

// A code that is none of the six says nothing about the colour, so the choice stays.
void selectColour(QComboBox *box, const ColourCodes &codes, quint8 code)
{
    const auto found = std::find(codes.begin(), codes.end(), code);
    if (found != codes.end())
        box->setCurrentIndex(static_cast<int>(found - codes.begin()));
}

bool isChecked(int state)
{
    return state != Qt::Unchecked;
}

void uncheckAndDisable(std::initializer_list<QAbstractButton *> boxes)
{
    for (QAbstractButton *box : boxes) {
        box->setChecked(false);
        box->setEnabled(false);
    }
}

} // namespace

KZR::KZR(QWidget *parent) : DevicePage(parent), ui(new Ui::KZR)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
    ui->KonfNapPomWidok->setCurrentIndex(SettingsPage);

    m_viewPoll.setSingleShot(true);
    m_viewPoll.setInterval(ViewPollMs);
    connect(&m_viewPoll, &QTimer::timeout, this, &KZR::WidokZalaczonyKZR);
}

KZR::~KZR()
{
    delete ui;
}

QByteArray KZR::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();
    auto put = [&frame](int index, quint8 value) { frame[index] = static_cast<char>(value); };

    put(UnlockByte, packBits({ui->odblok_we1, ui->odblok_we2, ui->odblok_przycisk, ui->odblok_pc,
                              ui->tlmx_pk1, ui->tlmx_pk2, ui->tlmx_2kol}));
    put(UnlockTimeByte, lowByte(static_cast<quint16>(ui->odblokowani_czas->value())));
    put(Relay1Byte, packBits({ui->pk1_odblok, ui->pk1_powwe1, ui->pk1_powwe2, ui->pk1_przycisk,
                              ui->pk1_nappom}));
    put(Relay2Byte, packBits({ui->pk2_odblok, ui->pk2_powwe1, ui->pk2_powwe2, ui->pk2_przycisk,
                              ui->pk2_nappom}));
    put(InputsByte,
        packBits({ui->inw_we1, ui->inw_we2, ui->inw_pk1, ui->inw_pk2, ui->uz_we1, ui->uz_we2}));

    const auto delayOn = static_cast<quint16>(ui->knp_T1->value());
    const auto delayOff = static_cast<quint16>(ui->knp_T2->value());
    put(DelayOnHighByte, highByte(delayOn));
    put(DelayOnLowByte, lowByte(delayOn));
    put(DelayOffHighByte, highByte(delayOff));
    put(DelayOffLowByte, lowByte(delayOff));

    put(BlockedColourByte, colourCode(BlockedLedCodes, ui->cbCOLOR->currentIndex()));
    put(FreeColourByte, colourCode(FreeLedCodes, ui->cbCOLOR_2->currentIndex()));
    put(EarthingColourByte, colourCode(EarthingLedCodes, ui->cbCOLOR_3->currentIndex()));
    return frame;
}

void KZR::decodeConfig(const QByteArray &block)
{
    // Fields are applied in frame order and each change runs the interlocks, so a later
    // field may legitimately undo an earlier one (the last relay source wins, an earthing
    // input takes its input away from the unlock sources).
    const quint8 unlock = byteAt(block, UnlockByte);
    unpackBits(unlock, {ui->odblok_we1, ui->odblok_we2, ui->odblok_przycisk, ui->odblok_pc,
                        ui->tlmx_pk1, ui->tlmx_pk2, ui->tlmx_2kol});
    qCDebug(lcKzr) << "unlock sources" << unlock;

    const quint8 unlockTime = byteAt(block, UnlockTimeByte);
    ui->odblokowani_czas->setValue(unlockTime);
    qCDebug(lcKzr) << "unlock time" << unlockTime;

    const quint8 relay1 = byteAt(block, Relay1Byte);
    unpackBits(relay1,
               {ui->pk1_odblok, ui->pk1_powwe1, ui->pk1_powwe2, ui->pk1_przycisk, ui->pk1_nappom});
    qCDebug(lcKzr) << "relay 1 source" << relay1;
    const quint8 relay2 = byteAt(block, Relay2Byte);
    unpackBits(relay2,
               {ui->pk2_odblok, ui->pk2_powwe1, ui->pk2_powwe2, ui->pk2_przycisk, ui->pk2_nappom});
    qCDebug(lcKzr) << "relay 2 source" << relay2;

    const quint8 inputs = byteAt(block, InputsByte);
    unpackBits(inputs,
               {ui->inw_we1, ui->inw_we2, ui->inw_pk1, ui->inw_pk2, ui->uz_we1, ui->uz_we2});
    qCDebug(lcKzr) << "inversions and earthing inputs" << inputs;

    const quint16 delayOn = word(byteAt(block, DelayOnHighByte), byteAt(block, DelayOnLowByte));
    ui->knp_T1->setValue(delayOn);
    qCDebug(lcKzr) << "voltage appearance delay" << delayOn;
    const quint16 delayOff = word(byteAt(block, DelayOffHighByte), byteAt(block, DelayOffLowByte));
    ui->knp_T2->setValue(delayOff);
    qCDebug(lcKzr) << "voltage loss delay" << delayOff;

    const quint8 blocked = byteAt(block, BlockedColourByte);
    selectColour(ui->cbCOLOR, BlockedLedCodes, blocked);
    qCDebug(lcKzr) << "blocked LED colour" << blocked;
    const quint8 notBlocked = byteAt(block, FreeColourByte);
    selectColour(ui->cbCOLOR_2, FreeLedCodes, notBlocked);
    qCDebug(lcKzr) << "not blocked LED colour" << notBlocked;
    const quint8 earthing = byteAt(block, EarthingColourByte);
    selectColour(ui->cbCOLOR_3, EarthingLedCodes, earthing);
    qCDebug(lcKzr) << "earthing switch LED colour" << earthing;

    // Defaults may have disabled an earthing input outright, and a read-back earthing input
    // would then stay checked with no way to clear it. Once a configuration is read, only its
    // input serving as an unlock source keeps an earthing input disabled.
    ui->uz_we1->setEnabled(!ui->odblok_we1->isChecked());
    ui->uz_we2->setEnabled(!ui->odblok_we2->isChecked());
}

void KZR::decodeView(const QByteArray &block)
{
    const quint8 state = byteAt(block, ViewStateByte);
    qCDebug(lcKzr) << "view state" << state;

    const bool blocking = bitSet(state, BlockingBit);
    ui->LEDBlokada->setChecked(blocking);
    ui->LEDBrakBlokady->setChecked(!blocking);

    ui->NAPL3->setChecked(bitSet(state, VoltageL3Bit));
    ui->NAPL2->setChecked(bitSet(state, VoltageL2Bit));
    ui->NAPL1->setChecked(bitSet(state, VoltageL1Bit));
    qCDebug(lcKzr) << "voltages L3" << bitSet(state, VoltageL3Bit) << "L2"
                   << bitSet(state, VoltageL2Bit) << "L1" << bitSet(state, VoltageL1Bit);

    // The next request follows the reply rather than a clock, so a device that stops
    // answering is not flooded; the chain simply ends.
    if (viewShown())
        m_viewPoll.start();
}

void KZR::setModelBanner(const QString &code)
{
    m_modelCode = code;
    const bool kzr = code == QLatin1String(Frame::Reply::Kzr);
    const bool tlmx = code == QLatin1String(Frame::Reply::Tlmx);
    if (!kzr && !tlmx)
        return;

    // The same instance may serve both models in one run, so every change made for one
    // model is undone for the other.
    ui->NazwaUrzadzenia->setText(bannerText(tlmx ? "TLMX-1" : "KZR-1"));
    ui->konfSpec->setEnabled(tlmx);
    ui->tlmx_pk1->setEnabled(tlmx);

    // A TLMX-1 measures one DC voltage, reported in the L2 position.
    for (QWidget *threePhaseOnly :
         {static_cast<QWidget *>(ui->NAPL1), static_cast<QWidget *>(ui->NAPL3),
          static_cast<QWidget *>(ui->label_8), static_cast<QWidget *>(ui->label_10)})
        threePhaseOnly->setHidden(tlmx);
    ui->label_9->setText(tlmx ? QStringLiteral("VDC") : QStringLiteral("L2"));
}

bool KZR::viewShown() const
{
    return ui->KonfNapPomWidok->currentIndex() != SettingsPage;
}

void KZR::on_DTR_clicked()
{
    openDocumentation(QLatin1String(DocumentationPath));
}

void KZR::on_DZ_clicked()
{
    emit PobierzDaneZKZR();
}

void KZR::on_rozlacz_clicked()
{
    emit PowrotPoczatek();
    close();
}

void KZR::on_Zapisz_clicked()
{
    emit WyslijDaneKZR();
}

void KZR::on_WidokUrzadzenia_clicked()
{
    if (ui->WidokUrzadzenia->isChecked()) {
        // The request sent now replaces one still pending from an earlier view.
        m_viewPoll.stop();
        ui->KonfNapPomWidok->setCurrentIndex(DeviceViewPage);
        emit WidokZalaczonyKZR();
        ui->Zapisz->setEnabled(false);
        ui->DZ->setEnabled(false);
    } else {
        ui->KonfNapPomWidok->setCurrentIndex(SettingsPage);
        ui->Zapisz->setEnabled(true);
        ui->DZ->setEnabled(true);
    }
}

void KZR::on_PrzyciskOdblok_clicked()
{
    emit OdblokujZProgramu();
}

void KZR::on_odblok_pc_stateChanged(int arg1)
{
    // Permanent unlock makes every other unlock source and the unlock time meaningless.
    if (isChecked(arg1)) {
        uncheckAndDisable({ui->odblok_we1, ui->odblok_we2, ui->odblok_przycisk});
        ui->odblokowani_czas->setEnabled(false);
    } else {
        ui->odblok_we1->setEnabled(!ui->uz_we1->isChecked());
        ui->odblok_we2->setEnabled(!ui->uz_we2->isChecked());
        ui->odblok_przycisk->setEnabled(true);
        ui->odblokowani_czas->setEnabled(true);
    }
}

void KZR::excludeRelay1Sources(QAbstractButton *changed, int state)
{
    excludeOthers(
        changed, isChecked(state),
        {ui->pk1_odblok, ui->pk1_powwe1, ui->pk1_powwe2, ui->pk1_przycisk, ui->pk1_nappom});
}

void KZR::excludeRelay2Sources(QAbstractButton *changed, int state)
{
    excludeOthers(
        changed, isChecked(state),
        {ui->pk2_odblok, ui->pk2_powwe1, ui->pk2_powwe2, ui->pk2_przycisk, ui->pk2_nappom});
}

void KZR::updateInversionLocks()
{
    // An input that a relay repeats cannot be inverted.
    const bool input1Repeated = ui->pk1_powwe1->isChecked() || ui->pk2_powwe1->isChecked();
    const bool input2Repeated = ui->pk1_powwe2->isChecked() || ui->pk2_powwe2->isChecked();
    if (input1Repeated)
        ui->inw_we1->setChecked(false);
    ui->inw_we1->setEnabled(!input1Repeated);
    if (input2Repeated)
        ui->inw_we2->setChecked(false);
    ui->inw_we2->setEnabled(!input2Repeated);
}

void KZR::on_pk1_odblok_stateChanged(int arg1)
{
    excludeRelay1Sources(ui->pk1_odblok, arg1);
}

void KZR::on_pk1_powwe1_stateChanged(int arg1)
{
    excludeRelay1Sources(ui->pk1_powwe1, arg1);
    updateInversionLocks();
}

void KZR::on_pk1_powwe2_stateChanged(int arg1)
{
    excludeRelay1Sources(ui->pk1_powwe2, arg1);
    updateInversionLocks();
}

void KZR::on_pk1_przycisk_stateChanged(int arg1)
{
    excludeRelay1Sources(ui->pk1_przycisk, arg1);
}

void KZR::on_pk1_nappom_stateChanged(int arg1)
{
    excludeRelay1Sources(ui->pk1_nappom, arg1);
}

void KZR::on_pk2_odblok_stateChanged(int arg1)
{
    excludeRelay2Sources(ui->pk2_odblok, arg1);
}

void KZR::on_pk2_powwe1_stateChanged(int arg1)
{
    excludeRelay2Sources(ui->pk2_powwe1, arg1);
    updateInversionLocks();
}

void KZR::on_pk2_powwe2_stateChanged(int arg1)
{
    excludeRelay2Sources(ui->pk2_powwe2, arg1);
    updateInversionLocks();
}

void KZR::on_pk2_przycisk_stateChanged(int arg1)
{
    excludeRelay2Sources(ui->pk2_przycisk, arg1);
}

void KZR::on_pk2_nappom_stateChanged(int arg1)
{
    excludeRelay2Sources(ui->pk2_nappom, arg1);
}

// An input serves either as an unlock source or as the earthing-switch signal, never both,
// and the earthing LED colour matters only while some input reports the earthing switch.
void KZR::useInputForEarthing(QAbstractButton *unlockSource, int state)
{
    ui->cbCOLOR_3->setEnabled(ui->uz_we1->isChecked() || ui->uz_we2->isChecked());
    if (isChecked(state)) {
        unlockSource->setEnabled(false);
        unlockSource->setChecked(false);
    } else {
        unlockSource->setEnabled(!ui->odblok_pc->isChecked());
    }
}

void KZR::useInputForUnlock(QAbstractButton *earthingInput, int state)
{
    if (isChecked(state)) {
        earthingInput->setEnabled(false);
        earthingInput->setChecked(false);
    } else {
        earthingInput->setEnabled(true);
    }
}

void KZR::on_uz_we1_stateChanged(int arg1)
{
    useInputForEarthing(ui->odblok_we1, arg1);
}

void KZR::on_uz_we2_stateChanged(int arg1)
{
    useInputForEarthing(ui->odblok_we2, arg1);
}

void KZR::on_odblok_we1_stateChanged(int arg1)
{
    useInputForUnlock(ui->uz_we1, arg1);
}

void KZR::on_odblok_we2_stateChanged(int arg1)
{
    useInputForUnlock(ui->uz_we2, arg1);
}

void KZR::on_DomyslneKZR_TLMX_clicked()
{
    const bool kzr = m_modelCode == QLatin1String(Frame::Reply::Kzr);
    const bool tlmx = m_modelCode == QLatin1String(Frame::Reply::Tlmx);
    if (!kzr && !tlmx)
        return;

    // Boxes are set one by one with their interlocks running, so the order below is what
    // makes both sets end in the same state from any starting form.
    if (kzr) {
        ui->odblok_we1->setChecked(true);
        ui->odblok_we2->setChecked(true);
        ui->odblok_przycisk->setChecked(true);
        ui->odblok_pc->setChecked(false);
        ui->odblokowani_czas->setValue(DefaultUnlockTime);
    } else {
        ui->odblok_we1->setChecked(false);
        ui->odblok_we2->setChecked(false);
        ui->odblok_przycisk->setChecked(false);
        ui->odblok_pc->setChecked(true);
        ui->odblokowani_czas->setValue(DefaultUnlockTime);
        for (QWidget *unused :
             {static_cast<QWidget *>(ui->odblok_we1), static_cast<QWidget *>(ui->odblok_we2),
              static_cast<QWidget *>(ui->odblok_przycisk),
              static_cast<QWidget *>(ui->odblokowani_czas)})
            unused->setEnabled(false);
    }

    ui->pk1_odblok->setChecked(true);
    uncheckAndDisable({ui->pk1_powwe1, ui->pk1_powwe2, ui->pk1_przycisk, ui->pk1_nappom});
    ui->pk2_odblok->setChecked(true);
    uncheckAndDisable({ui->pk2_powwe1, ui->pk2_powwe2, ui->pk2_przycisk, ui->pk2_nappom});

    for (QAbstractButton *inversion : {ui->inw_we1, ui->inw_we2, ui->inw_pk1, ui->inw_pk2})
        inversion->setChecked(false);

    uncheckAndDisable({ui->uz_we1, ui->uz_we2});

    if (kzr) {
        uncheckAndDisable({ui->tlmx_pk1, ui->tlmx_pk2, ui->tlmx_2kol});
    } else {
        ui->tlmx_pk1->setChecked(false);
        ui->tlmx_pk2->setChecked(true);
        ui->tlmx_2kol->setChecked(true);
        // A TLMX-1 keeps its special options editable, even after a KZR-1 set disabled them.
        for (QAbstractButton *special : {ui->tlmx_pk1, ui->tlmx_pk2, ui->tlmx_2kol})
            special->setEnabled(true);
    }

    ui->knp_T1->setValue(DefaultDelayMs);
    ui->knp_T2->setValue(DefaultDelayMs);
    ui->cbCOLOR->setCurrentIndex(Red);
    ui->cbCOLOR_2->setCurrentIndex(Green);
    ui->cbCOLOR_3->setCurrentIndex(Blue);
    ui->cbCOLOR_3->setEnabled(false);
}
