#include "app/communicationlog.h"
#include "app/setupapplication.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

// The log as a record of the session: bounded, clearable and saved with the bytes behind
// every line.
class tst_CommunicationLog : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheNewestLinesInOrder();
    void savedFileHoldsEveryEntry();
    void menuIsPolishAndClearKeepsTheColour();
    void remarksHaveTheirOwnColour();
    void newestLineStaysInViewUnlessScrolledAway();
};

// The oldest lines give way together, once MaxLines is exceeded by DroppedTogether; until then
// the log holds every line written.
void tst_CommunicationLog::keepsTheNewestLinesInOrder()
{
    QTextBrowser view;
    auto *log = new CommunicationLog(&view); // the view's, as in the window
    const int full = CommunicationLog::MaxLines + CommunicationLog::DroppedTogether - 1;
    for (int i = 0; i < full; ++i)
        log->note(QString::number(i));
    QCOMPARE(log->lines().size(), full);
    QCOMPARE(log->lines().first(), QStringLiteral("0"));

    const int notes = full + 3;
    for (int i = full; i < notes; ++i)
        log->note(QString::number(i));
    log->sent(QStringLiteral("Próba LED"), QByteArray("LE") + QByteArray(12, '\x01'), true);

    // Written in one turn, the four lines made the excess whole: the log is back to MaxLines.
    QStringList expected;
    for (int i = notes + 1 - CommunicationLog::MaxLines; i < notes; ++i)
        expected << QString::number(i);
    expected << QStringLiteral("Próba LED");
    QCOMPARE(log->lines(), expected);
    // Each kept line still carries its own frame, not one of a line that gave way.
    const QString toolTip = log->toolTipOfLine(expected.size() - 1);
    QVERIFY2(toolTip.endsWith(QStringLiteral("wysłano: 4C 45 01 01 01 01 01 01 01 01 01 01 01 01")),
             qPrintable(toolTip));
    QVERIFY2(log->toolTipOfLine(0).endsWith(QLatin1Char(' ') + expected.first()),
             qPrintable(log->toolTipOfLine(0)));
}

