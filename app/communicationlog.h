#pragma once

#include <QByteArray>
#include <QColor>
#include <QObject>
#include <QString>
#include <QTextBlock>
#include <QStringList>
#include <QTextCharFormat>
#include <QVector>

#include <functional>

class QMenu;
class QPoint;
class QTextBrowser;

// The coloured log under the pages: red for what goes to the device, blue for what comes
// back. Some lines of the connection are written in whatever colour the log had last, so
// the colour is a property of the log, not of each call; the program's own remarks (files
// saved, a write confirmed) have a colour of their own. Every line remembers when it was written and, for
// a line about a frame, the frame's bytes in hexadecimal; both show as its tool tip, so the
// text itself stays short, and both go into a saved log.
//
// Lines reach the view in the event loop's next turn, after any paint already asked for, so
// a reply's form is on screen before the log has laid out the line about it; every reader of
// the log (lines, tool tips, saving) sees every line written.
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
    // The program's own remark about what it did (a file saved, a write confirmed), in its
    // own colour; the colour after it is the one before it.
    void remark(const QString &line);
    // The line just written is the live view's polling: a request or reply that comes every
    // second for as long as the view is on.
    void markPolling();
    // The view's polling lines hidden from the log shown; a saved log still holds them.
    void setPollingHidden(bool hidden);
    bool pollingHidden() const { return m_pollingHidden; }

    // Something that did not happen as asked (a frame not sent, no answer, a lost link), in
    // a colour of its own so it is never read as a frame sent or received.
    void failure(const QString &line);

    // The colour of failure lines: neither the red of sent frames nor the blue of replies.
    static const QColor FailureColour;
    // The colour of the program's remarks: none of the above, and not black, which the
    // connection's own lines may have.
    static const QColor RemarkColour;
    // A tool tip shows at most this many bytes of a frame; a runaway burst would otherwise
    // make a line of megabytes.
    static constexpr int MaxHexBytes = 64;
    // The live view of an interlock adds two lines a second for as long as it is on; older
    // lines give way so the log never grows without bound.
    static constexpr int MaxLines = 5000;
    // Lines beyond MaxLines give way together once there are this many of them.
    static constexpr int DroppedTogether = MaxLines / 10;

    // Every line, oldest first.
    QStringList lines() const;
    // The newest line; empty when there is none.
    QString lastLine() const;
    // The tool tip of the given line (0 is the oldest kept).
    QString toolTipOfLine(int line) const;

    // The log's own menu: the text field's copy and select-all, clearing and saving.
    QMenu *createContextMenu();
    // The lines a saved log starts with: what was worked on, as "Name: value".
    void setHeader(std::function<QStringList()> header);
    // Writes the header, then every line as UTF-8 text, one entry a line: date and time,
    // line and, for a frame, what became of it and its bytes, separated by tabs. On failure
    // returns false and says why.
    bool saveTo(const QString &path, QString *error) const;

public slots:
    // Empties the log; the next line keeps the colour the log had.
    void clear();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A line told to the log, not yet in the view.
    struct PendingLine
    {
        QString text;
        qint64 moment = 0;
        QString frame;
        QTextCharFormat colour;
        bool polling = false;
    };

    void append(const QString &line, qint64 moment, const QString &frame);
    // Puts the lines told so far into the view; whatever reads the log calls it first.
    void writePending() const;
    void markPolling(QTextBlock block) const;
    void makeNextLinesPlace(QTextBlock block) const;
    void dropOldestLines() const;
    void showContextMenu(const QPoint &position);
    void askWhereToSave();

    // Keeps the newest line in view when the view changes size, unless the engineer has
    // scrolled away from it to read.
    void keepNewestInView();

    QTextBrowser *m_view;
    mutable QVector<PendingLine> m_pending;
    bool m_writeQueued = false;
    int m_batchesBeforeWriting = 0;
    std::function<QStringList()> m_header;
    bool m_followsNewest = true;
    qint64 m_receivedMoment = 0;
    QString m_receivedFrame;
    bool m_pollingHidden = false;
};
