#include "settings/atomicfilewriter.h"
#include "settings/backupstore.h"
#include "settings/settingdescription.h"
#include "settings/settingsfile.h"
#include "settings/settingsreport.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/fulldisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(AtomicFileWriter::Step)

// Whatever fails on the way, the file that was there stays as it was and the answer is an
// error that names the file and the reason; only a whole new file ever takes its place.
class tst_AtomicFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void eachFailingStepLeavesTheTargetUntouched_data();
    void eachFailingStepLeavesTheTargetUntouched();
    void wholeFileReplacesTheTarget();
    void targetsThatAreNoRegularFileAreRefused_data();
    void targetsThatAreNoRegularFileAreRefused();
    void inputThatIsNoRegularFileIsRefusedAtOnce();
    void fullOrReadOnlyDiskSavesNothing_data();
    void fullOrReadOnlyDiskSavesNothing();
};

namespace {

const QByteArray Good = "{ \"the\": \"good file\" }\n";

// Fails one step of the real writer; the steps before it really happen.
class FailingWriter : public AtomicFileWriter
{
public:
    FailingWriter(const QString &path, Step failing) : AtomicFileWriter(path), m_failing(failing) {}

protected:
    bool openStep(QSaveFile &file) override
    {
        return AtomicFileWriter::openStep(file) && m_failing != Step::Open;
    }
    bool writeStep(QSaveFile &file, const QByteArray &bytes) override
    {
        // Half of it goes out, as on a disk that fills up in the middle.
        if (m_failing != Step::Write)
            return AtomicFileWriter::writeStep(file, bytes);
        file.write(bytes.left(bytes.size() / 2));
        return false;
    }
    bool flushStep(QSaveFile &file) override
    {
        return AtomicFileWriter::flushStep(file) && m_failing != Step::Flush;
    }
    bool commitStep(QSaveFile &file) override
    {
        return m_failing != Step::Commit && AtomicFileWriter::commitStep(file);
    }

private:
    Step m_failing;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

bool runs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitCode() == 0;
}

// The model with the most settings: its file is larger than 4 KiB.
const ModelInfo &model()
{
    return ModelInfo::of(ModelInfo::Id::Wrn2);
}

SettingsFile settingsFile()
{
    return SettingsFile::of(model(), drawnConfiguration(model().id, 3), QString());
}

// Each way a file reaches the disk: returns its error, empty on success.
using Store = std::function<QString(const QString &path)>;

QString saveSettings(const QString &path)
{
    return settingsFile().save(path);
}

QString writeReport(const QString &path)
{
    const QByteArray frames = drawnConfiguration(model().id, 3);
    SettingsReport::Header header;
    header.model = model().nameText();
    return SettingsReport(header, SettingDescription::of(model().id)->rows(frames), frames)
        .writePdf(path);
}

QString storeText(const QString &path)
{
    AtomicFileWriter writer(path);
    return writer.store(QByteArray(20000, 'x')) ? QString() : writer.errorText();
}

} // namespace

void tst_AtomicFileWriter::eachFailingStepLeavesTheTargetUntouched_data()
{
    QTest::addColumn<AtomicFileWriter::Step>("step");
    QTest::newRow("open") << AtomicFileWriter::Step::Open;
    QTest::newRow("write") << AtomicFileWriter::Step::Write;
    QTest::newRow("flush") << AtomicFileWriter::Step::Flush;
    QTest::newRow("commit") << AtomicFileWriter::Step::Commit;
}

void tst_AtomicFileWriter::eachFailingStepLeavesTheTargetUntouched()
{
    QFETCH(AtomicFileWriter::Step, step);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("nastawy.orva.json"));
    writeFile(target, Good);
    {
        FailingWriter writer(target, step);
        QVERIFY(!writer.store(QByteArray(100000, 'n')));
        QVERIFY2(writer.errorText().startsWith(
                     QStringLiteral("Nie zapisano pliku „nastawy.orva.json”: ")),
                 qPrintable(writer.errorText()));
        QVERIFY(!writer.reason().isEmpty());
        // Nothing later brings it back to life.
        QVERIFY(!writer.commit());
    }
    QCOMPARE(contentOf(target), Good);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"nastawy.orva.json"});
}

void tst_AtomicFileWriter::wholeFileReplacesTheTarget()
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("log.txt"));
    writeFile(target, Good);
    AtomicFileWriter writer(target);
    const QByteArray text(100000, 'n');
    QVERIFY(writer.store(text));
    QCOMPARE(writer.errorText(), QString());
    QCOMPARE(contentOf(target), text);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"log.txt"});
}

