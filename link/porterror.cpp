#include "link/porterror.h"

#include "platform/portadvice.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

PortError::Cause causeOf(QSerialPort::SerialPortError error, bool deviceWritable)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortError::Cause::NoSuchPort;
    case QSerialPort::OpenError:
        return PortError::Cause::AlreadyOpen;
    case QSerialPort::ResourceError:
        return PortError::Cause::Removed;
    case QSerialPort::PermissionError:
        return deviceWritable ? PortError::Cause::Busy : PortError::Cause::NoPermission;
    default:
        return PortError::Cause::Other;
    }
}

} // namespace

PortError::PortError(QSerialPort::SerialPortError error, const QString &portName,
                     bool deviceWritable)
    : m_error(error), m_portName(portName), m_cause(causeOf(error, deviceWritable))
{
}

PortError PortError::of(QSerialPort::SerialPortError error, const QString &portName)
{
    const QFileInfo device(QSerialPortInfo(portName).systemLocation());
    const bool deviceFile = device.isAbsolute() && device.exists();
    return PortError(error, portName, !deviceFile || device.isWritable());
}

QString PortError::sentence() const
{
    // A port someone else holds is no fault of this port or this computer: said as a fact about
    // the port, in the words an engineer would use on the phone.
    if (m_cause == Cause::Busy)
        return QStringLiteral("Port %1 jest zajęty przez inny program.").arg(m_portName);
    QString reason;
    switch (m_cause) {
    case Cause::NoSuchPort:
        reason = QStringLiteral("nie ma takiego portu (adapter nie jest podłączony albo nazwa "
                                "jest błędna)");
        break;
    case Cause::NoPermission:
        reason = QStringLiteral("brak uprawnień do portu");
        break;
    case Cause::AlreadyOpen:
        reason = QStringLiteral("port jest już otwarty");
        break;
    case Cause::Busy:
        break;
    case Cause::Removed:
        reason = QStringLiteral("urządzenie zostało odłączone");
        break;
    case Cause::Other:
        reason = QStringLiteral("nieoczekiwany błąd portu szeregowego (kod %1)").arg(int(m_error));
        break;
    }
    return QStringLiteral("Nie można otworzyć portu %1: %2.").arg(m_portName, reason);
}

QString PortError::hint() const
{
    switch (m_cause) {
    case Cause::NoPermission:
        return PortAdvice::forRefusedPort();
    case Cause::Busy:
        return QStringLiteral("Zamknij program, który używa portu, albo wybierz inny port.");
    case Cause::NoSuchPort:
    case Cause::Removed:
        return QStringLiteral("Sprawdź, czy adapter jest podłączony, i odśwież listę portów.");
    case Cause::AlreadyOpen:
    case Cause::Other:
        break;
    }
    return QString();
}

QString PortError::text() const
{
    const QString advice = hint();
    return advice.isEmpty() ? sentence() : sentence() + QLatin1Char(' ') + advice;
}
