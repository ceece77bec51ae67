#include "simulator/devicesimulator.h"

DeviceSimulator::DeviceSimulator(const QByteArray &identity) : m_device(identity)
{
    QObject::connect(&m_link, &PtyLink::received, &m_device, &SimulatedDevice::receive);
    QObject::connect(&m_device, &SimulatedDevice::transmit, &m_link, &PtyLink::send);
}

bool DeviceSimulator::start()
{
    return m_link.open();
}
