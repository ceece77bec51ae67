#include "tests/fuzz/pagecodecs.h"

#include "app/orva2.h"
#include "protocol/frames.h"

namespace {

const QByteArray ConfigHeader = Frame::configFrame().left(2);
const QByteArray Part2Header = Frame::configFramePart2().left(2);

// Byte 8 of an identification reply: '0' and '1' name the two ranges, anything else is noise.
const QStringList RangeVariants = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("7"),
                                   QString(QChar(0))};

template <class Page>
PageCodec decodingCodec(const char *name, const char *identity, Page &page, const char *header)
{
    PageCodec codec;
    codec.name = QLatin1String(name);
    codec.identity = identity;
    codec.page = &page;
    codec.replyHeader = header;
    codec.decode = [&page](const QByteArray &block) { page.decodeConfig(block); };
    return codec;
}

template <class Page>
PageCodec configCodec(const char *name, const char *identity, Page &page, const char *header)
{
    PageCodec codec = decodingCodec(name, identity, page, header);
    codec.encode = [&page] { return page.encodeConfig(); };
    codec.frameHeaders = {ConfigHeader};
    return codec;
}

template <class Page> PageCodec withRangeVariant(PageCodec codec, Page &page)
{
    codec.configure = [&page](const QString &variant) { page.setRangeVariant(variant); };
    codec.variants = RangeVariants;
    return codec;
}

} // namespace

QVector<PageCodec> pageCodecs(ORVA2 &window)
{
    // The codec value types share names with their reply headers, so those are spelled out.
    using namespace Frame::Reply;
    KZR &kzr = window.kzrPage();
    const QStringList modelCodes = {QLatin1String(Kzr), QLatin1String(Tlmx)};

    PageCodec kzrConfig = configCodec("KZR", Kzr, kzr, Frame::Reply::KzrConfig);
    kzrConfig.configure = [&kzr](const QString &code) { kzr.setModelBanner(code); };
    kzrConfig.variants = modelCodes;

    PageCodec kzrView = kzrConfig;
    kzrView.name = QStringLiteral("KZR view");
    kzrView.replyHeader = Frame::Reply::KzrView;
    kzrView.decode = [&kzr](const QByteArray &block) { kzr.decodeView(block); };

    wrn2v2 &wrn2 = window.wrn2Page();
    PageCodec wrn2Config = decodingCodec("WRN-2", Wrn2, wrn2, Frame::Reply::Wrn2Config);
    wrn2Config.encode = [&wrn2] { return wrn2.encodeConfigPart1() + wrn2.encodeConfigPart2(); };
    wrn2Config.frameHeaders = {ConfigHeader, Part2Header};
    wrn2Config.wholeReplySize = 2 * Frame::Size;

    hel &helPage = window.helPage();
    PageCodec helConfig;
    helConfig.name = QStringLiteral("HEL-1");
    helConfig.identity = Hel;
    helConfig.page = &helPage;
    helConfig.encode = [&helPage] { return helPage.encodeConfig(); };
    helConfig.frameHeaders = {ConfigHeader};

    return {
        kzrConfig,
        kzrView,
        withRangeVariant(configCodec("GA-1", Ga, window.gaPage(), Frame::Reply::GaConfig),
                         window.gaPage()),
        configCodec("WRN-1", Wrn1, window.wrn1Page(), Frame::Reply::Wrn1Config),
        configCodec("DRAV-1", Drav, window.dravPage(), Frame::Reply::DravConfig),
        helConfig,
        wrn2Config,
        withRangeVariant(configCodec("GA-1 MI", Gami, window.gamiPage(), Frame::Reply::GamiConfig),
                         window.gamiPage()),
        configCodec("ZEGAR-1", Zegar, window.zegarPage(), Frame::Reply::ZegarConfig),
        configCodec("NOV-1", Nov, window.novPage(), Frame::Reply::NovConfig),
        configCodec("BRT-1", Brt, window.brtPage(), Frame::Reply::BrtConfig),
        configCodec("Tester KZR-1", Tester, window.testerPage(), Frame::Reply::TesterConfig),
    };
}

PageCodec codecFor(const QVector<PageCodec> &codecs, const QByteArray &identity)
{
    // The TLMX-1 is a variant of the KZR-1 and shares its page.
    const QByteArray page = identity == Frame::Reply::Tlmx ? Frame::Reply::Kzr : identity;
    for (const PageCodec &codec : codecs) {
        if (codec.identity == page)
            return codec;
    }
    qFatal("no page codec for identity %s", identity.constData());
}

QString malformedFrames(const PageCodec &codec)
{
    const QByteArray frames = codec.encode();
    if (frames.size() != codec.frameHeaders.size() * Frame::Size)
        return QStringLiteral("%1 encodes %2 bytes").arg(codec.name).arg(frames.size());
    for (int i = 0; i < codec.frameHeaders.size(); ++i) {
        if (frames.mid(i * Frame::Size, 2) != codec.frameHeaders.at(i))
            return QStringLiteral("%1 frame %2 is %3")
                .arg(codec.name)
                .arg(i)
                .arg(QString::fromLatin1(frames.toHex(' ')));
    }
    return QString();
}
