#include "tests/codecs/codecdomain.h"

namespace {

QVector<CodecDomain> &registry()
{
    static QVector<CodecDomain> domains;
    return domains;
}

} // namespace

bool registerCodecDomain(const CodecDomain &domain)
{
    registry().append(domain);
    return true;
}

const QVector<CodecDomain> &codecDomains()
{
    return registry();
}

const CodecDomain *codecDomainOf(const ModelInfo &model)
{
    for (const CodecDomain &domain : codecDomains()) {
        const ModelInfo *drawn = ModelInfo::byIdentity(domain.identity);
        const bool narrowRange = domain.rangeVariant.isEmpty() || domain.rangeVariant == "0";
        if (drawn && narrowRange && qstrcmp(drawn->configHeader, model.configHeader) == 0)
            return &domain;
    }
    return nullptr;
}

QByteArray drawnConfiguration(const ModelInfo &model, QRandomGenerator &random)
{
    const CodecDomain *domain = codecDomainOf(model);
    return domain ? domain->writeBack(domain->randomReply(random)) : QByteArray();
}

QByteArray drawnConfiguration(ModelInfo::Id model, quint32 seed)
{
    QRandomGenerator random(seed);
    return drawnConfiguration(ModelInfo::of(model), random);
}

QByteArray payloadOf(const QByteArray &frames)
{
    QByteArray payload;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        payload += frames.mid(at + 2, Frame::Size - 2);
    return payload;
}
