// orva-devsim: plays one relay on a pseudo-terminal or on a real serial port, so the
// program (or a second machine) can be tried without hardware.

#include "simulator/devicesimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSerialPort>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates one relay on a serial line. Models: ") +
        SimulatedDevice::modelNames().join(QStringLiteral(", ")) +
        QStringLiteral(" (or their identity codes 01-12)."));
    parser.addHelpOption();
    QCommandLineOption model({QStringLiteral("m"), QStringLiteral("model")},
                             QStringLiteral("the relay to play, e.g. KZR-1 or 01"),
                             QStringLiteral("model"), QStringLiteral("KZR-1"));
    QCommandLineOption port({QStringLiteral("p"), QStringLiteral("port")},
                            QStringLiteral("serve on this serial port instead of a new pty"),
                            QStringLiteral("name"));
    QCommandLineOption baud({QStringLiteral("b"), QStringLiteral("baud")},
                            QStringLiteral("baud rate on --port"), QStringLiteral("rate"),
                            QStringLiteral("9600"));
    QCommandLineOption blocking(QStringLiteral("blocking"),
                                QStringLiteral("start with the interlock blocking"));
    parser.addOptions({model, port, baud, blocking});
    parser.process(app);

    QTextStream out(stdout);
    const QByteArray identity = SimulatedDevice::identityFor(parser.value(model));
    if (identity.isEmpty()) {
        out << "unknown model " << parser.value(model) << Qt::endl;
        return 2;
    }
    DeviceSimulator simulator(identity);
    SimulatedDevice &device = simulator.device();
    if (parser.isSet(blocking))
        device.setViewState(0x01);
    QObject::connect(&device, &SimulatedDevice::frameReceived, [&out](const QByteArray &frame) {
        out << "<- " << frame.toHex(' ') << Qt::endl;
    });
    QObject::connect(&device, &SimulatedDevice::transmit, [&out](const QByteArray &bytes) {
        out << "-> " << bytes.toHex(' ') << Qt::endl;
    });

    QSerialPort serial;
    if (parser.isSet(port)) {
        serial.setPortName(parser.value(port));
        if (!serial.open(QIODevice::ReadWrite)) {
            out << "cannot open " << parser.value(port) << ": " << serial.errorString() << Qt::endl;
            return 1;
        }
        serial.setBaudRate(parser.value(baud).toInt());
        QObject::connect(&serial, &QSerialPort::readyRead,
                         [&] { device.receive(serial.readAll()); });
        QObject::connect(&device, &SimulatedDevice::transmit,
                         [&](const QByteArray &bytes) { serial.write(bytes); });
        out << "relay " << identity << " on " << serial.portName() << Qt::endl;
    } else {
        if (!simulator.start()) {
            out << "cannot create a pseudo-terminal (use --port)" << Qt::endl;
            return 1;
        }
        out << "relay " << identity << " on " << simulator.portName() << Qt::endl;
    }
    return app.exec();
}
