#include "app/modelpages.h"

#include "app/orva2.h"

namespace {

using Id = ModelInfo::Id;

template <typename Page, Page Pages::*member> DevicePage &pageIn(Pages &pages)
{
    return pages.*member;
}

const QList<ModelPage> &rows()
{
    static const char *const ReadSlot = SLOT(PobierzDaneSlot());
    static const char *const LedSlot = SLOT(ProbaLEDslot());
    static const char *const ResetSlot = SLOT(KASOWANIESlot());
    // KZR-1 and TLMX-1 share one page.
    static const QList<ModelPage::Wire> kzrWires = {
        {SIGNAL(WyslijDaneKZR()), SLOT(WyslijDaneKZRSlot())},
        {SIGNAL(PobierzDaneZKZR()), ReadSlot},
        {SIGNAL(WidokZalaczonyKZR()), SLOT(PobierzWidokZKZRSlot())},
        {SIGNAL(OdblokujZProgramu()), SLOT(OdblokujZProgramuKZRSlot())}};

    static const QList<ModelPage> table = {
        {Id::Kzr, pageIn<KZR, &Pages::kzr>, SIGNAL(PowrotPoczatek()), kzrWires, Offline::KzrModel, SIGNAL(KZROfflineSignal()), "Urządznie: KZR-1 - tryb offline", true},
        {Id::Tlmx, pageIn<KZR, &Pages::kzr>, SIGNAL(PowrotPoczatek()), kzrWires, Offline::TlmxModel, SIGNAL(TLMXOfflineSignal()), "Urządznie: TLMX-1 - tryb offline",
         true},
        {Id::Ga, pageIn<ga, &Pages::ga1>, SIGNAL(PowrotPoczatekGA()),
         {{SIGNAL(WyslijDaneGA()), SLOT(WyslijDaneGASlot())},
          {SIGNAL(PobierzDaneZGA()), ReadSlot},
          {SIGNAL(ProbaLEDGA()), LedSlot}},
         Offline::GaModel, SIGNAL(GAOfflineSignal()), "Urządznie: GA-1 - tryb offline", true},
        {Id::Wrn1, pageIn<WRN2, &Pages::wrn1>, SIGNAL(PowrotPoczatekWRN()),
         {{SIGNAL(WyslijDaneWRN()), SLOT(WyslijDaneWRNSlot())},
          {SIGNAL(PobierzDaneZWRN()), ReadSlot},
          {SIGNAL(ProbaLED()), LedSlot},
          {SIGNAL(KasowanieLEDWRN()), ResetSlot}},
         Offline::Wrn1Model, SIGNAL(WRNOfflineSignal()), "Urządznie: WRN-1 - tryb offline", true},
        {Id::Drav, pageIn<DRAV, &Pages::drav1>, SIGNAL(PowrotPoczatekDRAV()),
         {{SIGNAL(WyslijDaneDRAV()), SLOT(WyslijDaneDRAVSlot())},
          {SIGNAL(PobierzDaneZDRAV()), ReadSlot},
          {SIGNAL(ProbaLED()), LedSlot}},
         Offline::DravModel, SIGNAL(DRAVOfflineSignal()), "Urządznie: DRAV-1 - tryb offline",
         true},
        // The HEL-1 page's read and LED-test signals stay unconnected: the relay has neither.
        {Id::Hel, pageIn<hel, &Pages::hel1>, SIGNAL(PowrotPoczatekHEL()),
         {{SIGNAL(WyslijDaneHEL()), SLOT(WyslijDaneHELSlot())}},
         Offline::None, nullptr, nullptr, false},
        {Id::Wrn2, pageIn<wrn2v2, &Pages::wrn2>, SIGNAL(PowrotPoczatekWRN2()),
         {{SIGNAL(WyslijDaneWRN2()), SLOT(WyslijDaneWRN2Slot())},
          {SIGNAL(PobierzDaneZWRN2()), ReadSlot},
          {SIGNAL(ProbaLEDWRN2()), LedSlot},
          {SIGNAL(KasowanieLEDWRN2()), ResetSlot}},
         Offline::Wrn2Model, SIGNAL(WRN2OfflineSignal()), "Urządznie: WRN-2 - tryb offline",
         true},
        {Id::Gami, pageIn<gami, &Pages::gami1>, SIGNAL(PowrotPoczatekGAMI()),
         {{SIGNAL(WyslijDaneGAMI()), SLOT(WyslijDaneGAMISlot())},
          {SIGNAL(PobierzDaneZGAMI()), ReadSlot},
          {SIGNAL(ProbaLEDGAMI()), LedSlot}},
         Offline::GamiModel, SIGNAL(GAMIOfflineSignal()), "Urządznie: GA-1 MI - tryb offline",
         true},
        {Id::Zegar, pageIn<Milisekundomierz, &Pages::zegar1>, SIGNAL(PowrotPoczatekZEGAR()),
         {{SIGNAL(WyslijDaneZEGAR()), SLOT(WyslijDaneZEGARSlot())},
          {SIGNAL(PobierzDaneZZEGAR()), ReadSlot},
          {SIGNAL(ProbaLEDZEGAR()), LedSlot}},
         Offline::None, nullptr, nullptr, false},
        {Id::Nov, pageIn<nov, &Pages::nov1>, SIGNAL(PowrotPoczatekNOV()),
         {{SIGNAL(WyslijDaneNOV()), SLOT(WyslijDaneNOVSlot())},
          {SIGNAL(PobierzDaneZNOV()), ReadSlot},
          {SIGNAL(ProbaLEDNOV()), LedSlot}},
         Offline::None, nullptr, nullptr, false},
        // BRT-1 opens offline without a version text.
        {Id::Brt, pageIn<BRT, &Pages::brt1>, SIGNAL(PowrotPoczatekBRT()),
         {{SIGNAL(WyslijDaneBRT()), SLOT(WyslijDaneBRTSlot())},
          {SIGNAL(PobierzDaneZBRT()), ReadSlot},
          {SIGNAL(ProbaLEDBRT()), LedSlot}},
         Offline::BrtModel, SIGNAL(BRTOfflineSignal()), "Urządznie: BRT-1 - tryb offline", false},
        {Id::Tester, pageIn<TesterKZR, &Pages::tester>, SIGNAL(PowrotPoczatekTesterKZR()),
         {{SIGNAL(WyslijDaneTesterKZR()), SLOT(WyslijDaneTesterKZRSlot())},
          {SIGNAL(PobierzDaneZTesterKZR()), ReadSlot}},
         Offline::None, nullptr, nullptr, false},
    };
    return table;
}

} // namespace

const QList<ModelPage> &ModelPage::all()
{
    return rows();
}

const ModelPage &ModelPage::of(ModelInfo::Id id)
{
    return rows().at(static_cast<int>(id));
}

const ModelPage *ModelPage::byOfflineChoice(int choice)
{
    for (const ModelPage &row : rows()) {
        if (row.offlineChoice != Offline::None && row.offlineChoice == choice)
            return &row;
    }
    return nullptr;
}
