#pragma once

#include "protocol/modeltable.h"
#include "settings/settingrow.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// A relay's configuration kept in a file (".orva.json"): the frames exactly as the program
// writes them, which are all that is read back, and the settings as a person reads them.
class SettingsFile
{
public:
    static constexpr int FormatVersion = 1;
    static const char *const Format;
    static const char *const Extension;

    // How the configuration was obtained: read from a relay, when, on which port and by which
    // program. A configuration typed into the form has none.
    struct ReadStamp
    {
        QDateTime time;
        QString port;
        bool simulated = false;
        QString program;

        bool isValid() const { return time.isValid(); }
    };

    const ModelInfo *model = nullptr;
    QString deviceVersion;
    QDateTime saved;
    QString program;
    ReadStamp read;
    // When writing this configuration was confirmed by reading it back; invalid when not.
    QDateTime verified;
    // The configuration frames back to back, each with its outgoing header.
    QByteArray frames;

    // A file for a model's configuration, saved now by this program.
    static SettingsFile of(const ModelInfo &model, const QByteArray &frames,
                           const QString &deviceVersion);
    // A stamp for a read made now on the port by this program.
    static ReadStamp readNow(const QString &port, bool simulated);
    // A file for a configuration read on the port at `readAt`, and saved at that moment.
    static SettingsFile ofRead(const ModelInfo &model, const QByteArray &frames,
                               const QString &deviceVersion, const QString &port,
                               bool simulated, const QDateTime &readAt);
    // The same file with its moments told in the local time, as files and names tell them.
    SettingsFile inLocalTime() const;

    // The whole document, the readable settings rows included.
    QByteArray toJson() const;
    // Replaces the file only once the whole document is on disk, so a failed save never
    // leaves half a file. Returns an empty string or one sentence saying what went wrong.
    QString save(const QString &path) const;

    // A file is taken whole or not at all: `error` gets one sentence saying what is wrong
    // and the result holds no model. Keys it does not know are passed over, so a file with
    // more to say is still read; a stamp it cannot read is left out.
    static SettingsFile fromJson(const QByteArray &json, QString *error);
    static SettingsFile open(const QString &path, QString *error);

    QVector<SettingRow> rows() const;
};
