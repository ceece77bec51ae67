#include "pages/brt/brt.h"
#include "ui_brt.h"

#include "protocol/bytes.h"
#include "protocol/frames.h"

namespace {

// Frame layout: each input has a mode byte followed by its two delays.
constexpr int Input1Byte = 2;
constexpr int Input2Byte = 5;
constexpr int AppearOffset = 1;
constexpr int VanishOffset = 2;
constexpr int OptionsByte = 8;
constexpr int RelaysByte = 9;
// The device expects this fixed tail after the configuration.
constexpr int TailByte = 10;
constexpr char Tail[] = {0x00, 0x01, 0x02, 0x03};

// Mode byte: bit 0 is the trigger, then one bit per colour starting at bit 1.
constexpr int FirstColourBit = 1;
constexpr quint8 ColourMask = 0x1E;
constexpr int ColourCount = 4;

// The preview pages for swapped channels follow the four unswapped ones.
constexpr int SwappedPreviewOffset = 4;

// Defaults of the device as delivered.
constexpr int ExcitationItem = 1;
constexpr int Input1DefaultColour = 0; // red
constexpr int Input2DefaultColour = 1; // green
constexpr int DefaultDelayMs = 100;

const char *const DocumentationPath = "/wp-content/uploads/2021/07/DTR_BRT-1.pdf";

quint8 delayByte(const QSpinBox *box)
{
    return delayToByte(box->value());
}

} // namespace

BRT::BRT(QWidget *parent) : DevicePage(parent), ui(new Ui::BRT)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
}

BRT::~BRT()
{
    delete ui;
}

BRT::Input BRT::input1() const
{
    return {ui->We1Stan, ui->We1Kolor, ui->We1OpoznieniePojawienia, ui->We1OpoznienieZaniku,
            ui->We1Wiz};
}

BRT::Input BRT::input2() const
{
    return {ui->We2Stan, ui->We2Kolor, ui->We2OpoznieniePojawienia, ui->We2OpoznienieZaniku,
            ui->We2Wiz};
}

QByteArray BRT::encodeConfig() const
{
    QByteArray frame = Frame::configFrame();
    encodeInput(frame, Input1Byte, input1());
    encodeInput(frame, Input2Byte, input2());
    // The swap is bit 0 although its box stands second: the device defines the order.
    frame[OptionsByte] =
        static_cast<char>(packBits({ui->ZamianaKanalow, ui->BrakMigowego, ui->PamiecStanu}));
    frame[RelaysByte] = static_cast<char>(packBits(
        {ui->WE1_PK1, ui->WE1_PK2, ui->WE2_PK1, ui->WE2_PK2, ui->INWERSJA_PK1, ui->INWERSJA_PK2}));
    frame.replace(TailByte, int(sizeof Tail), Tail, int(sizeof Tail));
    return frame;
}

void BRT::encodeInput(QByteArray &frame, int at, const Input &input)
{
    quint8 mode = input.trigger->currentIndex() == ExcitationItem ? 1 : 0;
    const int colour = input.colour->currentIndex();
    if (colour >= 0 && colour < ColourCount)
        mode |= static_cast<quint8>(1u << (FirstColourBit + colour));
    frame[at] = static_cast<char>(mode);
    frame[at + AppearOffset] = static_cast<char>(delayByte(input.appearDelay));
    frame[at + VanishOffset] = static_cast<char>(delayByte(input.vanishDelay));
}

void BRT::decodeConfig(const QByteArray &block)
{
    decodeInput(block, Input1Byte, input1());
    decodeInput(block, Input2Byte, input2());
    unpackBits(byteAt(block, OptionsByte), {ui->ZamianaKanalow, ui->BrakMigowego, ui->PamiecStanu});
    unpackBits(byteAt(block, RelaysByte), {ui->WE1_PK1, ui->WE1_PK2, ui->WE2_PK1, ui->WE2_PK2,
                                           ui->INWERSJA_PK1, ui->INWERSJA_PK2});
}

