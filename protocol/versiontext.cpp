#include "protocol/versiontext.h"

#include "protocol/bytes.h"

QString versionText(const QByteArray &reply, bool withRangeVariant)
{
    QString text;
    text += QLatin1Char('v') + charAt(reply, 2) + charAt(reply, 3);
    text += QLatin1Char('d') + charAt(reply, 4) + charAt(reply, 5);
    text += QLatin1Char('m') + charAt(reply, 6) + charAt(reply, 7);
    text += QLatin1Char('r');
    if (withRangeVariant)
        text += charAt(reply, 8);
    return text;
}

QString offlineVersionText()
{
    return versionText(QByteArray(9, '0'), false);
}