void tst_CommunicationLog::savedFileHoldsEveryEntry()
{
    QTextBrowser view;
    auto *log = new CommunicationLog(&view);
    log->note(QStringLiteral("Offline"));
    log->sent(QStringLiteral("Dane dla Widoku"), QByteArray("dV") + QByteArray(12, '\x01'), true);
    log->beginReceived(QByteArray("dV") + QByteArray(3, '\0') + '\x09' + QByteArray(8, '\0'));
    log->received(QStringLiteral("Widok urządzenia aktualizacja"));
    log->sent(QStringLiteral("Próba LED"), QByteArray("LE") + QByteArray(12, '\xFF'), false);
    log->failure(QStringLiteral("Nie wysłano: brak połączenia z urządzeniem"));

    log->setHeader([] {
        return QStringList{"Port: /dev/ttyUSB0", "Model: KZR-1", "Wersja urządzenia: v01d02m03r"};
    });

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("log.txt"));
    QString error;
    QVERIFY2(log->saveTo(path, &error), qPrintable(error));
    QFile file(path);
    // Lines end as the system's text files do; read as text, they end in '\n' everywhere.
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString saved = QString::fromUtf8(file.readAll());
    // The header, a blank line, then the entries.
    const QStringList header = saved.section(QStringLiteral("\n\n"), 0, 0).split('\n');
    QCOMPARE(header.size(), 6);
    QCOMPARE(header[1], QStringLiteral("Program: orva-konfig " ORVA_PROGRAM_VERSION));
    QVERIFY2(QRegularExpression(QStringLiteral("^Zapisano: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                 .match(header[2])
                 .hasMatch(),
             qPrintable(header[2]));
    QCOMPARE(header.mid(3), QStringList({"Port: /dev/ttyUSB0", "Model: KZR-1",
                                         "Wersja urządzenia: v01d02m03r"}));
    const QStringList entries = saved.section(QStringLiteral("\n\n"), 1).split(QLatin1Char('\n'));

    const QRegularExpression timed(QStringLiteral(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\t(.*)$"));
    QStringList untimed;
    for (const QString &entry : entries.mid(0, entries.size() - 1)) {
        const QRegularExpressionMatch match = timed.match(entry);
        QVERIFY2(match.hasMatch(), qPrintable(entry));
        untimed << match.captured(1);
    }
    QCOMPARE(untimed,
             QStringList({"Offline",
                          "Dane dla Widoku\twysłano: 64 56 01 01 01 01 01 01 01 01 01 01 01 01",
                          "Widok urządzenia aktualizacja\todebrano: 64 56 00 00 00 09 00 00 00 "
                          "00 00 00 00 00",
                          "Próba LED\tport zamknięty, nie wysłano: 4C 45 FF FF FF FF FF FF FF FF "
                          "FF FF FF FF",
                          "Nie wysłano: brak połączenia z urządzeniem"}));
    QCOMPARE(entries.last(), QString());

    QVERIFY(!log->saveTo(folder.filePath(QStringLiteral("missing/log.txt")), &error));
    QVERIFY(!error.isEmpty());
}

// The toolkit's entries of the menu speak Polish once the program has set itself up.
void tst_CommunicationLog::menuIsPolishAndClearKeepsTheColour()
{
    setUpApplication(*qApp);
    QTextBrowser view;
    auto *log = new CommunicationLog(&view);
    log->failure(QStringLiteral("Brak odpowiedzi urządzenia"));
    std::unique_ptr<QMenu> menu(log->createContextMenu());
    QStringList texts;
    QAction *clear = nullptr;
    for (QAction *action : menu->actions()) {
        texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        if (texts.last() == QStringLiteral("Wyczyść"))
            clear = action;
    }
    for (const char *expected : {"Skopiuj", "Zaznacz wszystko", "Wyczyść", "Zapisz log…"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), qPrintable(texts.join(", ")));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));

    clear->trigger();
    QVERIFY(log->lines().isEmpty());
    // A line written in whatever colour is current still gets the colour the log had.
    log->note(QStringLiteral("Offline"));
    QCOMPARE(log->lines(), QStringList{"Offline"});
    QCOMPARE(view.textColor(), CommunicationLog::FailureColour);
    // Markup is recorded as written, and a name of two paragraphs shows both.
    log->note(QStringLiteral("Plik <b>a</b>.orva.json") + QChar(QChar::ParagraphSeparator) + "b");
    QCOMPARE(log->lines(), QStringList({"Offline", "Plik <b>a</b>.orva.json", "b"}));
    QVERIFY(view.document()->findBlockByNumber(2).isVisible());
}

static QColor colourOfLine(const QTextBrowser &view, int line)
{
    return view.document()->findBlockByNumber(line).begin().fragment().charFormat().foreground().color();
}

// A remark after a sent frame is not read as one, and the connection's lines written in the
// last colour are not coloured by a remark.
void tst_CommunicationLog::remarksHaveTheirOwnColour()
{
    QTextBrowser view;
    auto *log = new CommunicationLog(&view);
    log->sent(QStringLiteral("Wysyłanie konfiguracji do urządzenia"), QByteArray(14, 'x'), true);
    log->remark(QStringLiteral("Zapisano raport nastaw KZR-1_2026-12-07_1132.pdf"));
    log->note(QStringLiteral("Offline"));
    log->beginReceived(QByteArray("OK"));
    log->received(QStringLiteral("Konfiguracja odebrana"));
    log->remark(QStringLiteral("Zapis potwierdzony odczytem"));
    log->failure(QStringLiteral("Brak odpowiedzi urządzenia"));
    log->remark(QStringLiteral("Zapisano nastawy do pliku a.orva.json"));

    const QVector<QColor> expected{Qt::red,
                                   CommunicationLog::RemarkColour,
                                   Qt::red,
                                   Qt::blue,
                                   CommunicationLog::RemarkColour,
                                   CommunicationLog::FailureColour,
                                   CommunicationLog::RemarkColour};
    QCOMPARE(log->lines().size(), expected.size());
    for (int line = 0; line < expected.size(); ++line)
        QCOMPARE(colourOfLine(view, line), expected[line]);
    for (const QColor &other : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::black),
                                CommunicationLog::FailureColour})
        QVERIFY(CommunicationLog::RemarkColour != other);
}

void tst_CommunicationLog::newestLineStaysInViewUnlessScrolledAway()
{
    QTextBrowser view;
    auto *log = new CommunicationLog(&view);
    view.resize(320, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 60; ++i)
        log->note(QString::number(i));
    QScrollBar *bar = view.verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    QTRY_COMPARE(bar->value(), bar->maximum());

    // Smaller, as when the engineer drags the splitter down: the range grows.
    view.resize(320, 90);
    QTRY_COMPARE(bar->value(), bar->maximum());
    view.resize(200, 90);
    QTRY_COMPARE(bar->value(), bar->maximum());

    // Scrolled up to read: neither new lines nor a resize move the view.
    bar->setValue(bar->maximum() / 3);
    const int reading = bar->value();
    log->note(QStringLiteral("nowa"));
    view.resize(200, 60);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), reading);
    QVERIFY(bar->value() < bar->maximum());
}

QTEST_MAIN(tst_CommunicationLog)
#include "tst_communicationlog.moc"
