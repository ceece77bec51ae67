#include "tests/reliability/formframes.h"

#include "app/orva2.h"
#include "pages/common/devicepage.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QMetaMethod>
#include <QRandomGenerator>
#include <QSignalSpy>

QList<QByteArray> sentFrames(ORVA2 &window, QWidget *page)
{
    QSignalSpy sent(&window.link(), &DeviceLink::frameSent);
    const QMetaObject *meta = page->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && method.name().startsWith("WyslijDane"))
            method.invoke(page, Qt::DirectConnection);
    }
    QList<QByteArray> frames;
    for (const QList<QVariant> &arguments : sent)
        frames << arguments.at(0).toByteArray();
    return frames;
}

void fillForm(QWidget *page, const QByteArray &identity, QRandomGenerator &random)
{
    const ModelInfo *model = ModelInfo::byIdentity(identity);
    QByteArray reply = model->configHeader;
    while (reply.size() < model->configReplySize())
        reply += static_cast<char>(random.bounded(256));
    qobject_cast<DevicePage *>(page)->decodeConfig(reply);
}
