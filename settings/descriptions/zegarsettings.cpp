#include "settings/descriptions/modeldescriptions.h"

#include "codecs/zegarconfig.h"

namespace {

using Layout = ZegarConfig::Layout;

// The mode boxes in bit order, which is also the order the form shows them in.
const char *const ModeBoxes[] = {"Tryb Pracy A", "Tryb Pracy B", "Tryb Pracy C",
                                 "Tryb Pracy D", "Tryb Pracy E", "Tryb Pracy AUTO"};

// The start and stop lists, in item order.
QString voltageItem(bool onLoss)
{
    return onLoss ? QStringLiteral("Zanik napięcia") : QStringLiteral("Pojawienie się napięcia");
}

} // namespace

SettingDescription describeZegarSettings()
{
    SettingDescription description(
        ModelInfo::Id::Zegar, [](const QByteArray &f) { return ZegarConfig::decode(f).encode(); },
        ZegarConfig::ignoredBits());
    const auto addVoltageChoice = [&description](const QString &label, int byte, int bit,
                                                 bool ZegarConfig::*onLoss) {
        description.add(label, description.bitMask(byte, bit), [onLoss](const QByteArray &frames) {
            return voltageItem(ZegarConfig::decode(frames).*onLoss);
        });
    };

    // Every box keeps its own bit: the form ticks one at most, but a device reply may set
    // several and the configuration keeps them all.
    description.beginGroup(QStringLiteral("Tryb Pracy"));
    for (int bit = ZegarConfig::ModeA; bit <= ZegarConfig::ModeAuto; ++bit)
        description.addFlag(QString::fromUtf8(ModeBoxes[bit]), Layout::ModeByte, bit);

    description.beginGroup(QStringLiteral("Start"));
    addVoltageChoice(QStringLiteral("Działanie na:"), Layout::StartByte,
                     Layout::StartOnVoltageLossBit, &ZegarConfig::startOnVoltageLoss);
    description.addFlag(QStringLiteral("Start kasuje wskazanie Milisekundomierza"),
                        Layout::StartByte, Layout::StartClearsDisplayBit);

    description.beginGroup(QStringLiteral("Stop"));
    addVoltageChoice(QStringLiteral("Działanie  na:"), Layout::StopByte,
                     Layout::StopOnVoltageLossBit, &ZegarConfig::stopOnVoltageLoss);
    return description;
}
