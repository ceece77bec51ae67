#pragma once

#include "tests/codecs/codecdomain.h"

// Draws `count` replies of the domain and has `writeBack` answer each, as the codec alone
// or a page does. Returns what the first answer that lost a setting got wrong, or an empty
// string when every answer kept every significant bit.
QString firstLostSetting(const CodecDomain &domain,
                         const std::function<QByteArray(const QByteArray &)> &writeBack, int count,
                         quint32 seed);
