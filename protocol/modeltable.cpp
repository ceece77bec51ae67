#include "protocol/modeltable.h"

#include "protocol/frames.h"

namespace {

using Id = ModelInfo::Id;
using namespace Frame::Reply;

const char *const Loaded = "Konfiguracja pobrana";

const QList<ModelInfo> &rows()
{
    static const QList<ModelInfo> table = {
        {Id::Kzr, "KZR-1", Kzr, "Urządznie: KZR-1/TLMX-1", KzrConfig, Loaded, 1, false, true,
         Frame::DeviceBaudRate},
        {Id::Tlmx, "TLMX-1", Tlmx, "Urządznie: KZR-1/TLMX-1", KzrConfig, Loaded, 1, false, true,
         Frame::DeviceBaudRate},
        {Id::Ga, "GA-1", Ga, "Urządznie: GA-1", GaConfig, Loaded, 1, true, false,
         Frame::DeviceBaudRate},
        {Id::Wrn1, "WRN-1", Wrn1, "Urządznie: WRN-1", Wrn1Config, Loaded, 1, false, false,
         Frame::DeviceBaudRate},
        {Id::Drav, "DRAV-1", Drav, "Urządznie: DRAV-1", DravConfig, Loaded, 1, false, false,
         Frame::DeviceBaudRate},
        {Id::Hel, "HEL-1", Hel, "Urządznie: HEL-1", "", "", 1, false, false,
         Frame::DeviceBaudRate},
        {Id::Wrn2, "WRN-2", Wrn2, "Urządznie: WRN-2", Wrn2Config, Loaded, 2, false, false,
         Frame::DeviceBaudRate},
        {Id::Gami, "GA-1 MI", Gami, "Urządznie: GA-1 MI", GamiConfig, Loaded, 1, true, false,
         Frame::DeviceBaudRate},
        {Id::Zegar, "ZEGAR-1", Zegar, "Urządznie: ZEGAR-1", ZegarConfig,
         "Konfiguracja pobrana ZEGR", 1, false, false, Frame::DeviceBaudRate},
        {Id::Nov, "NOV-1", Nov, "Urządznie: NOV-1", NovConfig, "Konfiguracja pobrana NOV", 1,
         false, false, Frame::DeviceBaudRate},
        {Id::Brt, "BRT-1", Brt, "Urządznie: BRT", BrtConfig, Loaded, 1, false, false,
         Frame::DeviceBaudRate},
        {Id::Tester, "Tester KZR-1", Tester, "Urządznie: Tester KZR-1", TesterConfig,
         "Konfiguracja pobrana Tester KZR", 1, false, false, Frame::TesterBaudRate},
    };
    return table;
}

// Names are matched without regard to case, spaces or dashes, so "ga1mi" finds "GA-1 MI".
QString folded(const QString &name)
{
    QString result = name.toUpper();
    result.remove(QLatin1Char(' '));
    result.remove(QLatin1Char('-'));
    return result;
}

} // namespace

int ModelInfo::configReplySize() const
{
    return configFrames * Frame::Size;
}

const QList<ModelInfo> &ModelInfo::all()
{
    return rows();
}

const ModelInfo *ModelInfo::byIdentity(const QByteArray &block)
{
    for (const ModelInfo &model : rows()) {
        if (Frame::hasHeader(block, model.identity))
            return &model;
    }
    return nullptr;
}

const ModelInfo *ModelInfo::byConfigHeader(const QByteArray &block)
{
    for (const ModelInfo &model : rows()) {
        if (model.answersRead() && Frame::hasHeader(block, model.configHeader))
            return &model;
    }
    return nullptr;
}

const ModelInfo *ModelInfo::find(const QString &nameOrIdentity)
{
    for (const ModelInfo &model : rows()) {
        if (nameOrIdentity == QLatin1String(model.identity) ||
            folded(nameOrIdentity) == folded(QLatin1String(model.name)))
            return &model;
    }
    return nullptr;
}

const ModelInfo &ModelInfo::of(Id id)
{
    return rows().at(static_cast<int>(id));
}

bool startsWithKnownReply(const QByteArray &block)
{
    if (ModelInfo::byIdentity(block) || ModelInfo::byConfigHeader(block))
        return true;
    for (const char *header : {KzrView, LedTestEcho, Acknowledge}) {
        if (Frame::hasHeader(block, header))
            return true;
    }
    return false;
}
