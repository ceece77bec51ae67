#include "settings/atomicfilewriter.h"

#include "settings/filefailure.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Said when a step failed without the file naming a reason of its own.
QString stepFailure(AtomicFileWriter::Step step)
{
    switch (step) {
    case AtomicFileWriter::Step::Open:
        return QStringLiteral("nie można utworzyć pliku tymczasowego");
    case AtomicFileWriter::Step::Write:
        return QStringLiteral("nie zapisano wszystkich danych");
    case AtomicFileWriter::Step::Flush:
        return QStringLiteral("nie zapisano danych na nośnik");
    case AtomicFileWriter::Step::Commit:
        return QStringLiteral("nie można zastąpić pliku docelowego");
    }
    return QString();
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path) : m_path(path), m_file(path) {}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool AtomicFileWriter::open()
{
    const QFileInfo target(m_path);
    if (target.exists() && !target.isFile())
        return fail(Step::Open, FileFailure::notRegularFile());
    if (target.exists() && !target.isWritable())
        return fail(Step::Open, FileFailure::readOnly());
    return openStep(m_file) || fail(Step::Open);
}

bool AtomicFileWriter::write(const QByteArray &bytes)
{
    return !m_failed && (writeStep(m_file, bytes) || fail(Step::Write));
}

bool AtomicFileWriter::commit()
{
    if (m_failed || !m_file.isOpen())
        return false;
    // A writer given device() may have ignored a failed write; the file remembers it.
    if (!flushStep(m_file) || m_file.error() != QFileDevice::NoError)
        return fail(Step::Flush);
    if (!commitStep(m_file) || m_file.error() != QFileDevice::NoError)
        return fail(Step::Commit);
    return true;
}

bool AtomicFileWriter::store(const QByteArray &bytes)
{
    return open() && write(bytes) && commit();
}

QString AtomicFileWriter::errorText() const
{
    if (!m_failed)
        return QString();
    return QStringLiteral("Nie zapisano pliku „%1”: %2.")
        .arg(QFileInfo(m_path).fileName(), m_reason);
}

bool AtomicFileWriter::openStep(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly);
}

bool AtomicFileWriter::writeStep(QSaveFile &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size();
}

bool AtomicFileWriter::flushStep(QSaveFile &file)
{
    return file.flush();
}

bool AtomicFileWriter::commitStep(QSaveFile &file)
{
    return file.commit();
}

bool AtomicFileWriter::fail(Step step, const QString &reason)
{
    m_failed = true;
    m_reason = reason;
    // A write cut short by a full disk reports no system error of its own; the medium says.
    const QStorageInfo medium(QFileInfo(m_path).absolutePath());
    if (m_reason.isEmpty() && step != Step::Open && medium.isValid() &&
        medium.bytesAvailable() < qMax(medium.blockSize(), 1))
        m_reason = FileFailure::noSpace();
    if (m_reason.isEmpty())
        m_reason = FileFailure::reason(m_file);
    if (m_reason.isEmpty())
        m_reason = stepFailure(step);
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}