void BRT::decodeInput(const QByteArray &block, int at, const Input &input)
{
    const quint8 mode = byteAt(block, at);
    input.trigger->setCurrentIndex(bitSet(mode, 0) ? ExcitationItem : 0);
    // A colour field with no bit or several bits is damaged: keep what the form shows.
    const quint8 colourBits = mode & ColourMask;
    for (int colour = 0; colour < ColourCount; ++colour) {
        if (colourBits == (1u << (FirstColourBit + colour)))
            input.colour->setCurrentIndex(colour);
    }
    input.appearDelay->setValue(delayFromByte(byteAt(block, at + AppearOffset)));
    input.vanishDelay->setValue(delayFromByte(byteAt(block, at + VanishOffset)));
}

void BRT::showPreview(const Input &input)
{
    const int colour = input.colour->currentIndex();
    if (colour < 0)
        return;
    input.preview->setCurrentIndex(colour + (m_channelsSwapped ? SwappedPreviewOffset : 0));
}

void BRT::on_We1Kolor_currentIndexChanged(int)
{
    showPreview(input1());
}

void BRT::on_ZamianaKanalow_stateChanged(int arg1)
{
    m_channelsSwapped = arg1 != Qt::Unchecked;
    showPreview(input1());
    showPreview(input2());
}

void BRT::on_We2Kolor_currentIndexChanged(int)
{
    showPreview(input2());
}

void BRT::on_ZapiszBRT_clicked()
{
    emit WyslijDaneBRT();
}

void BRT::on_DZBRT_clicked()
{
    emit PobierzDaneZBRT();
}

// The relay options are the engineer's wiring choice, so the defaults leave them alone.
// Setting an unchanged colour emits nothing, hence the explicit preview refresh, which also
// keeps the previews true to the swap state.
void BRT::on_DomyslneBRT_clicked()
{
    const auto applyDefaults = [this](const Input &input, int colour) {
        input.trigger->setCurrentIndex(ExcitationItem);
        input.colour->setCurrentIndex(colour);
        showPreview(input);
        input.vanishDelay->setValue(DefaultDelayMs);
        input.appearDelay->setValue(DefaultDelayMs);
    };
    applyDefaults(input1(), Input1DefaultColour);
    applyDefaults(input2(), Input2DefaultColour);
}

void BRT::on_pLEDBRT_clicked()
{
    emit ProbaLEDBRT();
}

void BRT::on_DTRBRT_clicked()
{
    openDocumentation(QLatin1String(DocumentationPath));
}

void BRT::on_rozlaczBRT_clicked()
{
    emit PowrotPoczatekBRT();
    close();
}

// Each input drives at most one relay and each relay listens to at most one input. Clearing
// a box through setChecked runs that box's own slot, which re-enables what it had disabled.
void BRT::settleRelay(bool ticked, QAbstractButton *sameInputOtherRelay,
                      QAbstractButton *otherInputSameRelay)
{
    if (ticked) {
        sameInputOtherRelay->setChecked(false);
        otherInputSameRelay->setChecked(false);
    }
    otherInputSameRelay->setEnabled(!ticked);
}

void BRT::on_WE1_PK1_stateChanged(int arg1)
{
    settleRelay(arg1 != Qt::Unchecked, ui->WE1_PK2, ui->WE2_PK1);
}

void BRT::on_WE1_PK2_stateChanged(int arg1)
{
    settleRelay(arg1 != Qt::Unchecked, ui->WE1_PK1, ui->WE2_PK2);
}

void BRT::on_WE2_PK1_stateChanged(int arg1)
{
    settleRelay(arg1 != Qt::Unchecked, ui->WE2_PK2, ui->WE1_PK1);
}

void BRT::on_WE2_PK2_stateChanged(int arg1)
{
    settleRelay(arg1 != Qt::Unchecked, ui->WE2_PK1, ui->WE1_PK2);
}
