#include "cli/configurationjob.h"

#include "cli/devicesession.h"
#include "protocol/modeltable.h"
#include "settings/backupstore.h"
#include "settings/settingdescription.h"
#include "settings/settingscomparison.h"
#include "settings/settingsreport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

ConfigurationJob::ConfigurationJob(DeviceSession &session, BackupStore &backups, const Order &order,
                                   QObject *parent)
    : QObject(parent), m_session(session), m_backups(backups), m_order(order)
{
    connect(&session, &DeviceSession::identified, this, &ConfigurationJob::identified);
    connect(&session, &DeviceSession::configurationRead, this,
            &ConfigurationJob::configurationRead);
    connect(&session, &DeviceSession::writeAcknowledged, this,
            &ConfigurationJob::writeAcknowledged);
    connect(&session, &DeviceSession::readBack, this, &ConfigurationJob::readBack);
    connect(&session, &DeviceSession::failed, this, [this](const QString &reason) {
        if (m_running)
            finish(RunOutcome::LinkFailed, reason);
    });
}

void ConfigurationJob::start()
{
    m_running = true;
    m_description = nullptr;
    m_backupError.clear();
    emit step(QStringLiteral("Prośba o identyfikator"));
    m_session.identify();
}

void ConfigurationJob::identified(const ModelInfo &model, const QString &deviceVersion)
{
    if (!m_running)
        return;
    emit step(QStringLiteral("Urządzenie: %1, wersja %2").arg(model.nameText(), deviceVersion));
    const QString refusal = refusalFor(model);
    if (!refusal.isEmpty()) {
        finish(RunOutcome::Refused, refusal);
        return;
    }
    m_description = SettingDescription::of(model.id);
    if (m_order.action == CommandLine::Action::Write) {
        emit step(QStringLiteral("Wysyłanie konfiguracji z pliku %1").arg(fileName(m_order.path)));
        m_session.write(m_order.file.frames);
    } else {
        emit step(QStringLiteral("Pobierz konfiguracje"));
        m_session.read();
    }
}

// Each refusal comes before any configuration frame is sent.
QString ConfigurationJob::refusalFor(const ModelInfo &model) const
{
    if (!SettingDescription::of(model.id))
        return QStringLiteral("Program nie zna nastaw modelu %1.").arg(model.nameText());
    if (m_order.file.model && m_order.file.model != &model)
        return QStringLiteral("Plik „%1” zawiera nastawy modelu %2, a podłączone urządzenie to "
                              "%3; niczego nie wysłano.")
            .arg(fileName(m_order.path), m_order.file.model->nameText(), model.nameText());
    if (m_order.action != CommandLine::Action::Write && !model.answersRead())
        return QStringLiteral("%1 nie odpowiada na odczyt konfiguracji, więc nie można jej "
                              "odczytać, porównać ani opisać w raporcie.")
            .arg(model.nameText());
    return QString();
}

QByteArray ConfigurationJob::kept(const QByteArray &reply)
{
    // As the relay holds it: a byte the form has no name for stays in the file and the backup.
    const QByteArray frames = m_description->held(reply);
    QString error;
    const QString backup = m_backups.keep(stamped(frames), &error);
    if (!error.isEmpty()) {
        m_backupError = error;
        emit step(error);
    } else if (!backup.isEmpty())
        emit step(QStringLiteral("Kopia zapasowa: %1").arg(QDir::toNativeSeparators(backup)));
    return frames;
}

void ConfigurationJob::configurationRead(const QByteArray &reply)
{
    if (!m_running)
        return;
    emit step(QString::fromUtf8(m_session.model()->configLine));
    const QByteArray frames = kept(reply);
    if (m_order.action == CommandLine::Action::Compare) {
        compare(frames);
        return;
    }
    const QString error =
        m_order.action == CommandLine::Action::Report ? writeReport(frames) : saveFile(frames);
    if (error.isEmpty())
        finish(RunOutcome::Done, QStringLiteral("Zapisano %1.").arg(m_order.path));
    else
        finish(RunOutcome::Refused, error);
}

