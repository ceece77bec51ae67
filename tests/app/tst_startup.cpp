#include "tests/support/dialogs.h"
#include "tests/support/simulatedconnection.h"
#include "tests/support/widgets.h"

#include "cli/commandline.h"
#include "cli/runoutcome.h"
#include "app/program.h"
#include "protocol/modeltable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

// How the program starts: its command line, a port typed into the start window, what it
// remembers for the next start, and a relay simulated inside the program.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void commandLine_data();
    void commandLine();
    void typedPortConnectsAndIsOfferedNextTime();
    void startsConnected_data();
    void startsConnected();

private:
    // The settings of this run only, never the engineer's.
    QTemporaryDir m_settings;
};

static QString rememberedPort()
{
    return QSettings().value(QStringLiteral("connection/lastPort")).toString();
}

void tst_Startup::initTestCase()
{
    QVERIFY(m_settings.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void tst_Startup::init()
{
    QSettings().clear();
}

void tst_Startup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QByteArray>("simulated");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << QStringList() << QString() << QByteArray() << QString();
    QTest::newRow("port") << QStringList{"--port", "/dev/ttyUSB0"} << "/dev/ttyUSB0"
                          << QByteArray() << QString();
    QTest::newRow("model name") << QStringList{"--simulate", "KZR-1"} << QString()
                                << QByteArray("01") << QString();
    QTest::newRow("name as typed") << QStringList{"--simulate", "ga1mi"} << QString()
                                   << QByteArray("08") << QString();
    QTest::newRow("identity code") << QStringList{"--simulate", "05"} << QString()
                                   << QByteArray("05") << QString();
    QTest::newRow("unknown model") << QStringList{"--simulate", "KZR-9"} << QString()
                                   << QByteArray() << "Unknown model 'KZR-9'";
    QTest::newRow("port and model")
        << QStringList{"--port", "COM5", "--simulate", "GA-1"} << QString() << QByteArray()
        << "cannot be used together";
    QTest::newRow("unknown option") << QStringList{"--speed", "9600"} << QString()
                                    << QByteArray() << "Unknown option 'speed'";
    QTest::newRow("bare port name") << QStringList{"COM5"} << QString() << QByteArray()
                                    << "Unexpected argument 'COM5'";
}

void tst_Startup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, port);
    QFETCH(QByteArray, simulated);
    QFETCH(QString, error);
    arguments.prepend(QStringLiteral("orva-konfig"));

    CommandLine commandLine;
    QCOMPARE(commandLine.parse(arguments), error.isEmpty());
    if (!error.isEmpty()) {
        QVERIFY2(commandLine.errorText().contains(error), qPrintable(commandLine.errorText()));
        // A command line that cannot be followed ends the program before any window opens.
        QCOMPARE(Program::run(arguments), int(RunOutcome::Refused));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        return;
    }
    QCOMPARE(commandLine.portName(), port);
    const ModelInfo *model = commandLine.simulatedModel();
    QCOMPARE(model ? QByteArray(model->identity) : QByteArray(), simulated);
}

// The engineer types a path the system does not list, looks at the list (which is read
// again) and presses Enter. The next start offers that port and puts the window where it was.
void tst_Startup::typedPortConnectsAndIsOfferedNextTime()
{
    DeviceSimulator simulator("03");
    QVERIFY(simulator.start());
    QRect place;
    {
        Program program;
        ORVA2 &window = program.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *field = widget<QComboBox>(window, QStringLiteral("porty"));
        // Enter in the open list picks an entry; it does not connect.
        field->showPopup();
        QCOMPARE(field->itemText(0), QStringLiteral("Tryb Offline"));
        QCOMPARE(field->count(), 1 + QSerialPortInfo::availablePorts().size());
        QTest::keyClick(field->view(), Qt::Key_Return);
        QVERIFY(!field->view()->isVisible());
        QVERIFY(logLinesOf(window).isEmpty());

        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), simulator.portName());
        field->showPopup();
        field->hidePopup();
        QCOMPARE(field->currentText(), simulator.portName());

        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QTRY_COMPARE(pageStack(window)->currentWidget(), &window.gaPage());
        QTRY_COMPARE(logLinesOf(window).last(), QStringLiteral("Konfiguracja pobrana"));
        QCOMPARE(simulator.device().receivedFrames().size(), 2);
        QCOMPARE(field->findText(simulator.portName()), -1);

        window.setGeometry(40, 50, 620, 480);
        place = window.geometry();
        window.close();
    }
    QCOMPARE(rememberedPort(), simulator.portName());

    Program next;
    auto *field = widget<QComboBox>(next.window(), QStringLiteral("porty"));
    QCOMPARE(field->currentText(), simulator.portName());
    QCOMPARE(next.window().geometry(), place);
}

