#pragma once

#include "simulator/deviceline.h"

class LocalPort;

// A simulated relay's line inside this process: the program opens portName() through
// DeviceLink, which finds the LocalPort of that name. Each line has a name of its own,
// SYMULATOR1, SYMULATOR2 and so on, kept while the line is closed and opened again.
class LocalLine : public DeviceLine
{
    Q_OBJECT

public:
    explicit LocalLine(QObject *parent = nullptr);
    ~LocalLine() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    QString portName() const override;

    void send(const QByteArray &bytes) override;

private:
    LocalPort *m_port = nullptr;
};
