#include "settings/settingsreport.h"

#include "protocol/frames.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

const char *const SettingsReport::ChangedMark = "✱";

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString headerRow(const QString &name, const QString &value)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
        .arg(escaped(name), escaped(value.isEmpty() ? QStringLiteral("—") : value));
}

} // namespace

SettingsReport::SettingsReport(const Header &header, const QVector<SettingRow> &rows,
                               const QByteArray &frames, const QSet<int> &changedRows)
    : m_header(header), m_rows(rows), m_frames(frames), m_changed(changedRows)
{
}

QString SettingsReport::html() const
{
    QString html = QStringLiteral("<html><body><h2>Karta nastaw przekaźnika %1</h2><table "
                                  "cellspacing=\"0\" cellpadding=\"3\">")
                       .arg(escaped(m_header.model));
    html += headerRow(QStringLiteral("Program"), QStringLiteral("orva-konfig " ORVA_PROGRAM_VERSION));
    html += headerRow(QStringLiteral("Model"), m_header.model);
    html += headerRow(QStringLiteral("Wersja urządzenia"), m_header.deviceVersion);
    html += headerRow(QStringLiteral("Port"), m_header.port);
    html += headerRow(QStringLiteral("Data"),
                      QLocale(QLocale::Polish).toString(QDateTime::currentDateTime(),
                                                        QStringLiteral("yyyy-MM-dd HH:mm")));
    html += headerRow(QStringLiteral("Plik"), m_header.fileName);
    html += QStringLiteral("</table>");

    if (!m_changed.isEmpty())
        html += QStringLiteral("<p>%1 – nastawa zmieniona od odczytu z urządzenia (%2).</p>")
                    .arg(QString::fromUtf8(ChangedMark))
                    .arg(m_changed.size());
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                           "<tr><th width=\"4%\"></th><th>Nastawa</th><th width=\"30%\">Wartość</th></tr>");
    QString group;
    for (int i = 0; i < m_rows.size(); ++i) {
        const SettingRow &row = m_rows[i];
        if (row.group != group) {
            group = row.group;
            html += QStringLiteral("<tr><td colspan=\"3\"><b>%1</b></td></tr>").arg(escaped(group));
        }
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(m_changed.contains(i) ? QString::fromUtf8(ChangedMark) : QString(),
                         escaped(row.setting), escaped(row.value));
    }
    html += QStringLiteral("</table><h3>Ramki konfiguracji</h3><pre>");
    for (int at = 0; at < m_frames.size(); at += Frame::Size)
        html += QString::fromLatin1(m_frames.mid(at, Frame::Size).toHex(' ').toUpper()) +
                QLatin1Char('\n');
    html += QStringLiteral("</pre></body></html>");
    return html;
}

void SettingsReport::print(QPagedPaintDevice *device) const
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(device);
    const QPageLayout layout = device->pageLayout();
    document.setPageSize(layout.paintRectPixels(device->logicalDpiX()).size());
    document.setHtml(html());
    document.print(device);
}

QString SettingsReport::writePdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Karta nastaw %1").arg(m_header.model));
    writer.setCreator(QStringLiteral("orva-konfig"));
    print(&writer);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
        return QStringLiteral("Nie zapisano raportu „%1”.").arg(QFileInfo(path).fileName());
    return QString();
}