SettingsFile ConfigurationJob::stamped(const QByteArray &frames) const
{
    SettingsFile file = SettingsFile::ofRead(*m_session.model(), frames, m_session.deviceVersion(),
                                             m_order.portLabel, m_order.simulated,
                                             QDateTime::currentDateTime());
    // A read that follows a write of exactly these frames confirms it.
    if (m_order.action == CommandLine::Action::Write &&
        frames == m_description->held(m_order.file.frames))
        file.verified = file.read.time;
    return file;
}

QString ConfigurationJob::saveFile(const QByteArray &frames) const
{
    return stamped(frames).save(m_order.path);
}

QString ConfigurationJob::writeReport(const QByteArray &frames) const
{
    SettingsReport::Header header;
    header.model = m_session.model()->nameText();
    header.deviceVersion = m_session.deviceVersion();
    header.port = m_order.portLabel;
    header.simulated = m_order.simulated;
    header.read = QDateTime::currentDateTime();
    header.station = m_order.station;
    header.serialNumber = m_order.serialNumber;
    header.engineer = m_order.engineer;
    header.fileName = fileName(m_order.path);
    // Read just now: the sheet is what the relay holds.
    const QVector<SettingRow> rows = m_description->rows(frames);
    const SettingsReport report(header, rows, frames, rows);
    return report.writePdf(m_order.path);
}

void ConfigurationJob::compare(const QByteArray &deviceFrames)
{
    const SettingsComparison comparison(*m_description, deviceFrames, m_order.file.frames);
    for (const SettingsComparison::Entry &entry : comparison.differences())
        emit difference(entry.line(QStringLiteral("urządzenie"), QStringLiteral("plik")));
    // One arg() each: a file name may itself hold "%1".
    // Equal only byte for byte, as a write is confirmed.
    if (m_description->held(deviceFrames) == m_description->held(m_order.file.frames))
        finish(RunOutcome::Done,
               QStringLiteral("Urządzenie ma nastawy z pliku %1 (%2 nastaw).")
                   .arg(fileName(m_order.path), QString::number(comparison.equalCount())));
    else
        finish(RunOutcome::Differs,
               QStringLiteral("Nastawy różne od pliku %1: %2 z %3.")
                   .arg(fileName(m_order.path), QString::number(comparison.differingCount()),
                        QString::number(comparison.entries().size())));
}

void ConfigurationJob::writeAcknowledged()
{
    if (!m_running)
        return;
    emit step(QStringLiteral("Konfiguracja odebrana"));
    const ModelInfo &model = *m_session.model();
    if (!model.answersRead())
        finish(RunOutcome::Done, QStringLiteral("%1 nie odpowiada na odczyt, więc zapisu nie "
                                                "można sprawdzić odczytem.")
                                     .arg(model.nameText()));
    else
        emit step(QStringLiteral("Sprawdzanie zapisu odczytem"));
}

void ConfigurationJob::readBack(const QByteArray &reply)
{
    if (!m_running)
        return;
    const QByteArray read = kept(reply);
    const QByteArray &written = m_order.file.frames;
    // Byte for byte, the bits the model ignores aside: a value the form cannot show is no
    // confirmation of the value that was sent.
    if (read == m_description->held(written)) {
        finish(RunOutcome::Done, QStringLiteral("Zapis potwierdzony odczytem."));
        return;
    }
    for (const SettingsComparison::Entry &entry :
         SettingsComparison(*m_description, written, read).differences())
        emit difference(entry.line(QStringLiteral("wysłano"), QStringLiteral("odczytano")));
    finish(RunOutcome::Differs,
           QStringLiteral("Odczyt po zapisie różni się od wysłanej konfiguracji."));
}

void ConfigurationJob::interrupt(RunOutcome::Code code)
{
    if (m_running)
        finish(code, QStringLiteral("Przerwano w trakcie pracy z urządzeniem."));
}

void ConfigurationJob::finish(RunOutcome::Code code, const QString &sentence)
{
    m_running = false;
    RunOutcome outcome{code, sentence, m_session.model(), m_session.deviceVersion()};
    // Every configuration read is promised a backup: a run that could not keep one is no
    // success, whatever else it did, and its last line, the one the run log records, says so.
    if (!m_backupError.isEmpty()) {
        if (code == RunOutcome::Done)
            outcome.code = RunOutcome::Refused;
        outcome.sentence += QLatin1Char(' ') + m_backupError;
    }
    emit finished(outcome);
}
