#pragma once

#include "settings/settingsfile.h"

#include <QSet>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// The settings sheet for a commissioning record: who and what, every setting with changed
// ones marked, and the frames at the end. The PDF and the print are the same document.
class SettingsReport
{
public:
    struct Header
    {
        QString model;
        QString deviceVersion;
        QString port;
        QString fileName;
    };

    SettingsReport(const Header &header, const QVector<SettingRow> &rows,
                   const QByteArray &frames, const QSet<int> &changedRows = {});

    QString html() const;
    // Lays the sheet out on the device's page and paints it there; the device's resolution
    // sets the text size, so the text keeps its size on a 1200 dpi PDF as on paper.
    void print(QPagedPaintDevice *device) const;
    // An A4 PDF; returns an empty string or one sentence saying what went wrong.
    QString writePdf(const QString &path) const;

    static const char *const ChangedMark;

private:
    Header m_header;
    QVector<SettingRow> m_rows;
    QByteArray m_frames;
    QSet<int> m_changed;
};
