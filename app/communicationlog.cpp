#include "app/communicationlog.h"

#include "app/dialogfolder.h"
#include "protocol/printabletext.h"
#include "settings/atomicfilewriter.h"
#include "settings/filenames.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolTip>

// Every frame in both directions, for capturing a session with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcFrames, "orva.frames", QtInfoMsg)

namespace {

constexpr int TimeProperty = QTextFormat::UserProperty + 1;
// What became of the frame a line is about, and its bytes; absent on other lines.
constexpr int FrameProperty = QTextFormat::UserProperty + 2;
// The state of the live view's polling lines. A block's state, unlike its format, changes
// without laying the line out again, and a new line starts without it.
constexpr int PollingState = 1;

const QEvent::Type WritePendingEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The log lays a line out and draws it this many batches of posted events after the batch of
// the line's turn, which holds the paint that turn asked for. The event loop runs the timers
// that were due when a batch began right after it, and those that fell due during it only
// after the next batch: waiting out a second batch lets the timers that fell due while a reply
// was handled and its form drawn (the next reply's silence among them) run first.
constexpr int BatchesBeforeWriting = 2;

const char *const PollingHiddenKey = "log/ukryjOdpytywanieWidoku";

const QLatin1Char Separator('\t');

// A line's moment as the clock gives it. Its local time costs a look at the system's time
// zone, which waits until the line is laid out, after the paint a reply asked for.
qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// A saved log is read days later, so every line carries its date.
QString localTime(qint64 moment)
{
    return QDateTime::fromMSecsSinceEpoch(moment).toString(
        QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QString hex(const QByteArray &bytes)
{
    const QString shown =
        QString::fromLatin1(bytes.left(CommunicationLog::MaxHexBytes).toHex(' ').toUpper());
    return bytes.size() > CommunicationLog::MaxHexBytes ? shown + QStringLiteral(" …") : shown;
}

QString toolTipOf(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    const QString time = format.stringProperty(TimeProperty);
    if (time.isEmpty())
        return QString();
    const QString frame = format.stringProperty(FrameProperty);
    return time + QLatin1Char(' ') + (frame.isEmpty() ? block.text() : frame);
}

QString entryOf(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    QString entry = format.stringProperty(TimeProperty) + Separator + block.text();
    const QString frame = format.stringProperty(FrameProperty);
    if (!frame.isEmpty())
        entry += Separator + frame;
    return entry;
}

} // namespace

const QColor CommunicationLog::FailureColour(0xB0, 0x5A, 0x00);
const QColor CommunicationLog::RemarkColour(0x1B, 0x6E, 0x3A);

CommunicationLog::CommunicationLog(QTextBrowser *view) : QObject(view), m_view(view)
{
    m_view->viewport()->installEventFilter(this);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    // Shaping a line was a fifth of laying it out and a third of drawing it; the log's texts,
    // Polish included, need none.
    QFont font = m_view->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    m_view->setFont(font);
    m_pollingHidden = QSettings().value(QLatin1String(PollingHiddenKey), false).toBool();
    connect(m_view, &QWidget::customContextMenuRequested, this,
            &CommunicationLog::showContextMenu);
    makeNextLinesPlace(m_view->document()->firstBlock());
    keepNewestInView();
}

void CommunicationLog::keepNewestInView()
{
    QScrollBar *bar = m_view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_followsNewest = value >= bar->maximum(); });
    // A resize changes the range first and only then clamps the value.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_followsNewest)
            bar->setValue(maximum);
    });
}

void CommunicationLog::sent(const QString &line, const QByteArray &frame, bool written)
{
    m_view->setTextColor(Qt::red);
    if (written) {
        append(line, now(), QStringLiteral("wysłano: ") + hex(frame));
        qCDebug(lcFrames).noquote() << "TX" << hex(frame);
    } else {
        append(line, now(), QStringLiteral("port zamknięty, nie wysłano: ") + hex(frame));
    }
}

void CommunicationLog::beginReceived(const QByteArray &block)
{
    m_receivedMoment = now();
    m_receivedFrame = QStringLiteral("odebrano: ") + hex(block);
    qCDebug(lcFrames).noquote() << "RX" << hex(block);
    m_view->setTextColor(Qt::blue);
}

