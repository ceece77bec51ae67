#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Random frames of the WRN relays' first frame, shared by both models.
namespace WrnReplies {

// Options of one relay that the two-channel page lets coexist.
enum class RelayOptions
{
    Interlocked, // latching and pulse operation exclude each other
    Free,
};

// A first frame under the given reply header whose every field the page can show; ignored
// bits and the unused tail are noise.
QByteArray firstFrame(QRandomGenerator &random, const char *header, RelayOptions options);
// An LED colour byte naming listed colours (bits 1-6), with the other bits as noise.
quint8 colourByte(QRandomGenerator &random);
// The bits of the first frame that carry a setting.
QByteArray firstFrameMask();

} // namespace WrnReplies
