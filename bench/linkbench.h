#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class BenchTable;
class DeviceSimulator;
class ORVA2;
class TimedApplication;

// The program's side of the serial link, each figure beside a floor measured in the same
// run: how long after a reply's last byte the form shows it (against a bare DeviceLink), how
// long a whole connection takes (against the same exchange on a bare DeviceLink), and how
// receiving a reply every 50 ms stretches the event loop's gaps (against the idle loop).
class LinkBench
{
public:
    explicit LinkBench(TimedApplication &application) : m_application(application) {}

    void run(BenchTable &table);

    // For a profiler: connects a window to the model's simulated relay and has it receive
    // `rounds` replies, each changing the form or each equal to the last, every one painted
    // before the next. The replies are received inside receiveReplies(), so a profiler can
    // count that function alone. False when the model is unknown or nothing connected.
    // With `logLines`, the log holds that many lines first.
    static bool profile(const QString &model, int rounds, bool equal, int logLines = 0);
    // For a profiler: `rounds` windows just started connect to a simulated KZR-1, each inside
    // connectAndShow(). False when one did not connect.
    static bool profileConnection(int rounds);
    // Presses connect and returns once the loaded form is painted: the time on the clock
    // then, or -1.
    static qint64 connectAndShow(ORVA2 &window, const QString &portName);

private:
    static void receiveReplies(ORVA2 &window, DeviceSimulator &simulator,
                               const QList<QByteArray> &replies, int rounds);
    void latency(BenchTable &table);
    void connectionCycle(BenchTable &table);
    void blockHandling(BenchTable &table);
    void responsiveness(BenchTable &table);

    TimedApplication &m_application;
};
