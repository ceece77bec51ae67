#include "protocol/frames.h"
#include "settings/settingdescription.h"
#include "settings/settingsreport.h"
#include "settings/sheetlayout.h"
#include "tests/codecs/codecdomain.h"
#include "tests/support/pdftext.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

// The settings sheet as it is printed: what pdftotext reads from the PDF is what a client
// reads on paper.
class tst_settingsreport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void noHeadingEndsAPage_data();
    void noHeadingEndsAPage();
    void sheetIsARecordOfTheVisit_data();
    void sheetIsARecordOfTheVisit();
    void sheetOfAFormNeverReadSaysSo();

private:
    QString m_pdftotext;
};

void tst_settingsreport::initTestCase()
{
    m_pdftotext = PdfText::reader();
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not on the path: not installed, or Windows, which has none");
}

void tst_settingsreport::noHeadingEndsAPage_data()
{
    QTest::addColumn<QVector<int>>("heights");
    QTest::addColumn<QVector<bool>>("keepsWithNext");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QVector<int>>("firstBlockOfPage2");

    // A page of 100. The heading (block 2) would fit as the page's last block, but its row
    // would not: both go over.
    QTest::newRow("heading at the foot")
        << QVector<int>{40, 40, 10, 20} << QVector<bool>{false, false, true, false} << 2
        << QVector<int>{2, 3};
    // A group goes on over the page: its heading is repeated above its next row.
    QTest::newRow("group continues")
        << QVector<int>{10, 30, 30, 30, 30} << QVector<bool>{true, false, false, false, false}
        << 2 << QVector<int>{0, 4};
    // A row that fits exactly stays.
    QTest::newRow("exact fit") << QVector<int>{50, 10, 40} << QVector<bool>{false, true, false}
                               << 1 << QVector<int>{};
    // A chain of headings follows its first row.
    QTest::newRow("two headings") << QVector<int>{80, 10, 5, 10}
                                  << QVector<bool>{false, true, true, false} << 2
                                  << QVector<int>{1, 2, 3};
}

void tst_settingsreport::noHeadingEndsAPage()
{
    QFETCH(QVector<int>, heights);
    QFETCH(QVector<bool>, keepsWithNext);
    QFETCH(int, pages);
    QFETCH(QVector<int>, firstBlockOfPage2);

    SheetLayout layout(100);
    int heading = -1;
    for (int i = 0; i < heights.size(); ++i) {
        const int added = layout.add(heights[i], [](QPainter &, const QRectF &, bool) {},
                                     keepsWithNext[i] ? SheetLayout::KeepWithNext : 0,
                                     keepsWithNext[i] ? -1 : heading);
        if (keepsWithNext[i])
            heading = added;
    }
    QCOMPARE(layout.pageCount(), pages);
    for (int page = 0; page < layout.pageCount(); ++page) {
        const QVector<int> blocks = layout.blocksOn(page);
        QVERIFY(!blocks.isEmpty());
        if (page < layout.pageCount() - 1)
            QVERIFY2(!keepsWithNext[blocks.last()], qPrintable(QString::number(page)));
    }
    QCOMPARE(layout.blocksOn(1), firstBlockOfPage2);
}

void tst_settingsreport::sheetIsARecordOfTheVisit_data()
{
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<QVector<int>>("changedFields");
    QTest::addColumn<bool>("verified");

    QTest::newRow("read and written") << false << QVector<int>{} << true;
    QTest::newRow("unwritten changes") << false << QVector<int>{0, 3, 7} << false;
    QTest::newRow("simulated relay") << true << QVector<int>{} << false;
}

