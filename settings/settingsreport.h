#pragma once

#include "settings/settingrow.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QPagedPaintDevice;
class QPainter;
class SheetLayout;

// The settings sheet an engineer signs and hands over after commissioning: where and on
// what, by whom, every setting, what the relay holds when the form differs from it, room
// for two signatures and the frames as an appendix. It lays itself out on A4 once; the PDF,
// the printer and the print preview all paint those pages.
class SettingsReport
{
public:
    struct Header
    {
        QString model;
        QString deviceVersion;
        // The port the relay was read on; a simulated relay prints as such instead.
        QString port;
        bool simulated = false;
        // When the form's configuration was read from the relay; invalid when it was not.
        QDateTime read;
        // When a write was last confirmed by reading it back; invalid when none was.
        QDateTime verified;
        QString station;
        QString serialNumber;
        QString engineer;
        // The settings file the form was opened from or saved to.
        QString settingsFile;
        // The sheet's own file, named in every page's footer.
        QString fileName;
    };

    // `relayRows`, when given, are the settings as last read from the relay, row for row
    // with `rows`; rows that differ from them are the ones never written.
    SettingsReport(const Header &header, const QVector<SettingRow> &rows, const QByteArray &frames,
                   const QVector<SettingRow> &relayRows = {});
    SettingsReport(SettingsReport &&) noexcept;
    ~SettingsReport();

    static const char *const NotSent;
    static const char *const SimulationMark;

    // The rows (indexes into `rows`) whose form value the relay does not hold.
    const QVector<int> &unsentRows() const { return m_unsent; }
    int pageCount() const;

    // Paints every page on the device; the device's resolution sets only the sharpness.
    // False when the device could not be painted on.
    bool print(QPagedPaintDevice *device) const;
    // An A4 PDF; returns an empty string or one sentence saying what went wrong.
    QString writePdf(const QString &path) const;

private:
    void build();
    void addHeader();
    void addSettings();
    void addSignatures();
    void addFrames();
    void paintPageFrame(QPainter &painter, int page) const;
    void paintSimulationMark(QPainter &painter) const;

    Header m_header;
    QVector<SettingRow> m_rows;
    QByteArray m_frames;
    QVector<SettingRow> m_relayRows;
    QVector<int> m_unsent;
    // Its blocks hold copies of what they paint, so the report can move.
    std::unique_ptr<SheetLayout> m_layout;
};