void CommunicationLog::received(const QString &line)
{
    append(line, m_receivedMoment, m_receivedFrame);
}

void CommunicationLog::note(const QString &line)
{
    append(line, now(), QString());
}

void CommunicationLog::remark(const QString &line)
{
    const QColor before = m_view->textColor();
    m_view->setTextColor(RemarkColour);
    append(line, now(), QString());
    m_view->setTextColor(before);
}

void CommunicationLog::failure(const QString &line)
{
    m_view->setTextColor(FailureColour);
    append(line, now(), QString());
}

void CommunicationLog::append(const QString &text, qint64 moment, const QString &frame)
{
    // The line reaches the view after the paint of this turn: a reply's form is drawn before
    // the line that tells of it, though the line is written first, and lines written in one
    // turn are laid out together.
    if (!m_writeQueued) {
        QCoreApplication::postEvent(this, new QEvent(WritePendingEvent));
        m_writeQueued = true;
    }
    m_batchesBeforeWriting = BatchesBeforeWriting;
    // Device text and file names may hold control characters; shown, never obeyed.
    m_pending.append({PrintableText::of(text), moment, frame, m_view->currentCharFormat()});
}

bool CommunicationLog::event(QEvent *event)
{
    if (event->type() != WritePendingEvent)
        return QObject::event(event);
    // An event posted while a batch is delivered waits for the next batch.
    if (m_batchesBeforeWriting > 0) {
        --m_batchesBeforeWriting;
        QCoreApplication::postEvent(this, new QEvent(WritePendingEvent));
    } else {
        m_writeQueued = false;
        writePending();
    }
    return true;
}

void CommunicationLog::writePending() const
{
    if (m_pending.isEmpty())
        return;
    const QVector<PendingLine> pending = std::exchange(m_pending, {});
    QTextDocument *document = m_view->document();
    // Every line, its colour and its format in one edit, so the log lays each out once. The
    // edit opens before the cursor moves: a cursor moved outside an edit measures where it
    // stands on the line, which shapes the last line's text all over again.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    for (const PendingLine &line : pending) {
        // The line goes into the next line's place, which has the format of the line before.
        QTextBlockFormat format = cursor.blockFormat();
        format.setProperty(TimeProperty, localTime(line.moment));
        if (!line.frame.isEmpty())
            format.setProperty(FrameProperty, line.frame);
        cursor.setBlockFormat(format);
        cursor.setCharFormat(line.colour);
        const QTextBlock place = cursor.block();
        // As written, markup and all: a file's or a relay's name is recorded, never rendered.
        cursor.insertText(line.text, line.colour);
        // A paragraph separator, which a file's name may hold, makes several paragraphs of it.
        for (QTextBlock shown = place; shown.isValid() && shown.blockNumber() <= cursor.blockNumber();
             shown = shown.next())
            shown.setVisible(true);
        if (line.polling)
            markPolling(cursor.block());
        format.clearProperty(TimeProperty);
        format.clearProperty(FrameProperty);
        cursor.insertBlock(format, line.colour);
        makeNextLinesPlace(cursor.block());
    }
    cursor.endEditBlock();
    dropOldestLines();
}

// A line appended after the last one would lay that one out and draw it again, for the
// paragraph that ends it; so the log always ends in an empty, hidden paragraph, and each line
// is written into it.
void CommunicationLog::makeNextLinesPlace(QTextBlock block) const
{
    block.setVisible(false);
    m_view->document()->markContentsDirty(block.position(), block.length());
}

// Removing lines from the top lays out every line below them again, so the oldest lines give
// way many at a time, and in an edit of their own: together with the new line they would make
// one change spanning the whole log.
void CommunicationLog::dropOldestLines() const
{
    QTextDocument *document = m_view->document();
    const int excess = document->blockCount() - 1 - MaxLines;
    if (excess < DroppedTogether)
        return;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
}

void CommunicationLog::markPolling()
{
    if (m_pending.isEmpty())
        markPolling(m_view->document()->lastBlock().previous());
    else
        m_pending.last().polling = true;
}

void CommunicationLog::markPolling(QTextBlock block) const
{
    if (!block.isValid())
        return;
    block.setUserState(PollingState);
    if (m_pollingHidden) {
        block.setVisible(false);
        m_view->document()->markContentsDirty(block.position(), block.length());
    }
}

