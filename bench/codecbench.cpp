#include "bench/codecbench.h"

#include "bench/benchtable.h"

#include "app/orva2.h"
#include "codecs/brtconfig.h"
#include "codecs/dravconfig.h"
#include "codecs/gaconfig.h"
#include "codecs/helconfig.h"
#include "codecs/kzrconfig.h"
#include "codecs/kzrview.h"
#include "codecs/novconfig.h"
#include "codecs/testerconfig.h"
#include "codecs/wrn1config.h"
#include "codecs/wrn2config.h"
#include "codecs/zegarconfig.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QElapsedTimer>

#include <functional>

namespace {

using Id = ModelInfo::Id;
using Call = std::function<void(int call)>;

constexpr qint64 RunNs = 200 * 1000 * 1000;

// Calls per second of `call`, repeated for a fixed time; "-" for a coding the model lacks.
QString perSecond(const Call &call)
{
    if (!call)
        return QStringLiteral("-");
    QElapsedTimer clock;
    clock.start();
    int calls = 0;
    while (clock.nsecsElapsed() < RunNs) {
        for (int i = 0; i < 64; ++i)
            call(calls++);
    }
    return QStringLiteral("%L1 /s").arg(calls / (clock.nsecsElapsed() / 1e9), 0, 'f', 0);
}

// Two configurations in turn, so every call changes the form as a real read does.
struct Replies
{
    QByteArray blocks[2];

    Replies(const QByteArray &header, int frames)
    {
        const int length = frames * Frame::Size;
        for (char fill : {1, 2})
            blocks[fill - 1] = (header + QByteArray(length, fill)).left(length);
    }
    const QByteArray &operator[](int call) const { return blocks[call % 2]; }
};

struct Coding
{
    QString name;
    Call codecEncode, codecDecode, pageEncode, pageDecode;
};

template <class Config, class Page>
Coding coding(Id id, Page &page, std::function<QByteArray(Page &)> pageEncode)
{
    const ModelInfo &model = ModelInfo::of(id);
    const Replies replies(model.configHeader, model.configFrames);
    const Config configs[2] = {Config::decode(replies[0]), Config::decode(replies[1])};
    return {model.nameText(), [=](int call) { configs[call % 2].encode(); },
            [=](int call) { Config::decode(replies[call]); },
            [&page, pageEncode](int) { pageEncode(page); },
            [&page, replies](int call) { page.decodeConfig(replies[call]); }};
}

template <class Config, class Page> Coding coding(Id id, Page &page)
{
    return coding<Config, Page>(id, page, [](Page &page) { return page.encodeConfig(); });
}

QVector<Coding> codings(ORVA2 &window)
{
    const Replies views(Frame::Reply::KzrView, 1);
    KZR &kzr = window.kzrPage();
    hel &helPage = window.helPage();
    return {
        coding<KzrConfig>(Id::Kzr, kzr),
        {QStringLiteral("KZR-1 view"), nullptr, [=](int call) { KzrView::decode(views[call]); },
         nullptr, [&kzr, views](int call) { kzr.decodeView(views[call]); }},
        coding<GaConfig>(Id::Ga, window.gaPage()),
        coding<Wrn1Config>(Id::Wrn1, window.wrn1Page()),
        coding<DravConfig>(Id::Drav, window.dravPage()),
        {QStringLiteral("HEL-1"), [](int) { HelConfig().encode(); }, nullptr,
         [&helPage](int) { helPage.encodeConfig(); }, nullptr},
        coding<Wrn2Config, wrn2v2>(
            Id::Wrn2, window.wrn2Page(),
            [](wrn2v2 &page) { return page.encodeConfigPart1() + page.encodeConfigPart2(); }),
        coding<GaConfig>(Id::Gami, window.gamiPage()),
        coding<ZegarConfig>(Id::Zegar, window.zegarPage()),
        coding<NovConfig>(Id::Nov, window.novPage()),
        coding<BrtConfig>(Id::Brt, window.brtPage()),
        coding<TesterConfig>(Id::Tester, window.testerPage()),
    };
}

} // namespace

void CodecBench::run(BenchTable &table)
{
    ORVA2 window;
    for (const Coding &coding : codings(window)) {
        table.add(
            QStringLiteral("%1: encode / decode calls per second, codec; page").arg(coding.name),
            QStringLiteral("%1 / %2; %3 / %4")
                .arg(perSecond(coding.codecEncode), perSecond(coding.codecDecode),
                     perSecond(coding.pageEncode), perSecond(coding.pageDecode)));
    }
}
