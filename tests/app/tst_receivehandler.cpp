#include "tests/support/simulatedconnection.h"

#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

// What the window does with each received block, by its header.
class tst_ReceiveHandler : public QObject
{
    Q_OBJECT

private slots:
    void identification_data();
    void identification();
    void replyLogLines_data();
    void replyLogLines();
    void reidentificationKeepsOnePageInStack();
};

static QStackedWidget *stackOf(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
}

void tst_ReceiveHandler::identification_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("version");
    for (const ModelInfo &model : ModelInfo::all())
        QTest::newRow(model.name) << QByteArray(model.identity)
                                  << (model.hasRangeVariant ? "v03d15m07r1" : "v03d15m07r");
}

void tst_ReceiveHandler::identification()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, version);
    const QString logLine = QString::fromUtf8(ModelInfo::find(QString::fromLatin1(code))->identifiedLine);

    ORVA2 window;
    window.processBlock(code + QByteArray("0315071") + QByteArray(5, '\x07'));

    QCOMPARE(logLinesOf(window).mid(0, 2), QStringList({logLine, "Pobierz konfiguracje"}));
    QWidget *page = stackOf(window)->currentWidget();
    QCOMPARE(stackOf(window)->currentIndex(), 1);
    QVERIFY(page != nullptr);
    const auto labels = page->findChildren<QLabel *>();
    const bool versionShown = std::any_of(labels.begin(), labels.end(),
                                          [&](QLabel *label) { return label->text() == version; });
    if (code != "12") // the tester page shows no version
        QVERIFY2(versionShown, qPrintable(version));
}

// Every reply is logged in blue, or only turns the log blue when it is no known reply.
void tst_ReceiveHandler::replyLogLines_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("logLines");
    const QByteArray zeros(12, '\0');
    QTest::newRow("KZR view") << "dV" + zeros << QStringList{"Widok urządzenia aktualizacja"};
    QTest::newRow("LED test echo") << "PL" + zeros << QStringList{"RGB"};
    QTest::newRow("acknowledge") << "OK" + zeros << QStringList{"Konfiguracja odebrana"};
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("DL") << "DL" + zeros << QStringList();
    QTest::newRow("one byte") << QByteArray("0") << QStringList();
    QTest::newRow("lower case ok") << QByteArray("ok") << QStringList();
}

void tst_ReceiveHandler::replyLogLines()
{
    QFETCH(QByteArray, block);
    QFETCH(QStringList, logLines);
    ORVA2 window;
    window.processBlock(block);
    QCOMPARE(logLinesOf(window), logLines);
    QCOMPARE(stackOf(window)->currentIndex(), 0);
    auto *log = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    QCOMPARE(log->textColor(), QColor(Qt::blue));
}

void tst_ReceiveHandler::reidentificationKeepsOnePageInStack()
{
    ORVA2 window;
    const QByteArray reply = QByteArray("01031507") + QByteArray(6, '\0');
    window.processBlock(reply);
    window.processBlock(QByteArray("03031507") + QByteArray(6, '\0'));
    window.processBlock(reply);
    QCOMPARE(stackOf(window)->count(), 3);
    QCOMPARE(stackOf(window)->currentWidget(), &window.kzrPage());
}

QTEST_MAIN(tst_ReceiveHandler)
#include "tst_receivehandler.moc"
