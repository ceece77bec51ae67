#include "settings/settingsreport.h"

#include "protocol/frames.h"
#include "settings/atomicfilewriter.h"
#include "settings/sheetfonts.h"
#include "settings/sheetlayout.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

const char *const SettingsReport::NotSent = "NIE WYSŁANO";
const char *const SettingsReport::SimulationMark = "SYMULACJA";

namespace {

// The sheet is laid out in tenths of a point, so text is measured at a size where
// rounding does not move a line, and the pages do not depend on any device's resolution.
constexpr qreal UnitsPerInch = 720;
constexpr qreal UnitsPerMm = UnitsPerInch / 25.4;
const QSizeF PageSize(210 * UnitsPerMm, 297 * UnitsPerMm);
constexpr qreal SideMargin = 18 * UnitsPerMm;
constexpr qreal TopMargin = 15 * UnitsPerMm;
// The footer sits in the bottom margin, clear of the last line of the body.
constexpr qreal BottomMargin = 25 * UnitsPerMm;
constexpr qreal FooterBaseline = 12 * UnitsPerMm;
const qreal BodyWidth = PageSize.width() - 2 * SideMargin;
const qreal BodyHeight = PageSize.height() - TopMargin - BottomMargin;
constexpr qreal Padding = 30;

// Sizes in points.
constexpr qreal TitleSize = 15;
constexpr qreal TextSize = 9.5;
constexpr qreal SmallSize = 8;

const QColor Rule(0x90, 0x90, 0x90);
const QColor UnsentInk(0xA0, 0x10, 0x10);
const QColor UnsentFill(0xFC, 0xEB, 0xEB);
const QColor GroupFill(0xEC, 0xEF, 0xF3);
const QColor ConfirmedInk(0x1B, 0x5E, 0x20);
const QColor ConfirmedFill(0xE8, 0xF5, 0xE9);

QFont sheetFont(qreal points, bool bold = false, bool fixed = false)
{
    // The frames' bytes line up in columns.
    QFont font(SheetFonts::family(fixed));
    font.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPixelSize(qRound(points * 10));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" stays two letters, so the PDF's text is found as it is written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

qreal textHeight(const QFont &font, qreal width, const QString &text)
{
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
        .height();
}

QString when(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                          : QString();
}

// A label and its value; an empty value leaves a line to write on.
struct Field
{
    QString label;
    QString value;
};

} // namespace

SettingsReport::SettingsReport(const Header &header, const QVector<SettingRow> &rows,
                               const QByteArray &frames, const QVector<SettingRow> &relayRows)
    : m_header(header), m_rows(rows), m_frames(frames), m_relayRows(relayRows)
{
    if (m_relayRows.size() == m_rows.size()) {
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].value != m_relayRows[i].value)
                m_unsent.append(i);
        }
    }
    build();
}

SettingsReport::SettingsReport(SettingsReport &&) noexcept = default;
SettingsReport::~SettingsReport() = default;

int SettingsReport::pageCount() const
{
    return m_layout->pageCount();
}

void SettingsReport::build()
{
    m_layout = std::make_unique<SheetLayout>(BodyHeight);
    addHeader();
    addSettings();
    addSignatures();
    addFrames();
}

