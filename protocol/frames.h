#pragma once

#include <QByteArray>
#include <QtGlobal>

// Every exchange on the serial link is one 14-byte frame recognised by its first two bytes.
namespace Frame {

constexpr int Size = 14;

// Headers of frames the program sends.
constexpr char ConfigHeader0 = 0x0A;
constexpr char ConfigHeader1 = 'U';
constexpr char ConfigPart2Header1 = 'V';

// Values the program puts into fixed frames.
constexpr char Fill = 0x01;
constexpr char Unset = 0x00;

// Link settings.
constexpr qint32 DeviceBaudRate = 9600;
constexpr qint32 TesterBaudRate = 19532;

// How long a sender waits for its bytes to leave, in milliseconds.
constexpr int WriteWaitShort = 20;
constexpr int WriteWait = 50;
constexpr int WriteWaitLong = 100;

// A received block ends after this much silence on the line, in milliseconds.
constexpr int BurstSilenceMs = 20;

QByteArray identificationRequest();
QByteArray readRequest();
QByteArray viewRequest();
QByteArray unlockCommand();
QByteArray ledTestCommand();
QByteArray ledResetCommand();

// A 14-byte frame with the configuration header (0x0A 'U') and the rest 0.
QByteArray configFrame();
// The same with the second-part header (0x0A 'V').
QByteArray configFramePart2();

// Headers of frames the devices send: identity codes and reply pairs.
namespace Reply {
constexpr char Kzr[] = "01";
constexpr char Tlmx[] = "02";
constexpr char Ga[] = "03";
constexpr char Wrn1[] = "04";
constexpr char Drav[] = "05";
constexpr char Hel[] = "06";
constexpr char Wrn2[] = "07";
constexpr char Gami[] = "08";
constexpr char Zegar[] = "09";
constexpr char Nov[] = "10";
constexpr char Brt[] = "11";
constexpr char Tester[] = "12";

constexpr char KzrConfig[] = "DE";
constexpr char KzrView[] = "dV";
constexpr char GaConfig[] = "DF";
constexpr char Wrn1Config[] = "DG";
constexpr char DravConfig[] = "DH";
constexpr char Wrn2Config[] = "DI";
constexpr char GamiConfig[] = "DJ";
constexpr char ZegarConfig[] = "DK";
constexpr char BrtConfig[] = "DM";
constexpr char NovConfig[] = "DN";
constexpr char TesterConfig[] = "DO";
constexpr char LedTestEcho[] = "PL";
constexpr char Acknowledge[] = "OK";
} // namespace Reply

// Headers of the requests, as the device sees them.
namespace Request {
constexpr char Identify[] = "WAY";
constexpr char Read[] = "DTY";
constexpr char View[] = "dV";
constexpr char Unlock[] = "BL";
constexpr char LedTest[] = "PL";
constexpr char LedReset[] = "del";
} // namespace Request

// True when the block starts with the given header characters.
bool hasHeader(const QByteArray &block, const char *header);

} // namespace Frame
