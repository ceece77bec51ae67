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