void SettingsReport::addHeader()
{
    const QString title = QStringLiteral("Karta nastaw przekaźnika %1").arg(m_header.model);
    const QFont titleFont = sheetFont(TitleSize, true);
    m_layout->add(textHeight(titleFont, BodyWidth, title) + 2 * Padding,
                  [title, titleFont](QPainter &painter, const QRectF &area, bool) {
                      painter.setFont(titleFont);
                      painter.drawText(area.adjusted(0, 0, 0, -2 * Padding), Qt::TextWordWrap,
                                       title);
                  });

    const QVector<Field> fields{
        {QStringLiteral("Stacja / pole"), m_header.station},
        {QStringLiteral("Nr fabryczny"), m_header.serialNumber},
        {QStringLiteral("Model"), m_header.model},
        {QStringLiteral("Wersja urządzenia"), m_header.deviceVersion},
        {QStringLiteral("Port"),
         m_header.simulated ? QStringLiteral("symulowane urządzenie") : m_header.port},
        {QStringLiteral("Odczyt z urządzenia"),
         m_header.read.isValid() ? when(m_header.read) : QStringLiteral("nie odczytano")},
        {QStringLiteral("Plik nastaw"), m_header.settingsFile},
        {QStringLiteral("Program"), QStringLiteral("orva-konfig " ORVA_PROGRAM_VERSION)},
        {QStringLiteral("Wykonał"), m_header.engineer},
    };
    const QFont label = sheetFont(TextSize, true);
    const QFont value = sheetFont(TextSize);
    const qreal labelWidth = BodyWidth * 0.28;
    for (const Field &field : fields) {
        const qreal height =
            qMax(textHeight(value, BodyWidth - labelWidth, field.value.isEmpty() ? QStringLiteral("X") : field.value),
                 textHeight(label, labelWidth, field.label)) +
            2 * Padding;
        m_layout->add(height, [field, label, value, labelWidth](QPainter &painter,
                                                               const QRectF &area, bool) {
            const QRectF text = area.adjusted(0, Padding, 0, -Padding);
            painter.setFont(label);
            painter.drawText(text.adjusted(0, 0, labelWidth - text.width(), 0), Qt::TextWordWrap,
                             field.label);
            const QRectF valueArea = text.adjusted(labelWidth, 0, 0, 0);
            if (field.value.isEmpty()) {
                // Left to be filled in by hand.
                painter.setPen(QPen(Rule, 5, Qt::DotLine));
                painter.drawLine(QPointF(valueArea.left(), valueArea.bottom()),
                                 QPointF(valueArea.left() + valueArea.width() * 0.7,
                                         valueArea.bottom()));
                return;
            }
            painter.setFont(value);
            painter.drawText(valueArea, Qt::TextWordWrap, field.value);
        });
    }

    // What the sheet is against the relay, in words: a warning, a plain note or a
    // confirmation, each in a box of its own colour.
    struct Status
    {
        QString text;
        QColor ink;
        QColor fill;
        bool bold;
    };
    QVector<Status> status;
    if (!m_unsent.isEmpty())
        status.append({QStringLiteral("Karta nie odpowiada temu, co zawiera urządzenie: nastaw "
                                      "zmienionych w formularzu i niewysłanych do urządzenia "
                                      "jest %1 (wiersze „%2”).")
                           .arg(m_unsent.size())
                           .arg(QString::fromUtf8(NotSent)),
                       UnsentInk, UnsentFill, true});
    else if (!m_header.read.isValid())
        status.append({QStringLiteral("Nastawy formularza; nie porównano ich z urządzeniem."),
                       Qt::black, GroupFill, false});
    if (m_header.verified.isValid())
        status.append({QStringLiteral("Zapis potwierdzony odczytem: %1.").arg(when(m_header.verified)),
                       ConfirmedInk, ConfirmedFill, true});
    for (const Status &line : status) {
        const QFont font = sheetFont(TextSize, line.bold);
        m_layout->add(textHeight(font, BodyWidth - 2 * Padding, line.text) + 4 * Padding,
                      [line, font](QPainter &painter, const QRectF &area, bool) {
                          const QRectF box = area.adjusted(0, Padding, 0, -Padding);
                          painter.fillRect(box, line.fill);
                          painter.setPen(line.ink);
                          painter.setFont(font);
                          painter.drawText(box.adjusted(Padding, Padding, -Padding, -Padding),
                                           Qt::TextWordWrap, line.text);
                      });
    }
    m_layout->add(3 * Padding, [](QPainter &, const QRectF &, bool) {});
}

