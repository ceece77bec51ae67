#pragma once

#include <QByteArray>
#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

class QTextBrowser;

// The coloured log under the pages: red for what goes to the device, blue for what comes
// back. Some lines are written in whatever colour the log had last, so the colour is a
// property of the log, not of each call. A line about a frame carries, as its tool tip, the
// time of the exchange and the frame's bytes in hexadecimal, so the text itself stays short.
class CommunicationLog : public QObject
{
    Q_OBJECT

public:
    explicit CommunicationLog(QTextBrowser *view);

    // A line about a frame going out, in red; `written` says whether the port took it.
    void sent(const QString &line, const QByteArray &frame, bool written);
    // Switches to blue for everything the receive handler writes about a block.
    void beginReceived(const QByteArray &block);
    // A line about the block last passed to beginReceived, in the current colour.
    void received(const QString &line);
    // A line in whatever colour is current, about no frame.
    void note(const QString &line);
    // Something that did not happen as asked (a frame not sent, no answer, a lost link), in
    // a colour of its own so it is never read as a frame sent or received.
    void failure(const QString &line);

    // The colour of failure lines: neither the red of sent frames nor the blue of replies.
    static const QColor FailureColour;
    // A tool tip shows at most this many bytes of a frame; a runaway burst would otherwise
    // make a line of megabytes.
    static constexpr int MaxHexBytes = 64;

    // Every line, oldest first.
    QStringList lines() const;
    // The tool tip of the given line (0 is the first), empty for a line about no frame.
    QString toolTipOfLine(int line) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void append(const QString &line, const QString &toolTip);

    QTextBrowser *m_view;
    QString m_receivedToolTip;
};
