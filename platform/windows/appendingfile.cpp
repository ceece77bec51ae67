#include "platform/appendingfile.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

namespace {

// The lock covers every byte the file may ever have, so it holds the whole file however long
// it grows.
constexpr DWORD WholeFile = MAXDWORD;

HANDLE handleOf(const QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

} // namespace

AppendingFile::AppendingFile(QFile &file) : m_file(file)
{
    // Qt keeps the Windows handle of a file it opens to itself; opened here, the handle can be
    // locked and QFile still reports its errors.
    const std::wstring path = QDir::toNativeSeparators(m_file.fileName()).toStdWString();
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // Qt's own attempt fails the same way and leaves the reason in file.error().
        m_file.open(QIODevice::WriteOnly | QIODevice::Append);
        m_file.close();
        return;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        return;
    }
    if (!m_file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        _close(descriptor);
        return;
    }
    OVERLAPPED start = {};
    m_held =
        LockFileEx(handleOf(m_file), LOCKFILE_EXCLUSIVE_LOCK, 0, WholeFile, WholeFile, &start) != 0;
    // Windows writes where the file was opened, not at its end: the end is sought once the
    // file is this process's alone.
    if (!m_held || !m_file.seek(m_file.size())) {
        m_file.close();
        m_held = false;
    }
}

AppendingFile::~AppendingFile()
{
    if (m_held) {
        m_file.flush();
        OVERLAPPED start = {};
        UnlockFileEx(handleOf(m_file), 0, WholeFile, WholeFile, &start);
    }
}