void SettingsReport::addSettings()
{
    const QFont text = sheetFont(TextSize);
    const QFont bold = sheetFont(TextSize, true);
    const QFont groupFont = sheetFont(TextSize + 1, true);
    const qreal settingWidth = BodyWidth * 0.50;
    const qreal valueWidth = BodyWidth * 0.32;
    const qreal markWidth = BodyWidth - settingWidth - valueWidth;
    const QString notSent = QString::fromUtf8(NotSent);

    int heading = -1;
    QString group;
    for (int i = 0; i < m_rows.size(); ++i) {
        const SettingRow &row = m_rows[i];
        if (row.group != group || heading < 0) {
            group = row.group;
            const QString title = group;
            heading = m_layout->add(
                textHeight(groupFont, BodyWidth, title) + 2 * Padding,
                [title, groupFont](QPainter &painter, const QRectF &area, bool continued) {
                    painter.fillRect(area, GroupFill);
                    painter.setFont(groupFont);
                    painter.drawText(area.adjusted(Padding, Padding, -Padding, -Padding),
                                     Qt::TextWordWrap,
                                     continued ? title + QStringLiteral(" (cd.)") : title);
                },
                SheetLayout::KeepWithNext);
        }
        const bool unsent = m_unsent.contains(i);
        const QString value = unsent ? QStringLiteral("urządzenie: %1\nformularz: %2")
                                           .arg(m_relayRows[i].value, row.value)
                                     : row.value;
        const qreal height = qMax(textHeight(text, settingWidth - 2 * Padding, row.setting),
                                  textHeight(text, valueWidth - 2 * Padding, value)) +
                             2 * Padding;
        const QString setting = row.setting;
        m_layout->add(
            height,
            [=](QPainter &painter, const QRectF &area, bool) {
                if (unsent)
                    painter.fillRect(area, UnsentFill);
                painter.setPen(QPen(Rule, 3));
                painter.drawLine(area.bottomLeft(), area.bottomRight());
                painter.setPen(Qt::black);
                painter.setFont(text);
                const QRectF inner = area.adjusted(Padding, Padding, -Padding, -Padding);
                painter.drawText(QRectF(inner.left(), inner.top(), settingWidth - 2 * Padding,
                                        inner.height()),
                                 Qt::TextWordWrap, setting);
                painter.drawText(QRectF(area.left() + settingWidth + Padding, inner.top(),
                                        valueWidth - 2 * Padding, inner.height()),
                                 Qt::TextWordWrap, value);
                if (unsent) {
                    painter.setPen(UnsentInk);
                    painter.setFont(bold);
                    painter.drawText(QRectF(area.right() - markWidth + Padding, inner.top(),
                                            markWidth - 2 * Padding, inner.height()),
                                     Qt::AlignRight | Qt::TextWordWrap, notSent);
                }
            },
            0, heading);
    }
}

void SettingsReport::addSignatures()
{
    const QFont text = sheetFont(TextSize);
    const QFont small = sheetFont(SmallSize);
    const QString engineer = m_header.engineer;
    const qreal lineHeight = QFontMetricsF(text).height();
    // Room above the lines for a signature written by hand.
    const qreal height = 4 * Padding + lineHeight + 28 * UnitsPerMm / 2 + 2 * lineHeight;
    m_layout->add(height, [=](QPainter &painter, const QRectF &area, bool) {
        const qreal columnWidth = (area.width() - 10 * UnitsPerMm) / 2;
        const QStringList titles{QStringLiteral("Wykonał (serwis)"),
                                 QStringLiteral("Odbiorca (klient)")};
        const QStringList names{engineer, QString()};
        for (int column = 0; column < 2; ++column) {
            const qreal left = area.left() + column * (columnWidth + 10 * UnitsPerMm);
            const qreal top = area.top() + 4 * Padding;
            painter.setPen(Qt::black);
            painter.setFont(text);
            painter.drawText(QRectF(left, top, columnWidth, lineHeight), titles[column]);
            const qreal line = area.bottom() - 2 * lineHeight;
            painter.setPen(QPen(Qt::black, 4));
            painter.drawLine(QPointF(left, line), QPointF(left + columnWidth, line));
            painter.setFont(small);
            painter.drawText(QRectF(left, line + Padding, columnWidth, 2 * lineHeight),
                             Qt::TextWordWrap,
                             names[column].isEmpty()
                                 ? QStringLiteral("data, imię i nazwisko, podpis")
                                 : QStringLiteral("data, podpis – %1").arg(names[column]));
        }
    });
}

