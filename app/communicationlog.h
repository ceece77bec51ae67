#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

class QTextBrowser;

// The coloured log under the pages: red for what goes to the device, blue for what comes
// back. Some lines are written in whatever colour the log had last, so the colour is a
// property of the log, not of each call.
class CommunicationLog
{
public:
    explicit CommunicationLog(QTextBrowser *view);

    // A line about a frame going out, in red.
    void sent(const QString &line, const QByteArray &frame);
    // Switches to blue for everything the receive handler writes about a block.
    void beginReceived(const QByteArray &block);
    // A line about the block last passed to beginReceived, in the current colour.
    void received(const QString &line);
    // A line in whatever colour is current.
    void note(const QString &line);

private:
    void append(const QString &line, const QByteArray &frame);

    QTextBrowser *m_view;
    QByteArray m_block;
};
