#include "pages/brt/brt.h"
#include "ui_brt.h"

#include "protocol/bytes.h"

namespace {

// Items of the trigger lists.
constexpr int LossItem = 0;
constexpr int ExcitationItem = 1;

// The preview pages for swapped channels follow the four unswapped ones.
constexpr int SwappedPreviewOffset = 4;

const char *const DocumentationPath = "/wp-content/uploads/2021/07/DTR_BRT-1.pdf";

} // namespace

BRT::BRT(QWidget *parent) : DevicePage(parent), ui(new Ui::BRT)
{
    ui->setupUi(this);
    setupCommon(ui->wersja);
    for (QSpinBox *delay : {ui->We1OpoznieniePojawienia, ui->We1OpoznienieZaniku,
                            ui->We2OpoznieniePojawienia, ui->We2OpoznienieZaniku})
        snapToStep(delay);
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
    return currentConfig().encode();
}

// Field by field in frame order: a changed colour or swap moves its preview, and each relay
// box runs the interlock, so a later box of byte 9 wins over an earlier one.
void BRT::decodeConfig(const QByteArray &block)
{
    const BrtConfig config = BrtConfig::decode(block);
    applyInput(config.input1, input1());
    applyInput(config.input2, input2());
    ui->ZamianaKanalow->setChecked(config.channelsSwapped);
    ui->BrakMigowego->setChecked(config.noFastBlinking);
    ui->PamiecStanu->setChecked(config.latching);
    ui->WE1_PK1->setChecked(config.input1Relay1);
    ui->WE1_PK2->setChecked(config.input1Relay2);
    ui->WE2_PK1->setChecked(config.input2Relay1);
    ui->WE2_PK2->setChecked(config.input2Relay2);
    ui->INWERSJA_PK1->setChecked(config.relay1Inverted);
    ui->INWERSJA_PK2->setChecked(config.relay2Inverted);
}

BrtConfig BRT::currentConfig() const
{
    BrtConfig config;
    config.input1 = inputOf(input1());
    config.input2 = inputOf(input2());
    config.channelsSwapped = ui->ZamianaKanalow->isChecked();
    config.noFastBlinking = ui->BrakMigowego->isChecked();
    config.latching = ui->PamiecStanu->isChecked();
    config.input1Relay1 = ui->WE1_PK1->isChecked();
    config.input1Relay2 = ui->WE1_PK2->isChecked();
    config.input2Relay1 = ui->WE2_PK1->isChecked();
    config.input2Relay2 = ui->WE2_PK2->isChecked();
    config.relay1Inverted = ui->INWERSJA_PK1->isChecked();
    config.relay2Inverted = ui->INWERSJA_PK2->isChecked();
    return config;
}

BrtConfig::Input BRT::inputOf(const Input &widgets)
{
    const int colour = widgets.colour->currentIndex();
    BrtConfig::Input input;
    input.onExcitation = widgets.trigger->currentIndex() == ExcitationItem;
    input.colour = colour >= BrtConfig::Red && colour <= BrtConfig::White
                       ? static_cast<BrtConfig::Colour>(colour)
                       : BrtConfig::Unnamed;
    input.appearSteps = delayToByte(widgets.appearDelay->value());
    input.vanishSteps = delayToByte(widgets.vanishDelay->value());
    return input;
}

// A damaged colour field keeps what the form shows; a delay of 0 steps shows the minimum.
void BRT::applyInput(const BrtConfig::Input &input, const Input &widgets)
{
    widgets.trigger->setCurrentIndex(input.onExcitation ? ExcitationItem : LossItem);
    if (input.colour != BrtConfig::Unnamed)
        widgets.colour->setCurrentIndex(input.colour);
    showValue(widgets.appearDelay, delayFromByte(input.appearSteps));
    showValue(widgets.vanishDelay, delayFromByte(input.vanishSteps));
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
    const BrtConfig defaults = BrtConfig::defaults();
    applyInput(defaults.input1, input1());
    showPreview(input1());
    applyInput(defaults.input2, input2());
    showPreview(input2());
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
