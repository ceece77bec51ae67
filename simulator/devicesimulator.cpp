#include "simulator/devicesimulator.h"

DeviceSimulator::DeviceSimulator(const QByteArray &identity, DeviceLine::Kind line)
    : m_line(DeviceLine::make(line)), m_device(identity)
{
    QObject::connect(m_line.get(), &DeviceLine::received, &m_device, &SimulatedDevice::receive);
    QObject::connect(&m_device, &SimulatedDevice::transmit, m_line.get(), &DeviceLine::send);
}

bool DeviceSimulator::start()
{
    return m_line->open();
}