// WRN-2 has the most settings: its sheet runs over pages.
void tst_settingsreport::sheetIsARecordOfTheVisit()
{
    QFETCH(bool, simulated);
    QFETCH(QVector<int>, changedFields);
    QFETCH(bool, verified);

    const SettingDescription &description = *SettingDescription::of(ModelInfo::Id::Wrn2);
    const QByteArray relay = drawnConfiguration(ModelInfo::Id::Wrn2, 11);
    const QByteArray form =
        description.taken(relay, drawnConfiguration(ModelInfo::Id::Wrn2, 12), changedFields);
    const QVector<int> unsent = description.differences(relay, form);
    QVERIFY(unsent.size() >= changedFields.size() / 2);

    SettingsReport::Header header;
    header.model = QStringLiteral("WRN-2");
    header.deviceVersion = QStringLiteral("v01d02m03r");
    header.port = QStringLiteral("/dev/pts/2");
    header.simulated = simulated;
    header.read = QDateTime(QDate(2026, 12, 7), QTime(11, 32));
    if (verified)
        header.verified = QDateTime(QDate(2026, 12, 7), QTime(11, 41));
    header.station = QStringLiteral("GPZ Północ / pole 12");
    header.serialNumber = QStringLiteral("W2-004711");
    header.engineer = QStringLiteral("Jan Kowalski");
    header.settingsFile = QStringLiteral("WRN-2_2026-12-07_1132.orva.json");
    header.fileName = QStringLiteral("WRN-2_2026-12-07_1145.pdf");
    const QVector<SettingRow> rows = description.rows(form);
    const QVector<SettingRow> relayRows = description.rows(relay);
    const SettingsReport report(header, rows, form, relayRows);
    QCOMPARE(report.unsentRows(), unsent);

    QTemporaryDir folder;
    const QString pdf = folder.filePath(header.fileName);
    QCOMPARE(report.writePdf(pdf), QString());
    const QStringList pages = PdfText::pages(m_pdftotext, pdf);
    QCOMPARE(pages.size(), report.pageCount());
    QVERIFY(pages.size() >= 2);
    const QString all = pages.join(QLatin1Char(' '));

    QVERIFY2(pages.first().contains(QStringLiteral("Karta nastaw przekaźnika WRN-2")),
             qPrintable(pages.first()));
    for (const QString &expected :
         {QStringLiteral("Stacja / pole GPZ Północ / pole 12"),
          QStringLiteral("Nr fabryczny W2-004711"), QStringLiteral("Wykonał Jan Kowalski"),
          QStringLiteral("Wersja urządzenia v01d02m03r"),
          QStringLiteral("Odczyt z urządzenia 2026-12-07 11:32"),
          QStringLiteral("Plik nastaw WRN-2_2026-12-07_1132.orva.json"),
          QStringLiteral("orva-konfig " ORVA_PROGRAM_VERSION)})
        QVERIFY2(pages.first().contains(expected), qPrintable(expected + "\n" + pages.first()));
    QCOMPARE(pages.first().contains(QStringLiteral("Port /dev/pts/2")), !simulated);
    QCOMPARE(pages.first().contains(QStringLiteral("Port symulowane urządzenie")), simulated);
    QCOMPARE(all.contains(QStringLiteral("Zapis potwierdzony odczytem: 2026-12-07 11:41")),
             verified);
    for (const SettingRow &row : rows)
        QVERIFY2(all.contains(row.group) && all.contains(row.setting.simplified()),
                 qPrintable(row.setting));
    QVERIFY2(all.contains(QStringLiteral("Wykonał (serwis)")) &&
                 all.contains(QStringLiteral("Odbiorca (klient)")),
             qPrintable(all));

    for (int page = 0; page < pages.size(); ++page) {
        const QString footer = QStringLiteral("Strona %1 z %2").arg(page + 1).arg(pages.size());
        QVERIFY2(pages[page].contains(footer), qPrintable(footer + "\n" + pages[page]));
        QVERIFY2(pages[page].contains(header.fileName), qPrintable(pages[page]));
        QCOMPARE(pages[page].count(QString::fromUtf8(SettingsReport::SimulationMark)),
                 simulated ? 1 : 0);
    }

    // Rows and the header's sentence; the sentence names the mark once.
    const QString notSent = QString::fromUtf8(SettingsReport::NotSent);
    QCOMPARE(all.count(notSent), unsent.isEmpty() ? 0 : unsent.size() + 1);
    for (int row : unsent) {
        const QString both = QStringLiteral("urządzenie: %1 formularz: %2")
                                 .arg(relayRows[row].value, rows[row].value);
        QVERIFY2(all.contains(both), qPrintable(both));
    }
    QCOMPARE(pages.first().contains(QStringLiteral("Karta nie odpowiada temu, co zawiera "
                                                   "urządzenie")),
             !unsent.isEmpty());

    // The frames close the sheet, their heading with them.
    const QString appendix = QStringLiteral("Załącznik: Ramki konfiguracji");
    QVERIFY(pages.last().contains(appendix));
    const QString firstFrame = QString::fromLatin1(form.left(Frame::Size).toHex(' ').toUpper());
    const QString secondFrame = QString::fromLatin1(form.mid(Frame::Size).toHex(' ').toUpper());
    QVERIFY(pages.last().indexOf(appendix) < pages.last().indexOf(firstFrame));
    QVERIFY(pages.last().contains(secondFrame));
}

void tst_settingsreport::sheetOfAFormNeverReadSaysSo()
{
    const SettingDescription &description = *SettingDescription::of(ModelInfo::Id::Ga);
    const QByteArray frames = drawnConfiguration(ModelInfo::Id::Ga, 3);
    SettingsReport::Header header;
    header.model = QStringLiteral("GA-1");
    header.port = QStringLiteral("Tryb Offline");
    header.fileName = QStringLiteral("GA-1.pdf");
    const SettingsReport report(header, description.rows(frames), frames);
    QVERIFY(report.unsentRows().isEmpty());
    QTemporaryDir folder;
    QCOMPARE(report.writePdf(folder.filePath(header.fileName)), QString());
    const QString text = PdfText::pages(m_pdftotext, folder.filePath(header.fileName)).join(' ');
    QVERIFY2(text.contains(QStringLiteral("Odczyt z urządzenia nie odczytano")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("nie porównano ich z urządzeniem")));
    QVERIFY(!text.contains(QString::fromUtf8(SettingsReport::NotSent)));
}

QTEST_MAIN(tst_settingsreport)
#include "tst_settingsreport.moc"
