#pragma once

#include "simulator/deviceline.h"
#include "simulator/simulateddevice.h"

#include <QByteArray>
#include <QString>

#include <memory>

// One simulated relay on a line of its own: the device end of the line answers as the model
// would, and the program opens portName() like any serial adapter.
class DeviceSimulator
{
public:
    // identity: the two-digit code of a row of the model table, "01" to "12".
    explicit DeviceSimulator(const QByteArray &identity,
                             DeviceLine::Kind line = DeviceLine::systemKind());

    // Makes the line. False when the system cannot.
    bool start();
    // The name the program opens; empty until started.
    QString portName() const { return m_line->portName(); }

    SimulatedDevice &device() { return m_device; }
    DeviceLine &link() { return *m_line; }

private:
    std::unique_ptr<DeviceLine> m_line;
    SimulatedDevice m_device;
};
