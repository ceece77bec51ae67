#pragma once

class BenchTable;
class TimedApplication;

// The program's side of the serial link: how long after a reply's last byte the window
// shows it, how long a whole connection takes, and how long receiving holds the event loop.
class LinkBench
{
public:
    explicit LinkBench(TimedApplication &application) : m_application(application) {}

    void run(BenchTable &table);

private:
    void latency(BenchTable &table);
    void connectionCycle(BenchTable &table);
    void blockHandling(BenchTable &table);
    void responsiveness(BenchTable &table);

    TimedApplication &m_application;
};
