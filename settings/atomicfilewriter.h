#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Puts a file in place whole or not at all: everything goes to a temporary file beside the
// target, every write, the flush and the commit are checked, and only when all of them
// succeeded does the temporary file replace the target. On any failure the target is left as
// it was and errorText() names the file and the reason. Settings files, backups, reports and
// saved logs are all written this way, so none of them is ever said to be saved when it is not.
class AtomicFileWriter
{
public:
    // The steps that can fail, in order.
    enum class Step
    {
        Open,
        Write,
        Flush,
        Commit,
    };

    explicit AtomicFileWriter(const QString &path);
    // Without a successful commit the target stays as it was.
    virtual ~AtomicFileWriter();

    // Refuses a target that exists and is no regular file (a device, a pipe, a folder).
    bool open();
    // The temporary file, for a writer that takes a device (the PDF writer). What it writes
    // is checked at commit().
    QIODevice *device() { return &m_file; }
    bool write(const QByteArray &bytes);
    // Flushes, checks that nothing written since open() failed, and replaces the target.
    bool commit();
    // open(), write() and commit() in one.
    bool store(const QByteArray &bytes);

    // "Nie zapisano pliku „name”: reason."; empty while nothing failed.
    QString errorText() const;
    QString reason() const { return m_reason; }

protected:
    // Each step on its own, so that a test can make any one of them fail.
    virtual bool openStep(QSaveFile &file);
    virtual bool writeStep(QSaveFile &file, const QByteArray &bytes);
    virtual bool flushStep(QSaveFile &file);
    virtual bool commitStep(QSaveFile &file);

private:
    bool fail(Step step, const QString &reason = QString());

    QString m_path;
    QSaveFile m_file;
    QString m_reason;
    bool m_failed = false;
};
