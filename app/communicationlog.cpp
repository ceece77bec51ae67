#include "app/communicationlog.h"

#include <QTextBrowser>

CommunicationLog::CommunicationLog(QTextBrowser *view) : m_view(view) {}

void CommunicationLog::sent(const QString &line, const QByteArray &frame)
{
    m_view->setTextColor(Qt::red);
    append(line, frame);
}

void CommunicationLog::beginReceived(const QByteArray &block)
{
    m_block = block;
    m_view->setTextColor(Qt::blue);
}

void CommunicationLog::received(const QString &line)
{
    append(line, m_block);
}

void CommunicationLog::note(const QString &line)
{
    append(line, QByteArray());
}

void CommunicationLog::append(const QString &line, const QByteArray &)
{
    m_view->append(line);
}
