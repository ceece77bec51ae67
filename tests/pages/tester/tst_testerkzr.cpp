#include "tests/pages/common/pageform.h"
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

// The production tester's page: a form that carries no payload either way.
class tst_TesterKZR : public QObject
{
    Q_OBJECT

private slots:
    void resultsCannotBeClicked();
    void replyChangesOnlyTheLog();
};

namespace {

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

// Everything the user could see change on the form: its settings, texts and open tab.
QStringList shownState(QWidget &page)
{
    QStringList state = formState(page);
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

void tst_TesterKZR::replyChangesOnlyTheLog()
{
    ORVA2 window;
    TesterKZR &page = window.testerPage();
    choose(page);
    const QStringList before = shownState(page);

    window.processBlock(QByteArray(Frame::Reply::TesterConfig) + QByteArray(12, '\xff'));
    window.processBlock(QByteArray(Frame::Reply::TesterConfig));

    QCOMPARE(shownState(page), before);
    QCOMPARE(logLinesOf(window),
             QStringList({"Konfiguracja pobrana Tester KZR", "Konfiguracja pobrana Tester KZR"}));
    auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->indexOf(&page), -1);
}

QTEST_MAIN(tst_TesterKZR)
#include "tst_testerkzr.moc"
