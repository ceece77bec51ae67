#include "pages/kzr/kzr.h"
#include "ui_kzr.h"

#include "pages/common/changemarks.h"

#include "codecs/kzrview.h"
#include "protocol/frames.h"

#include <QGraphicsOpacityEffect>
#include <QLoggingCategory>

// Per-field decoding output for tracing a device; silent unless enabled by logging rules.
Q_LOGGING_CATEGORY(lcKzr, "orva.pages.kzr", QtInfoMsg)

namespace {

enum StackPage
{
    SettingsPage = 0,
    DeviceViewPage = 1
};

constexpr int ViewPollMs = 1000;
// A reply normally follows each request within a second; three without one mean the
// device has stopped answering.
constexpr int ViewStaleMs = 3000;
constexpr qreal StaleIndicatorOpacity = 0.3;
// The age is said to a tenth of a second; a finer tick would only cost drawing.
constexpr int AgeTickMs = 100;

const char DocumentationPath[] = "/wp-content/uploads/2021/07/DTR_KZR-1.pdf";

QString bannerText(const char *model)
{
    return QStringLiteral("<html><head/><body><p align=\"center\"><span style=\" "
                          "font-size:7pt;\">%1</span></p></body></html>")
        .arg(QLatin1String(model));
}

// A code that is none of the six says nothing about the colour, so the choice stays.
void selectColour(QComboBox *box, KzrConfig::Colour colour)
{
    if (colour != KzrConfig::NoColour)
        box->setCurrentIndex(colour);
}

KzrConfig::Colour colourOf(const QComboBox *box)
{
    return static_cast<KzrConfig::Colour>(box->currentIndex());
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
    // The live view shows the device, not settings.
    changeMarks().exclude(ui->stronaWidok);
    ui->KonfNapPomWidok->setCurrentIndex(SettingsPage);

    m_viewPoll.setObjectName(QStringLiteral("viewPollTimer"));
    m_viewPoll.setSingleShot(true);
    m_viewPoll.setInterval(ViewPollMs);
    connect(&m_viewPoll, &QTimer::timeout, this, &KZR::WidokZalaczonyKZR);

    m_viewStale.setObjectName(QStringLiteral("viewStaleTimer"));
    m_viewStale.setSingleShot(true);
    m_viewStale.setInterval(ViewStaleMs);
    connect(&m_viewStale, &QTimer::timeout, this, [this] { showViewStale(true); });
    m_ageTick.setObjectName(QStringLiteral("viewAgeTimer"));
    m_ageTick.setInterval(AgeTickMs);
    connect(&m_ageTick, &QTimer::timeout, this, &KZR::showViewAge);
    for (QWidget *indicator :
         {static_cast<QWidget *>(ui->LEDBlokada), static_cast<QWidget *>(ui->LEDBrakBlokady),
          static_cast<QWidget *>(ui->NAPL1), static_cast<QWidget *>(ui->NAPL2),
          static_cast<QWidget *>(ui->NAPL3)}) {
        auto *grey = new QGraphicsOpacityEffect(indicator);
        grey->setOpacity(StaleIndicatorOpacity);
        indicator->setGraphicsEffect(grey);
    }
    // The view keeps its place whether or not it says that the relay is silent.
    QSizePolicy keepsRoom = ui->BrakDanychWidok->sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    ui->BrakDanychWidok->setSizePolicy(keepsRoom);
    showViewStale(false);
}

KZR::~KZR()
{
    delete ui;
}

QList<QAbstractButton *> KZR::unlockBoxes() const
{
    return {ui->odblok_we1, ui->odblok_we2, ui->odblok_przycisk, ui->odblok_pc,
            ui->tlmx_pk1,   ui->tlmx_pk2,   ui->tlmx_2kol};
}

QList<QAbstractButton *> KZR::relay1Boxes() const
{
    return {ui->pk1_odblok, ui->pk1_powwe1, ui->pk1_powwe2, ui->pk1_przycisk, ui->pk1_nappom};
}

QList<QAbstractButton *> KZR::relay2Boxes() const
{
    return {ui->pk2_odblok, ui->pk2_powwe1, ui->pk2_powwe2, ui->pk2_przycisk, ui->pk2_nappom};
}

QList<QAbstractButton *> KZR::inputBoxes() const
{
    return {ui->inw_we1, ui->inw_we2, ui->inw_pk1, ui->inw_pk2, ui->uz_we1, ui->uz_we2};
}

KzrConfig KZR::formConfig() const
{
    KzrConfig config;
    config.unlock = packBits(unlockBoxes());
    config.unlockSeconds = static_cast<quint8>(ui->odblokowani_czas->value());
    config.relay1 = packBits(relay1Boxes());
    config.relay2 = packBits(relay2Boxes());
    config.inputs = packBits(inputBoxes());
    config.voltageAppearanceMs = static_cast<quint16>(ui->knp_T1->value());
    config.voltageLossMs = static_cast<quint16>(ui->knp_T2->value());
    config.blockedColour = colourOf(ui->cbCOLOR);
    config.freeColour = colourOf(ui->cbCOLOR_2);
    config.earthingColour = colourOf(ui->cbCOLOR_3);
    return config;
}

QByteArray KZR::encodeConfig() const
{
    return formConfig().encode();
}

void KZR::applyConfig(const KzrConfig &config)
{
    // A later field may legitimately undo an earlier one: the last relay source wins, an
    // earthing input takes its input away from the unlock sources. Spin boxes clamp.
    unpackBits(config.unlock, unlockBoxes());
    showValue(ui->odblokowani_czas, config.unlockSeconds);
    unpackBits(config.relay1, relay1Boxes());
    unpackBits(config.relay2, relay2Boxes());
    unpackBits(config.inputs, inputBoxes());
    showValue(ui->knp_T1, config.voltageAppearanceMs);
    showValue(ui->knp_T2, config.voltageLossMs);
    selectColour(ui->cbCOLOR, config.blockedColour);
    selectColour(ui->cbCOLOR_2, config.freeColour);
    selectColour(ui->cbCOLOR_3, config.earthingColour);
}

void KZR::decodeConfig(const QByteArray &block)
{
    const KzrConfig config = KzrConfig::decode(block);
    qCDebug(lcKzr) << "unlock sources" << config.unlock;
    qCDebug(lcKzr) << "unlock time" << config.unlockSeconds;
    qCDebug(lcKzr) << "relay 1 source" << config.relay1;
    qCDebug(lcKzr) << "relay 2 source" << config.relay2;
    qCDebug(lcKzr) << "inversions and earthing inputs" << config.inputs;
    qCDebug(lcKzr) << "voltage appearance delay" << config.voltageAppearanceMs;
    qCDebug(lcKzr) << "voltage loss delay" << config.voltageLossMs;
    qCDebug(lcKzr) << "blocked LED colour" << config.blockedColour;
    qCDebug(lcKzr) << "not blocked LED colour" << config.freeColour;
    qCDebug(lcKzr) << "earthing switch LED colour" << config.earthingColour;
    applyConfig(config);

    // Defaults may have disabled an earthing input outright, and a read-back earthing input
    // would then stay checked with no way to clear it. Once a configuration is read, only its
    // input serving as an unlock source keeps an earthing input disabled.
    ui->uz_we1->setEnabled(!ui->odblok_we1->isChecked());
    ui->uz_we2->setEnabled(!ui->odblok_we2->isChecked());
}

void KZR::decodeView(const QByteArray &block)
{
    const KzrView view = KzrView::decode(block);
    qCDebug(lcKzr) << "view blocking" << view.blocking;

    ui->LEDBlokada->setChecked(view.blocking);
    ui->LEDBrakBlokady->setChecked(!view.blocking);
    ui->NAPL3->setChecked(view.voltageL3);
    ui->NAPL2->setChecked(view.voltageL2);
    ui->NAPL1->setChecked(view.voltageL1);
    qCDebug(lcKzr) << "voltages L3" << view.voltageL3 << "L2" << view.voltageL2 << "L1"
                   << view.voltageL1;
    m_sinceView.start();
    showViewStale(false);

    // The next request follows the reply rather than a clock, so a device that stops
    // answering is not flooded; the chain simply ends.
    if (viewShown()) {
        m_viewPoll.start();
        m_viewStale.start();
    }
}

// A command sent to a relay that has fallen silent only misleads: unlocking waits for a
// fresh view.
void KZR::showViewStale(bool stale)
{
    const bool changed = stale != m_stale;
    m_stale = stale;
    ui->BrakDanychWidok->setVisible(stale);
    for (QWidget *indicator :
         {static_cast<QWidget *>(ui->LEDBlokada), static_cast<QWidget *>(ui->LEDBrakBlokady),
          static_cast<QWidget *>(ui->NAPL1), static_cast<QWidget *>(ui->NAPL2),
          static_cast<QWidget *>(ui->NAPL3)})
        indicator->graphicsEffect()->setEnabled(stale);
    showViewAge();
    if (changed)
        emit viewStaleChanged(stale);
}

void KZR::showEvent(QShowEvent *event)
{
    DevicePage::showEvent(event);
    if (viewShown()) {
        m_ageTick.start();
        showViewAge();
    }
}

void KZR::hideEvent(QHideEvent *event)
{
    DevicePage::hideEvent(event);
    m_ageTick.stop();
}

void KZR::showViewAge()
{
    const bool answered = m_sinceView.isValid();
    ui->PrzyciskOdblok->setEnabled(answered && !m_stale && m_sinceView.elapsed() < ViewStaleMs);
    if (!answered) {
        ui->wiekWidoku->setText(QStringLiteral("brak odpowiedzi z urządzenia"));
        return;
    }
    const double seconds = double(m_sinceView.elapsed()) / 1000.0;
    ui->wiekWidoku->setText(QStringLiteral("ostatnia odpowiedź %1 s temu")
                                .arg(locale().toString(seconds, 'f', 1)));
}

void KZR::setModelBanner(const QString &code)
{
    m_modelCode = code;
    const bool kzr = code == QLatin1String(Frame::Reply::Kzr);
    const bool tlmx = code == QLatin1String(Frame::Reply::Tlmx);
    if (!kzr && !tlmx)
        return;

    // The same instance may serve both models in one run, so every change made for one
    // model is undone for the other; the TLMX-1 special options all become usable, as its
    // defaults leave them.
    ui->NazwaUrzadzenia->setText(bannerText(tlmx ? "TLMX-1" : "KZR-1"));
    ui->konfSpec->setEnabled(tlmx);
    ui->tlmx_pk1->setEnabled(tlmx);
    if (tlmx) {
        ui->tlmx_pk2->setEnabled(true);
        ui->tlmx_2kol->setEnabled(true);
    }

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
        m_viewStale.start();
        m_ageTick.start();
        showViewAge();
        emit WidokZalaczonyKZR();
        ui->Zapisz->setEnabled(false);
        ui->DZ->setEnabled(false);
    } else {
        m_viewStale.stop();
        m_ageTick.stop();
        // Switched off, the view no longer claims the relay is silent.
        showViewStale(false);
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

    applyConfig(tlmx ? KzrConfig::tlmxDefaults() : KzrConfig::kzrDefaults());

    // What a model's defaults leave unused stays locked until the engineer frees it: the
    // interlocks have already locked the other relay sources, and permanent unlock the
    // other unlock sources.
    uncheckAndDisable({ui->uz_we1, ui->uz_we2});
    ui->cbCOLOR_3->setEnabled(false);
    if (tlmx) {
        for (QWidget *unused :
             {static_cast<QWidget *>(ui->odblok_we1), static_cast<QWidget *>(ui->odblok_we2),
              static_cast<QWidget *>(ui->odblok_przycisk),
              static_cast<QWidget *>(ui->odblokowani_czas)})
            unused->setEnabled(false);
    }
    // A TLMX-1 keeps its special options editable, even after a KZR-1 set disabled them.
    for (QAbstractButton *special : {ui->tlmx_pk1, ui->tlmx_pk2, ui->tlmx_2kol})
        special->setEnabled(tlmx);
}
