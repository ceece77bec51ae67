#pragma once

#include <QByteArray>
#include <QString>

// Firmware version shown on every page: "v" b2 b3 "d" b4 b5 "m" b6 b7 "r", and for the
// GA relays the range-variant byte 8 after the "r".
QString versionText(const QByteArray &identificationReply, bool withRangeVariant);

// What a page shows when it was opened without a device.
QString offlineVersionText();
