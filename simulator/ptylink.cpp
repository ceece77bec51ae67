#include "simulator/ptylink.h"

#include <QSocketNotifier>

PtyLink::PtyLink(QObject *parent) : DeviceLine(parent) {}

PtyLink::~PtyLink()
{
    close();
}

bool PtyLink::open()
{
    if (isOpen())
        return true;
    if (!m_pty.open())
        return false;
    m_notifier = new QSocketNotifier(m_pty.descriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyLink::readAvailable);
    m_writeNotifier = new QSocketNotifier(m_pty.descriptor(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyLink::writePending);
    return true;
}

void PtyLink::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_outgoing.clear();
    m_pty.close();
}

// The line holds a few kilobytes; what does not fit waits until the program has read some,
// so a long burst never blocks the thread the program reads on.
void PtyLink::send(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_outgoing += bytes;
    writePending();
}

void PtyLink::writePending()
{
    while (!m_outgoing.isEmpty()) {
        const qint64 written = m_pty.write(m_outgoing.constData(), m_outgoing.size());
        if (written <= 0)
            break;
        m_outgoing.remove(0, static_cast<int>(written));
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(isOpen() && !m_outgoing.isEmpty());
}

void PtyLink::readAvailable()
{
    char buffer[512];
    while (true) {
        const qint64 count = m_pty.read(buffer, sizeof buffer);
        if (count <= 0)
            return;
        emit received(QByteArray(buffer, static_cast<int>(count)));
    }
}
