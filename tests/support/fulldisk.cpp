#include "tests/support/fulldisk.h"

#include <QFile>
#include <QProcess>

namespace {

constexpr int SizeKiB = 256;
constexpr qint64 PageBytes = 4096;

bool runs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

FullDisk::FullDisk()
{
    const QString options = QStringLiteral("size=%1k,mode=0777").arg(SizeKiB);
    m_mounted = m_folder.isValid() &&
                runs(QStringLiteral("mount"),
                     {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                      QStringLiteral("tmpfs"), m_folder.path()});
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        runs(QStringLiteral("umount"), {m_folder.path()});
}

QString FullDisk::skipReason() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("a full disk is a tmpfs the test mounts, and Windows has no tmpfs; the "
                          "writer's checks are the same code on both systems");
#else
    return QStringLiteral("a full disk is a tmpfs mounted by the test, which needs root");
#endif
}

bool FullDisk::fill(qint64 free)
{
    QFile filler(filePath(QStringLiteral(".filler")));
    // Unbuffered: nothing left over may reach the disk after the space is given back.
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray page(PageBytes, '\0');
    while (filler.write(page) == page.size()) {
    }
    const qint64 full = filler.size();
    return free == 0 || filler.resize(full - ((free + PageBytes - 1) / PageBytes) * PageBytes);
}

bool FullDisk::makeReadOnly()
{
    return runs(QStringLiteral("mount"),
                {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder.path()});
}
