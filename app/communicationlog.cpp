#include "app/communicationlog.h"

#include <QHelpEvent>
#include <QLoggingCategory>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTime>
#include <QToolTip>

// Every frame in both directions, for capturing a session with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcFrames, "orva.frames", QtInfoMsg)

namespace {

constexpr int ToolTipProperty = QTextFormat::UserProperty + 1;

QString now()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
}

QString hex(const QByteArray &bytes)
{
    const QString shown =
        QString::fromLatin1(bytes.left(CommunicationLog::MaxHexBytes).toHex(' ').toUpper());
    return bytes.size() > CommunicationLog::MaxHexBytes ? shown + QStringLiteral(" …") : shown;
}

} // namespace

const QColor CommunicationLog::FailureColour(0xB0, 0x5A, 0x00);

CommunicationLog::CommunicationLog(QTextBrowser *view) : QObject(view), m_view(view)
{
    m_view->viewport()->installEventFilter(this);
}

void CommunicationLog::sent(const QString &line, const QByteArray &frame, bool written)
{
    m_view->setTextColor(Qt::red);
    QString toolTip = now() + QLatin1Char(' ');
    if (written) {
        toolTip += QStringLiteral("wysłano: ") + hex(frame);
        qCDebug(lcFrames).noquote() << "TX" << hex(frame);
    } else {
        toolTip += QStringLiteral("port zamknięty, nie wysłano: ") + hex(frame);
    }
    append(line, toolTip);
}

void CommunicationLog::beginReceived(const QByteArray &block)
{
    m_receivedToolTip = now() + QStringLiteral(" odebrano: ") + hex(block);
    qCDebug(lcFrames).noquote() << "RX" << hex(block);
    m_view->setTextColor(Qt::blue);
}

void CommunicationLog::received(const QString &line)
{
    append(line, m_receivedToolTip);
}

void CommunicationLog::note(const QString &line)
{
    append(line, QString());
}

void CommunicationLog::failure(const QString &line)
{
    m_view->setTextColor(FailureColour);
    append(line, QStringLiteral("%1 %2").arg(now(), line));
}

void CommunicationLog::append(const QString &line, const QString &toolTip)
{
    m_view->append(line);
    // A new line inherits the block format of the one before it, tool tip included.
    QTextCursor cursor(m_view->document()->lastBlock());
    QTextBlockFormat format = cursor.blockFormat();
    if (toolTip.isEmpty())
        format.clearProperty(ToolTipProperty);
    else
        format.setProperty(ToolTipProperty, toolTip);
    cursor.setBlockFormat(format);
}

QStringList CommunicationLog::lines() const
{
    const QString text = m_view->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString CommunicationLog::toolTipOfLine(int line) const
{
    return m_view->document()->findBlockByNumber(line).blockFormat().stringProperty(
        ToolTipProperty);
}

bool CommunicationLog::eventFilter(QObject *watched, QEvent *event)
{
    // The type is tested first: the filter also sees the viewport's last events while the
    // browser is being destroyed, when asking the browser for its viewport is no longer safe.
    if (event->type() == QEvent::ToolTip && watched == m_view->viewport()) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QTextBlock block = m_view->cursorForPosition(help->pos()).block();
        const QString toolTip = block.blockFormat().stringProperty(ToolTipProperty);
        if (toolTip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), toolTip, m_view->viewport());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
