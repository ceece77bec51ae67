#pragma once

#include "simulator/ptylink.h"
#include "simulator/simulateddevice.h"

#include <QByteArray>
#include <QString>

// One simulated relay on a line of its own: the device end of a pseudo-terminal answers as
// the model would, and the program opens portName() like any serial adapter.
class DeviceSimulator
{
public:
    // identity: the two-digit code of a row of the model table, "01" to "12".
    explicit DeviceSimulator(const QByteArray &identity);

    // Creates the line. False where the system has no pseudo-terminals.
    bool start();
    // The name the program opens; empty until started.
    QString portName() const { return m_link.slavePath(); }

    SimulatedDevice &device() { return m_device; }
    PtyLink &link() { return m_link; }

private:
    PtyLink m_link;
    SimulatedDevice m_device;
};
