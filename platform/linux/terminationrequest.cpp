#include "platform/terminationrequest.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

// A signal handler may do almost nothing: it writes the signal's number into a pipe, and
// the event loop reads it from there.
namespace {

int wakeUp[2] = {-1, -1};
TerminationRequest *current = nullptr;
QSocketNotifier *notifier = nullptr;
struct sigaction previousInterrupt;
struct sigaction previousTerminate;

void handle(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    // Nothing can be done here about a full pipe: a request is already waiting in it.
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &number, 1);
}

void readRequest()
{
    unsigned char number = 0;
    if (::read(wakeUp[0], &number, 1) != 1 || !current)
        return;
    emit current->requested(number == SIGINT ? TerminationRequest::InterruptExitCode
                                             : TerminationRequest::TerminateExitCode);
}

} // namespace

TerminationRequest::TerminationRequest(QObject *parent) : QObject(parent)
{
    current = this;
    if (wakeUp[0] >= 0)
        return;
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakeUp[0] = wakeUp[1] = -1;
        return;
    }
    notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &readRequest);
    struct sigaction action = {};
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
}

TerminationRequest::~TerminationRequest()
{
    if (current != this)
        return;
    current = nullptr;
    if (wakeUp[0] < 0)
        return;
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
    delete notifier;
    notifier = nullptr;
    ::close(wakeUp[0]);
    ::close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
}
