#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class ORVA2;
class QWidget;

// One way the program turns received bytes into a form, reached through the window that
// owns the page, with what the page sends back from that form.
struct PageCodec
{
    QString name;
    QWidget *page = nullptr;
    // The header the device puts in front of blocks for this decoder.
    QByteArray replyHeader;
    // Empty for a page that has no decoder.
    std::function<void(const QByteArray &)> decode;
    // Every frame the page sends for its configuration, back to back.
    std::function<QByteArray()> encode;
    // Headers each encoded frame must start with, one per frame.
    QList<QByteArray> frameHeaders;
    // Settings given at identification that change how later blocks decode, and the
    // values they take.
    std::function<void(const QString &)> configure;
    QStringList variants;
};

QVector<PageCodec> pageCodecs(ORVA2 &window);