void tst_AtomicFileWriter::targetsThatAreNoRegularFileAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("device node") << "device";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("folder") << "folder";
}

// Run as root, a save over a device node would put a regular file in its place.
void tst_AtomicFileWriter::targetsThatAreNoRegularFileAreRefused()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("target"));
#ifdef Q_OS_WIN
    if (kind == "device")
        QSKIP("Windows keeps no device nodes among files; the folder row is refused the same way");
#endif
    if (kind == "device" && !runs("mknod", {target, "c", "1", "3"}))
        QSKIP("making a device node needs root");
    if (kind == "fifo") {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps no named pipes among files; the folder row is refused the same way");
#endif
        QVERIFY(runs("mkfifo", {target}));
    }
    if (kind == "folder")
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("target")));

    for (const Store &store : {Store(saveSettings), Store(writeReport), Store(storeText)}) {
        const QString error = store(target);
        QVERIFY2(error.contains(QStringLiteral("„target”: to nie jest zwykły plik")),
                 qPrintable(error));
        QVERIFY(!QFileInfo(target).isFile());
    }
}

// A pipe nobody writes to would block the reader for ever.
void tst_AtomicFileWriter::inputThatIsNoRegularFileIsRefusedAtOnce()
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("nastawy.orva.json"));
#ifdef Q_OS_WIN
    // Windows keeps no pipes among files: a folder of that name stands in.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("nastawy.orva.json")));
#else
    QVERIFY(runs("mkfifo", {fifo}));
#endif
    QString error;
    QVERIFY(!SettingsFile::open(fifo, &error).model);
    QCOMPARE(error, QStringLiteral("Nie można odczytać pliku „nastawy.orva.json”: to nie jest "
                                   "zwykły plik."));
    QVERIFY(!SettingsFile::open(folder.filePath(QStringLiteral("brak.orva.json")), &error).model);
    QCOMPARE(error, QStringLiteral("Nie można odczytać pliku „brak.orva.json”: nie ma takiego "
                                   "pliku ani folderu."));
}

void tst_AtomicFileWriter::fullOrReadOnlyDiskSavesNothing_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("reason");
    for (const char *store : {"settings", "report", "text", "backup"}) {
        QTest::addRow("%s, no space", store) << store << "full"
                                             << "brak miejsca na dysku";
        QTest::addRow("%s, 4 KiB free", store) << store << "4 KiB"
                                               << "brak miejsca na dysku";
        QTest::addRow("%s, read-only", store) << store << "read-only"
                                              << "tylko do odczytu";
    }
}

void tst_AtomicFileWriter::fullOrReadOnlyDiskSavesNothing()
{
    QFETCH(QString, store);
    QFETCH(QString, disk);
    QFETCH(QString, reason);
    QVERIFY(settingsFile().toJson().size() > 4096);
    FullDisk medium;
    if (!medium.isMounted())
        QSKIP(qPrintable(medium.skipReason()));
    // The good file, and the backups' folder, are there before the disk fills up or turns
    // read-only.
    const QString target = medium.filePath(QStringLiteral("cel"));
    writeFile(target, Good);
    const QString backupFolder = medium.filePath(QStringLiteral("kopie"));
    QVERIFY(QDir().mkpath(backupFolder + QLatin1Char('/') + model().nameText()));
    QVERIFY(disk == "read-only" ? medium.makeReadOnly() : medium.fill(disk == "4 KiB" ? 4096 : 0));

    QString error;
    if (store == "backup") {
        BackupStore backups(backupFolder);
        QCOMPARE(backups.keep(settingsFile(), &error), QString());
        QVERIFY(QDir(backupFolder + QLatin1Char('/') + model().nameText()).isEmpty());
    } else {
        error = store == "settings" ? saveSettings(target)
                : store == "report" ? writeReport(target)
                                    : storeText(target);
        QCOMPARE(contentOf(target), Good);
    }
    QVERIFY2(error.contains(reason), qPrintable(error));
    const QStringList left = QDir(QFileInfo(target).absolutePath())
                                 .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QSet<QString> expected{"cel"};
    if (disk != "read-only")
        expected << ".filler";
    QCOMPARE(QSet<QString>(left.cbegin(), left.cend()), expected);
}

QTEST_MAIN(tst_AtomicFileWriter)
#include "tst_atomicfilewriter.moc"
