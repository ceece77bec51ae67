#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// The device's end of the line a simulated relay answers on. The program opens portName()
// as it opens any port.
class DeviceLine : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        // A pseudo-terminal: the program reaches the relay through its real serial stack,
        // from this process or any other.
        Pseudoterminal,
        // A port inside this process (LocalPort), for systems without pseudo-terminals.
        InProcess,
    };
    // A pseudo-terminal where the system makes them, else a port inside the process.
    static Kind systemKind();
    static std::unique_ptr<DeviceLine> make(Kind kind);

    using QObject::QObject;

    // Makes the line. False when the system cannot.
    virtual bool open() = 0;
    // Takes the line away, as if the adapter were pulled out.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Empty until opened.
    virtual QString portName() const = 0;

public slots:
    virtual void send(const QByteArray &bytes) = 0;

signals:
    void received(const QByteArray &bytes);
};
