#pragma once

#include "app/reportdetailsdialog.h"
#include "settings/backupqueue.h"
#include "settings/settingsfile.h"

#include <QObject>
#include <QString>
#include <QVector>

class ORVA2;
class DevicePage;
class QAction;
class QMenu;
class SettingDescription;
class SettingsReport;
struct ModelInfo;

// The window's "Plik" menu: the shown page's configuration to and from settings files,
// compared with a file or the device, as a report or a print, and the backups of every read.
// Nothing here sends a configuration: the engineer still presses "Zapisz" on the page.
class SettingsMenu : public QObject
{
    Q_OBJECT

public:
    explicit SettingsMenu(ORVA2 &window);

    // Enables what the page now shown allows.
    void pageChanged();

    // Each returns false after telling the engineer, in one sentence, why nothing happened.
    bool openFile(const QString &path);
    bool saveFile(const QString &path);
    bool compareWithFile(const QString &path);
    // The sheet with the station, serial number and engineer last given for it.
    bool writeReport(const QString &path);
    // The details the sheets carry from now on.
    void setReportDetails(const ReportDetailsDialog::Details &details);
    // The settings sheet of the shown page as it would be written or printed now.
    SettingsReport shownReport(const QString &fileName) const;
    // Two backups of one model side by side, the older first; or one backup against what
    // the relay connected now holds.
    bool compareBackups(const QStringList &paths);
    // Puts a backup into the form, shows how it differs from the relay and, once the
    // engineer agrees, writes it and checks it by reading back, as "Zapisz" does.
    bool restoreToDevice(const QString &path);
    // The device's configuration arrived for "Porównaj z urządzeniem".
    void showDeviceComparison(const QByteArray &deviceFrames);

    // What the engineer answered about changes before the page is left.
    enum class Settlement
    {
        Leave,
        Stay,
        // Leave once the relay has taken the form: the window sends it.
        WriteFirst,
    };
    // Changes the relay or a file lacks: asks to send them, save them, drop them or stay.
    Settlement settleChanges();

    bool verifiesWrites() const;
    BackupQueue &backups() { return m_backups; }

private:
    // Puts a file's configuration into the form of its model's page, whole or not at all.
    bool loadFile(const QString &path);
    void settled(DevicePage &page, const QString &path, const QString &logLine);
    void addRecentFile(const QString &path);
    void updateRecentFiles();
    bool refuse(const QString &reason);
    void showComparison(const SettingDescription &description, const QByteArray &other,
                        const QString &otherSide);
    void takeSettings(const QByteArray &from, const QVector<int> &fields);
    void showBackupComparison(const SettingsFile &backup, const QByteArray &other,
                              const QString &otherSide);
    void print();
    // Asks for the sheet's station, serial number and engineer; false when cancelled.
    bool askReportDetails();
    void openBackups();
    // The page shown and its description, or nullptrs when it holds no configuration.
    DevicePage *shownPage() const;
    const SettingDescription *shownDescription() const;
    QString suggestedSettingsFile() const;

    ORVA2 &m_window;
    BackupQueue m_backups{BackupStore()};
    QMenu *m_menu;
    QMenu *m_recentMenu;
    QAction *m_open;
    QAction *m_save;
    QAction *m_compareFile;
    QAction *m_compareDevice;
    QAction *m_report;
    QAction *m_print;
    QAction *m_backupsAction;
    QAction *m_verify;
    QString m_currentFile;
    ReportDetailsDialog::Details m_reportDetails;
    // A backup waiting for the relay's configuration, read to compare the two.
    SettingsFile m_backupAgainstDevice;
};
