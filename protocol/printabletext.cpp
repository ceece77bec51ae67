#include "protocol/printabletext.h"

QString PrintableText::of(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const ushort code = c.unicode();
        // C0, DEL and C1: a terminal acts on each of them.
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            result += QString::asprintf("\\x%02x", code);
        else
            result += c;
    }
    return result;
}
