#include "link/porterror.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QSerialPort::SerialPortError)

// Every way a port can refuse to open is said in Polish, names the port and suggests what to
// do; the dialout group is suggested only when permission is what is missing.
class tst_PortError : public QObject
{
    Q_OBJECT

private slots:
    void eachCauseInWords_data();
    void eachCauseInWords();
    void missingPortSaysSo();
};

void tst_PortError::eachCauseInWords_data()
{
    QTest::addColumn<QSerialPort::SerialPortError>("error");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("hint");
    QTest::newRow("no such port") << QSerialPort::DeviceNotFoundError << true
                                  << "Nie można otworzyć portu /dev/ttyUSB9: nie ma takiego portu"
                                  << "adapter jest podłączony";
    // Linux lets only the dialout group open ports; on Windows every user may, so a refusal
    // there means another program holds the port.
#ifdef Q_OS_WIN
    const QString permissionHint = QStringLiteral("zajęty przez inny program");
#else
    const QString permissionHint = QStringLiteral("grupy dialout");
#endif
    QTest::newRow("no permission")
        << QSerialPort::PermissionError << false
        << "Nie można otworzyć portu /dev/ttyUSB9: brak uprawnień do portu" << permissionHint;
    QTest::newRow("taken by another program") << QSerialPort::PermissionError << true
                                              << "Port /dev/ttyUSB9 jest zajęty przez inny program."
                                              << "Zamknij program";
    QTest::newRow("open already") << QSerialPort::OpenError << true
                                  << "Nie można otworzyć portu /dev/ttyUSB9: port jest już otwarty"
                                  << "";
    QTest::newRow("device removed")
        << QSerialPort::ResourceError << true
        << "Nie można otworzyć portu /dev/ttyUSB9: urządzenie zostało odłączone"
        << "odśwież listę";
    QTest::newRow("anything else")
        << QSerialPort::UnsupportedOperationError << true
        << "Nie można otworzyć portu /dev/ttyUSB9: nieoczekiwany błąd portu szeregowego (kod 10)"
        << "";
}

void tst_PortError::eachCauseInWords()
{
    QFETCH(QSerialPort::SerialPortError, error);
    QFETCH(bool, writable);
    QFETCH(QString, start);
    QFETCH(QString, hint);
    const PortError described(error, QStringLiteral("/dev/ttyUSB9"), writable);
    const QString sentence = described.sentence();
    QVERIFY2(sentence.startsWith(start), qPrintable(sentence));
    QVERIFY(sentence.endsWith(QLatin1Char('.')));
    if (hint.isEmpty())
        QCOMPARE(described.hint(), QString());
    else
        QVERIFY2(described.hint().contains(hint), qPrintable(described.hint()));
    QVERIFY(!described.hint().contains(QLatin1String("dialout")) ||
            described.cause() == PortError::Cause::NoPermission);
    QCOMPARE(described.text(),
             hint.isEmpty() ? described.sentence() : described.sentence() + ' ' + described.hint());
}

// A port that is not there is told apart from one the user may not open, whatever the
// toolkit's code for it.
void tst_PortError::missingPortSaysSo()
{
    const QString name = QStringLiteral("/dev/ttyUSB-none-such");
    QSerialPort port(name);
    QVERIFY(!port.open(QIODevice::ReadWrite));
    const PortError error = PortError::of(port.error(), name);
    QCOMPARE(error.cause(), PortError::Cause::NoSuchPort);
    QVERIFY2(!error.text().contains(QLatin1String("No such")), qPrintable(error.text()));
    QVERIFY2(error.text().startsWith(QStringLiteral(
                 "Nie można otworzyć portu /dev/ttyUSB-none-such: nie ma takiego portu")),
             qPrintable(error.text()));
}

QTEST_GUILESS_MAIN(tst_PortError)
#include "tst_porterror.moc"
