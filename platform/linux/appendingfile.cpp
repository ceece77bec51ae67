#include "platform/appendingfile.h"

#include <QFile>

#include <sys/file.h>

AppendingFile::AppendingFile(QFile &file) : m_file(file)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    // flock() is held by this open file alone: two threads of one process exclude each other
    // as two processes do.
    m_held = flock(m_file.handle(), LOCK_EX) == 0;
    if (!m_held) {
        m_file.close();
    }
}

AppendingFile::~AppendingFile()
{
    if (m_held) {
        m_file.flush();
        flock(m_file.handle(), LOCK_UN);
    }
}
