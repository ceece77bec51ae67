#pragma once

#include <QObject>

// A request from outside to end the program (Ctrl+C, a service manager stopping it), turned
// into a signal of the event loop, so that the program ends in order: what it is doing
// recorded, its port and the port's lock released. While an object exists, such a request no
// longer ends the process at once; the last one destroyed gives the default back.
//
// Linux: SIGINT and SIGTERM. Windows: the console's Ctrl+C, Ctrl+Break and close events.
class TerminationRequest : public QObject
{
    Q_OBJECT

public:
    // The exit codes a shell gives a process ended by the request: 128 + the signal number.
    static constexpr int InterruptExitCode = 130;
    static constexpr int TerminateExitCode = 143;

    explicit TerminationRequest(QObject *parent = nullptr);
    ~TerminationRequest() override;

signals:
    // InterruptExitCode for Ctrl+C, TerminateExitCode for a request to terminate.
    void requested(int exitCode);
};
