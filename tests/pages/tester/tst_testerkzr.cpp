#include "tests/support/simulatedconnection.h"

#include "pages/tester/testerkzr.h"
#include "protocol/frames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

// The production tester's page: a form that carries no payload, reached by identity "12".
class tst_TesterKZR : public QObject
{
    Q_OBJECT

private slots:
    void initialPlan();
    void manualChecksAndResults();
    void resultsCannotBeClicked();
    void frameIsHeaderOnly();
    void identificationShowsPage();
    void replyChangesOnlyTheLog();
};

namespace {

const QStringList Tests = {"TEST ZAŁĄCZENIE",  "TEST LED",     "TEST WEJŚCIA",
                           "TEST PRZEKAŹNIKI", "TEST ZAKRESY", "TEST GNIAZD BANANOWYCH",
                           "TEST PRZYCISK"};

QList<QCheckBox *> boxesStartingWith(QWidget &page, const QString &prefix)
{
    QList<QCheckBox *> found;
    const auto boxes = page.findChildren<QCheckBox *>();
    for (QCheckBox *box : boxes) {
        if (box->objectName().startsWith(prefix))
            found << box;
    }
    return found;
}

// Everything the user could see change on the form.
QStringList formState(QWidget &page)
{
    QStringList state;
    for (const auto *combo : page.findChildren<QComboBox *>())
        state << combo->objectName() + QString::number(combo->currentIndex());
    for (const auto *box : page.findChildren<QCheckBox *>())
        state << box->objectName() + QString::number(box->checkState()) +
                     QString::number(box->isEnabled());
    for (const auto *label : page.findChildren<QLabel *>())
        state << label->objectName() + label->text();
    state << QString::number(page.findChild<QTabWidget *>()->currentIndex());
    return state;
}

// A check box reacts to clicks on its indicator and text, which sit at its left edge.
void clickIndicator(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

void choose(TesterKZR &page)
{
    page.findChild<QTabWidget *>()->setCurrentIndex(2);
    page.findChild<QComboBox *>(QStringLiteral("Wybor_ETAP3"))->setCurrentIndex(6);
    page.findChild<QCheckBox *>(QStringLiteral("TEST_L2Z4"))->setChecked(true);
    page.findChild<QCheckBox *>(QStringLiteral("Res_PK1NC"))->setChecked(true);
}

} // namespace

void tst_TesterKZR::initialPlan()
{
    TesterKZR page;
    auto *tabs = page.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(1), QStringLiteral("Test Pojedyńczy"));

    for (int stage = 1; stage <= 7; ++stage) {
        auto *combo = page.findChild<QComboBox *>(QStringLiteral("Wybor_ETAP%1").arg(stage));
        QVERIFY(combo);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, Tests);
        QCOMPARE(combo->currentIndex(), stage - 1);
    }
    auto *single = page.findChild<QComboBox *>(QStringLiteral("TestPoj_WybEtapu"));
    QCOMPARE(single->count(), Tests.size());
    QCOMPARE(single->currentIndex(), 0);
    auto *stages = page.findChild<QComboBox *>(QStringLiteral("Wybor_ETAPIlosc"));
    QCOMPARE(stages->count(), 7);
    QCOMPARE(stages->currentText(), QStringLiteral("7"));
}

void tst_TesterKZR::manualChecksAndResults()
{
    TesterKZR page;
    const auto checks = boxesStartingWith(page, QStringLiteral("TEST_"));
    QCOMPARE(checks.size(), 38);
    for (const QCheckBox *check : checks) {
        QVERIFY2(check->isEnabled() && !check->isChecked(), qPrintable(check->objectName()));
        QVERIFY(!check->text().isEmpty());
    }

    const auto results = boxesStartingWith(page, QStringLiteral("Res_"));
    QCOMPARE(results.size(), 38);
    for (const QCheckBox *result : results) {
        const QString name = result->objectName();
        QVERIFY2(!result->isEnabled() && !result->isChecked(), qPrintable(name));
        QVERIFY(result->text().isEmpty());
        QVERIFY(!result->accessibleName().isEmpty());
        // The rule names the box itself so it cannot leak onto other widgets.
        const QString style = result->styleSheet();
        QVERIFY2(style.contains(name + "::indicator:unchecked{image: url(:/GRAFIKA/OK.png);}"),
                 qPrintable(name));
        QVERIFY2(style.contains(name + "::indicator:checked{image: url(:/GRAFIKA/NOK.png);}"),
                 qPrintable(name));
    }
}

void tst_TesterKZR::resultsCannotBeClicked()
{
    TesterKZR page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.findChild<QTabWidget *>()->setCurrentIndex(2);
    for (QCheckBox *result : boxesStartingWith(page, QStringLiteral("Res_"))) {
        clickIndicator(result);
        QVERIFY2(!result->isChecked(), qPrintable(result->objectName()));
    }
    // A manual check on the same page does respond, so the clicks did reach the form.
    auto *check = page.findChild<QCheckBox *>(QStringLiteral("TEST_PRZYC"));
    clickIndicator(check);
    QVERIFY(check->isChecked());
}

void tst_TesterKZR::frameIsHeaderOnly()
{
    TesterKZR page;
    const QByteArray expected = QByteArray("\x0aU") + QByteArray(12, '\0');
    QCOMPARE(page.encodeConfig(), expected);
    choose(page);
    QCOMPARE(page.encodeConfig(), expected);
}

void tst_TesterKZR::identificationShowsPage()
{
    SimulatedConnection connection(Frame::Reply::Tester);
    QVERIFY(connection.connectAndLoad());
    QCOMPARE(connection.logLines(),
             QStringList({"Prośba o identyfikator", "Urządznie: Tester KZR-1",
                          "Pobierz konfiguracje", "Konfiguracja pobrana Tester KZR"}));
    auto *stack = connection.window().findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget(), &connection.window().testerPage());

    connection.device().clearReceivedFrames();
    emit connection.window().testerPage().WyslijDaneTesterKZR();
    QVERIFY(connection.waitForFrames(1));
    QCOMPARE(connection.device().receivedFrames().first(),
             connection.window().testerPage().encodeConfig());
    QCOMPARE(connection.logLines().at(4), QStringLiteral("Wysyłanie danych testera"));
}

void tst_TesterKZR::replyChangesOnlyTheLog()
{
    ORVA2 window;
    TesterKZR &page = window.testerPage();
    choose(page);
    const QStringList before = formState(page);

    window.processBlock(QByteArray(Frame::Reply::TesterConfig) + QByteArray(12, '\xff'));
    window.processBlock(QByteArray(Frame::Reply::TesterConfig));

    QCOMPARE(formState(page), before);
    QCOMPARE(logLinesOf(window),
             QStringList({"Konfiguracja pobrana Tester KZR", "Konfiguracja pobrana Tester KZR"}));
    auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->indexOf(&page), -1);
}

QTEST_MAIN(tst_TesterKZR)
#include "tst_testerkzr.moc"
