#pragma once

class QFile;

// A file several processes append lines to at once, such as a production bench's log of
// runs. While an AppendingFile holds it, no other process writes to it, so what this process
// reads of its size is still true when it writes at its end.
class AppendingFile
{
public:
    // Opens the file named by file.fileName() for writing at its end, making it if missing,
    // and waits until no other process holds it. If it cannot, file.error() says why, or is
    // NoError when only the lock failed.
    explicit AppendingFile(QFile &file);
    ~AppendingFile();
    AppendingFile(const AppendingFile &) = delete;
    AppendingFile &operator=(const AppendingFile &) = delete;

    bool isHeld() const { return m_held; }

private:
    QFile &m_file;
    bool m_held = false;
};
