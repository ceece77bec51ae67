#pragma once

#include <QByteArray>

// A configuration as the program itself would have written it to a device of the given
// identity: a window identifies that device, its page is fed a noisy reply and encodes the
// form. Every field of the result is one the form can show, so a device that stores it
// and is read back must give a form that encodes to exactly these frames.
QByteArray writtenConfiguration(const QByteArray &identity, quint32 seed);

// Bytes 2-13 of every frame, the part a device stores.
QByteArray payloadOf(const QByteArray &frames);