void CommunicationLog::setPollingHidden(bool hidden)
{
    writePending();
    m_pollingHidden = hidden;
    QSettings().setValue(QLatin1String(PollingHiddenKey), hidden);
    QTextDocument *document = m_view->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == PollingState)
            block.setVisible(!hidden);
    }
    document->markContentsDirty(0, document->characterCount());
}

QStringList CommunicationLog::lines() const
{
    writePending();
    QString text = m_view->toPlainText();
    if (text.isEmpty())
        return {};
    // The paragraph break before the next line's place.
    text.chop(1);
    return text.split(QLatin1Char('\n'));
}

QString CommunicationLog::lastLine() const
{
    writePending();
    return m_view->document()->lastBlock().previous().text();
}

QString CommunicationLog::toolTipOfLine(int line) const
{
    writePending();
    return toolTipOf(m_view->document()->findBlockByNumber(line));
}

void CommunicationLog::clear()
{
    m_pending.clear();
    const QColor colour = m_view->textColor();
    m_view->clear();
    m_view->setTextColor(colour);
    makeNextLinesPlace(m_view->document()->firstBlock());
}

void CommunicationLog::setHeader(std::function<QStringList()> header)
{
    m_header = std::move(header);
}

bool CommunicationLog::saveTo(const QString &path, QString *error) const
{
    QStringList header{QStringLiteral("Log ORVA_Konfig"),
                       QStringLiteral("Program: orva-konfig " ORVA_PROGRAM_VERSION),
                       QStringLiteral("Zapisano: ") +
                           QDateTime::currentDateTime().toString(
                               QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
    if (m_header)
        header += m_header();
    QByteArray text = header.join(QLatin1Char('\n')).toUtf8() + "\n\n";
    writePending();
    // The next line's place, empty, is no entry.
    for (QTextBlock block = m_view->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(TimeProperty))
            text += entryOf(block).toUtf8() + '\n';
    }
    AtomicFileWriter file(path);
    if (file.store(text))
        return true;
    *error = file.reason();
    return false;
}

QMenu *CommunicationLog::createContextMenu()
{
    QMenu *menu = m_view->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(QStringLiteral("Wyczyść"), this, &CommunicationLog::clear);
    menu->addAction(QStringLiteral("Zapisz log…"), this, &CommunicationLog::askWhereToSave);
    QAction *hidePolling = menu->addAction(QStringLiteral("Ukryj odpytywanie widoku"), this,
                                           &CommunicationLog::setPollingHidden);
    hidePolling->setObjectName(QStringLiteral("ukryjOdpytywanieWidoku"));
    hidePolling->setCheckable(true);
    hidePolling->setChecked(m_pollingHidden);
    return menu;
}

void CommunicationLog::showContextMenu(const QPoint &position)
{
    QMenu *menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The position comes in the viewport's coordinates, as for every scroll area.
    menu->popup(m_view->viewport()->mapToGlobal(position));
}

void CommunicationLog::askWhereToSave()
{
    const QString path = QFileDialog::getSaveFileName(
        m_view, QStringLiteral("Zapisz log"),
        DialogFolder::suggested(FileNames::log(QDateTime::currentDateTime())),
        QStringLiteral("Pliki tekstowe (*.txt);;Wszystkie pliki (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveTo(path, &error)) {
        // The file's name as chosen, never read as markup.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Zapisz log"),
                        QStringLiteral("Nie zapisano logu do %1:\n%2").arg(path, error),
                        QMessageBox::Ok, m_view);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    DialogFolder::remember(path);
    remark(QStringLiteral("Zapisano log %1").arg(QFileInfo(path).fileName()));
}

bool CommunicationLog::eventFilter(QObject *watched, QEvent *event)
{
    // The type is tested first: the filter also sees the viewport's last events while the
    // browser is being destroyed, when asking the browser for its viewport is no longer safe.
    if (event->type() == QEvent::ToolTip && watched == m_view->viewport()) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString toolTip = toolTipOf(m_view->cursorForPosition(help->pos()).block());
        if (toolTip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), toolTip, m_view->viewport());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