void tst_Startup::startsConnected_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("identity");
    QTest::addColumn<QString>("title");
    // The log between the request for the relay's name and the line about its configuration.
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("loaded");
    // "%1" stands for a pseudo-terminal the test serves the relay on.
    QTest::newRow("--port") << QStringList{"--port", "%1"} << QByteArray("04") << "ORVA_Konfig"
                            << "Urządznie: WRN-1"
                            << "Konfiguracja pobrana";
    QTest::newRow("--simulate KZR-1") << QStringList{"--simulate", "KZR-1"} << QByteArray("01")
                                      << "ORVA_Konfig – symulowane urządzenie KZR-1"
                                      << "Urządznie: KZR-1/TLMX-1"
                                      << "Konfiguracja pobrana";
    QTest::newRow("--simulate ga1mi") << QStringList{"--simulate", "ga1mi"} << QByteArray("08")
                                      << "ORVA_Konfig – symulowane urządzenie GA-1 MI"
                                      << "Urządznie: GA-1 MI"
                                      << "Konfiguracja pobrana";
    QTest::newRow("--simulate 10") << QStringList{"--simulate", "10"} << QByteArray("10")
                                   << "ORVA_Konfig – symulowane urządzenie NOV-1"
                                   << "Urządznie: NOV-1"
                                   << "Konfiguracja pobrana NOV";
}

// Starting with a port connects exactly as choosing it and pressing connect does, so that
// port is remembered; a relay simulated inside the program is a passing line, never offered
// again.
void tst_Startup::startsConnected()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, identity);
    QFETCH(QString, title);
    QFETCH(QString, named);
    QFETCH(QString, loaded);

    DeviceSimulator served(identity);
    QVERIFY(served.start());
    arguments.replaceInStrings(QStringLiteral("%1"), served.portName());
    arguments.prepend(QStringLiteral("orva-konfig"));
    CommandLine commandLine;
    QVERIFY2(commandLine.parse(arguments), qPrintable(commandLine.errorText()));

    Program program;
    ModalDialogCloser closer;
    QVERIFY(program.start(commandLine));
    ORVA2 &window = program.window();
    const bool simulated = program.simulator() != nullptr;
    QCOMPARE(simulated, commandLine.portName().isEmpty());
    SimulatedDevice &device = simulated ? program.simulator()->device() : served.device();

    const ModelInfo &model = *ModelInfo::find(QString::fromLatin1(identity));
    QTRY_COMPARE(logLinesOf(window),
                 QStringList({"Prośba o identyfikator", named, "Pobierz konfiguracje", loaded}));
    QCOMPARE(pageStack(window)->currentWidget(), &window.pageOf(model.id));
    QCOMPARE(device.receivedFrames().size(), 2);
    // As the title bar shows it: the change mark stays hidden while nothing is changed.
    QCOMPARE(window.windowTitle().remove(QStringLiteral("[*]")), title);
    QVERIFY2(closer.closedText().isEmpty(), qPrintable(closer.closedDetails()));
    QCOMPARE(rememberedPort(), simulated ? QString() : served.portName());
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
