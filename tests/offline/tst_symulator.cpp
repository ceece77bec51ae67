#include "offline/symulator_wrn2v2.h"

#include <QAbstractButton>
#include <QStackedWidget>
#include <QTest>

// The WRN-2 input simulator: three latching signals and a reset that acts when switched on.
class tst_Symulator : public QObject
{
    Q_OBJECT

private slots:
    void switching_data();
    void switching();
};

namespace {

enum Led
{
    Yellow = 0,
    Off = 1,
    Red = 2,
};

QStackedWidget *led(QWidget &page, int n)
{
    return page.findChild<QStackedWidget *>(QStringLiteral("LED%1Kolor").arg(n));
}

} // namespace

void tst_Symulator::switching_data()
{
    // Steps name the switch that is flipped: 1, 2, 3 the inputs, R the reset.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QVector<int>>("leds");

    QTest::newRow("opens all off") << "" << QVector<int>{Off, Off, Off};
    QTest::newRow("signal held after input drops") << "11" << QVector<int>{Red, Off, Off};
    QTest::newRow("reset clears a dropped input") << "11R" << QVector<int>{Off, Off, Off};
    QTest::newRow("reset of an energised input") << "2R" << QVector<int>{Off, Yellow, Off};
    QTest::newRow("yellow goes off with its input") << "2R2" << QVector<int>{Off, Off, Off};
    QTest::newRow("energised again after yellow") << "2R22" << QVector<int>{Off, Red, Off};
    QTest::newRow("held reset does not block red") << "R3" << QVector<int>{Off, Off, Red};
    QTest::newRow("held reset clears nothing later") << "R33" << QVector<int>{Off, Off, Red};
    QTest::newRow("reset acts again when switched on again")
        << "R33RR" << QVector<int>{Off, Off, Off};
    QTest::newRow("releasing the reset changes nothing") << "1RR" << QVector<int>{Yellow, Off, Off};
    QTest::newRow("reset treats each input by its own state")
        << "1223R" << QVector<int>{Yellow, Off, Yellow};
}

void tst_Symulator::switching()
{
    QFETCH(QString, steps);
    QFETCH(QVector<int>, leds);

    symulator_wrn2v2 page;
    for (const QChar step : steps) {
        const QString name = step == QLatin1Char('R') ? QStringLiteral("Kasowanie")
                                                      : QStringLiteral("NapieciWe") + step;
        auto *toggle = page.findChild<QAbstractButton *>(name);
        QVERIFY2(toggle && toggle->isEnabled(), qPrintable(name));
        toggle->click();
    }
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(led(page, n)->currentIndex(), leds.at(n - 1));
}

QTEST_MAIN(tst_Symulator)
#include "tst_symulator.moc"
