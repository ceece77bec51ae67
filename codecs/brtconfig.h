#pragma once

#include <QByteArray>
#include <QtGlobal>

// BRT-1's configuration: two inputs, each lighting an indication in its colour, and the two
// relays the inputs drive.
class BrtConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        // Each input has a mode byte followed by its two delays.
        static constexpr int Input1Byte = 2;
        static constexpr int Input2Byte = 5;
        static constexpr int AppearOffset = 1;
        static constexpr int VanishOffset = 2;
        static constexpr int OptionsByte = 8;
        static constexpr int RelaysByte = 9;
        // The device expects this fixed tail after the configuration.
        static constexpr int TailByte = 10;
        static constexpr char Tail[] = {0x00, 0x01, 0x02, 0x03};

        // Mode byte: bit 0 is the trigger, then one bit per colour.
        static constexpr int ExcitationBit = 0;
        static constexpr int FirstColourBit = 1;
        static constexpr quint8 ColourMask = 0x1E;
        static constexpr int ColourCount = 4;

        // The swap is bit 0 although its box stands second on the page: the device defines
        // the order.
        static constexpr int SwapBit = 0;
        static constexpr int NoFastBlinkingBit = 1;
        static constexpr int LatchingBit = 2;

        static constexpr int Input1Relay1Bit = 0;
        static constexpr int Input1Relay2Bit = 1;
        static constexpr int Input2Relay1Bit = 2;
        static constexpr int Input2Relay2Bit = 3;
        static constexpr int Relay1InvertedBit = 4;
        static constexpr int Relay2InvertedBit = 5;
    };

    // In the order of the page's colour lists, so a colour is also its list index.
    enum Colour
    {
        Unnamed = -1, // no colour bit or several: a damaged field
        Red,
        Green,
        Blue,
        White,
    };

    struct Input
    {
        bool onExcitation = false; // acts on the excitation of its signal, not on its loss
        Colour colour = Unnamed;
        quint8 appearSteps = 0; // 100 ms each
        quint8 vanishSteps = 0; // 100 ms each

        bool operator==(const Input &other) const;
    };

    Input input1;
    Input input2;
    bool channelsSwapped = false;
    bool noFastBlinking = false;
    bool latching = false;
    // Which input drives which relay; the page keeps each input on one relay and each relay
    // on one input.
    bool input1Relay1 = false;
    bool input1Relay2 = false;
    bool input2Relay1 = false;
    bool input2Relay2 = false;
    bool relay1Inverted = false;
    bool relay2Inverted = false;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole configuration reply; a byte beyond a short block reads as 0.
    static BrtConfig decode(const QByteArray &block);
    QByteArray encode() const;

    // The inputs as delivered: both on excitation, input 1 red, input 2 green, delays one
    // step. The options carry the wiring of the installation and have no factory value.
    static BrtConfig defaults();

    bool operator==(const BrtConfig &other) const;
    bool operator!=(const BrtConfig &other) const { return !(*this == other); }
};
