#pragma once

#include <QString>

struct ModelInfo;

// How one action on one relay ended: the exit code, the sentence that says so, and the
// relay as far as it was identified.
struct RunOutcome
{
    enum Code
    {
        Done = 0,
        // --compare or the check after --write found settings that differ.
        Differs = 1,
        // An option, a file or a file's model that the program will not act on.
        Refused = 2,
        // No such port, a port that cannot be opened, no answer or a lost link.
        LinkFailed = 3,
        // Ended from outside, as a shell reports it: Ctrl+C, and a request to terminate.
        Interrupted = 130,
        Terminated = 143,
    };

    Code code = Done;
    QString sentence;
    const ModelInfo *model = nullptr;
    QString deviceVersion;

    // An end before any relay was identified.
    static RunOutcome before(Code code, const QString &sentence)
    {
        return {code, sentence, nullptr, QString()};
    }
};
