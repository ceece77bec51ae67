// libFuzzer entry point, without a window. The whole input is one block for every codec.
// The same bytes are a stream of chunks for the link: a control byte (bits 0-4: the chunk
// is one byte more than this; bits 5-7: how long the line is quiet after it), the chunk,
// the next control byte, and so on.
#include "tests/fuzz/fuzzchecks.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int LengthBits = 0x1F;
constexpr int QuietShift = 5;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    static int applicationArgc = 1;
    static char *applicationArgv[] = {(*argv)[0], nullptr};
    QCoreApplication::setEventDispatcher(newVirtualClock());
    new QCoreApplication(applicationArgc, applicationArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QString failure = codecFailure(input);

    QList<Chunk> chunks;
    for (int at = 0; at < input.size();) {
        const quint8 control = static_cast<quint8>(input.at(at++));
        const Chunk chunk{input.mid(at, 1 + (control & LengthBits)),
                          QuietSteps[control >> QuietShift]};
        at += chunk.bytes.size();
        if (!chunk.bytes.isEmpty())
            chunks << chunk;
    }
    if (failure.isEmpty())
        failure = linkFailure(chunks);
    if (!failure.isEmpty())
        qFatal("%s", qPrintable(failure));
    return 0;
}