void SettingsReport::addFrames()
{
    const QFont headingFont = sheetFont(TextSize + 1, true);
    const QFont hex = sheetFont(TextSize, false, true);
    const QString title = QStringLiteral("Załącznik: Ramki konfiguracji");
    m_layout->add(
        textHeight(headingFont, BodyWidth, title) + 6 * Padding,
        [title, headingFont](QPainter &painter, const QRectF &area, bool) {
            painter.setFont(headingFont);
            painter.drawText(area.adjusted(0, 4 * Padding, 0, 0), Qt::TextWordWrap, title);
        },
        SheetLayout::KeepWithNext);
    const qreal lineHeight = QFontMetricsF(hex).height() + Padding;
    for (int at = 0; at < m_frames.size(); at += Frame::Size) {
        const QString line = QString::fromLatin1(m_frames.mid(at, Frame::Size).toHex(' ').toUpper());
        m_layout->add(lineHeight, [line, hex](QPainter &painter, const QRectF &area, bool) {
            painter.setFont(hex);
            painter.drawText(area, line);
        });
    }
}

void SettingsReport::paintSimulationMark(QPainter &painter) const
{
    if (m_header.simulated) {
        // Drawn over the page, translucent, so no fill hides it; and as outlines, so it is a
        // mark across the page, not words among the settings when the PDF's text is read or
        // searched. The footer says it in words.
        painter.save();
        painter.translate(PageSize.width() / 2, PageSize.height() / 2);
        painter.rotate(-55);
        QPainterPath mark;
        const QFont markFont = sheetFont(90, true);
        const QString text = QString::fromUtf8(SimulationMark);
        mark.addText(-QFontMetricsF(markFont).horizontalAdvance(text) / 2,
                     QFontMetricsF(markFont).capHeight() / 2, markFont, text);
        painter.fillPath(mark, QColor(0x80, 0x80, 0x80, 0x48));
        painter.restore();
    }
}

void SettingsReport::paintPageFrame(QPainter &painter, int page) const
{
    const QFont small = sheetFont(SmallSize);
    const qreal baseline = PageSize.height() - FooterBaseline;
    painter.setPen(QPen(Rule, 3));
    painter.drawLine(QPointF(SideMargin, baseline - 3 * Padding - QFontMetricsF(small).height()),
                     QPointF(PageSize.width() - SideMargin,
                             baseline - 3 * Padding - QFontMetricsF(small).height()));
    painter.setPen(Qt::black);
    painter.setFont(small);
    const QRectF footer(SideMargin, baseline - QFontMetricsF(small).height(), BodyWidth,
                        QFontMetricsF(small).height());
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                     m_header.simulated ? QStringLiteral("%1 – %2, symulowane urządzenie")
                                              .arg(m_header.fileName,
                                                   QString::fromUtf8(SimulationMark))
                                        : m_header.fileName);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Strona %1 z %2").arg(page + 1).arg(pageCount()));
}

bool SettingsReport::print(QPagedPaintDevice *device) const
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    // The painter starts at the corner of the device's printable area; the sheet keeps its
    // own margins from the corner of the paper.
    const QPageLayout layout = device->pageLayout();
    const qreal scale = device->logicalDpiX() / UnitsPerInch;
    const QPointF printable = layout.paintRectPixels(device->logicalDpiX()).topLeft();
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device->newPage())
            return false;
        painter.save();
        painter.translate(-printable);
        painter.scale(scale, device->logicalDpiY() / UnitsPerInch);
        paintPageFrame(painter, page);
        painter.save();
        painter.translate(SideMargin, TopMargin);
        m_layout->paintPage(painter, page, BodyWidth);
        painter.restore();
        paintSimulationMark(painter);
        painter.restore();
    }
    return painter.end();
}

QString SettingsReport::writePdf(const QString &path) const
{
    // Painted into a temporary file beside the target, which replaces it only once the
    // painter, the writer and the disk have all done their part.
    AtomicFileWriter file(path);
    if (!file.open())
        return file.errorText();
    QPdfWriter writer(file.device());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Karta nastaw ") + m_header.model);
    writer.setCreator(QStringLiteral("orva-konfig"));
    if (!print(&writer))
        return QStringLiteral("Nie zapisano raportu „%1”: nie można narysować strony.")
            .arg(QFileInfo(path).fileName());
    return file.commit() ? QString() : file.errorText();
}
