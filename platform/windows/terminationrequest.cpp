#include "platform/terminationrequest.h"

#include <QMetaObject>

#include <atomic>

#include <windows.h>

// The console calls its handler on a thread of its own; the request reaches the object in
// the thread it lives in.
namespace {

std::atomic<TerminationRequest *> current{nullptr};

BOOL WINAPI handle(DWORD event)
{
    TerminationRequest *target = current;
    if (!target)
        return FALSE;
    const int exitCode = event == CTRL_C_EVENT ? TerminationRequest::InterruptExitCode
                                               : TerminationRequest::TerminateExitCode;
    QMetaObject::invokeMethod(
        target, [target, exitCode] { emit target->requested(exitCode); }, Qt::QueuedConnection);
    // A console being closed ends the process when the handler returns: give the event
    // loop a moment to end the run in order.
    if (event == CTRL_CLOSE_EVENT)
        Sleep(2000);
    return TRUE;
}

} // namespace

TerminationRequest::TerminationRequest(QObject *parent) : QObject(parent)
{
    current = this;
    SetConsoleCtrlHandler(handle, TRUE);
}

TerminationRequest::~TerminationRequest()
{
    if (current != this)
        return;
    SetConsoleCtrlHandler(handle, FALSE);
    current = nullptr;
}
