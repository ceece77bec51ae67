#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs of the test's own, to run out of space on without touching any real disk.
// Only root may mount one; elsewhere isMounted() is false and skipReason() says so.
class FullDisk
{
public:
    FullDisk();
    ~FullDisk();

    bool isMounted() const { return m_mounted; }
    QString skipReason() const;
    QString filePath(const QString &name) const { return m_folder.filePath(name); }

    // Fills the disk up, leaving `free` bytes (whole pages) for whatever comes next.
    bool fill(qint64 free = 0);
    // Turns it read-only, as a medium with its write protection on.
    bool makeReadOnly();

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};
