#include "settings/settingdescription.h"

#include "protocol/frames.h"
#include "settings/descriptions/modeldescriptions.h"

#include <QLocale>
#include <QStringList>

#include <map>

namespace {

QLocale polish()
{
    QLocale locale(QLocale::Polish);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

const SettingDescription *SettingDescription::of(ModelInfo::Id model)
{
    static const std::map<ModelInfo::Id, SettingDescription> descriptions = [] {
        std::map<ModelInfo::Id, SettingDescription> all;
        for (const ModelInfo &info : ModelInfo::all()) {
            if (info.id != ModelInfo::Id::Tester)
                all.emplace(info.id, describeSettings(info.id));
        }
        return all;
    }();
    const auto found = descriptions.find(model);
    return found == descriptions.end() ? nullptr : &found->second;
}

SettingDescription::SettingDescription(ModelInfo::Id model,
                                       std::function<QByteArray(const QByteArray &)> normalise,
                                       const QByteArray &ignoredBits)
    : m_model(model), m_normalise(std::move(normalise)), m_ignored(ignoredBits)
{
}

QByteArray SettingDescription::held(const QByteArray &frames) const
{
    QByteArray result = frames.leftJustified(frameBytes(), '\0', true);
    // The ignored bits as the program writes them, so a file keeps its constant bytes.
    const QByteArray written = normalised(frames).leftJustified(frameBytes(), '\0', true);
    const QByteArray ignored = m_ignored.leftJustified(frameBytes(), '\0', true);
    for (int i = 0; i < result.size(); ++i)
        result[i] = static_cast<char>((result[i] & ~ignored[i]) | (written[i] & ignored[i]));
    for (int at = 0; at < result.size(); at += Frame::Size) {
        const QByteArray header =
            (at == 0 ? Frame::configFrame() : Frame::configFramePart2()).left(2);
        result.replace(at, header.size(), header);
    }
    return result;
}

int SettingDescription::frameBytes() const
{
    return ModelInfo::of(m_model).configReplySize();
}

QVector<SettingRow> SettingDescription::rows(const QByteArray &frames) const
{
    QVector<SettingRow> result;
    result.reserve(m_fields.size());
    for (const Field &field : m_fields)
        result.append({field.group, field.setting, field.value(frames)});
    return result;
}

QVector<int> SettingDescription::differences(const QByteArray &frames,
                                             const QByteArray &other) const
{
    // A setting is read from the bits its mask names, so where those bits are equal so is the
    // setting, and nothing is decoded or written out as text. Only a setting whose bits differ
    // is read: a mask may also hold bits that only say how to read the others (a mode), and
    // two settings read alike then.
    const QByteArray ours = frames.leftJustified(frameBytes(), '\0', true);
    const QByteArray theirs = other.leftJustified(frameBytes(), '\0', true);
    QVector<int> result;
    for (int field = 0; field < m_fields.size(); ++field) {
        const QByteArray &mask = m_fields[field].mask;
        for (int i = 0; i < mask.size(); ++i) {
            if ((ours[i] ^ theirs[i]) & mask[i]) {
                if (m_fields[field].value(frames) != m_fields[field].value(other))
                    result.append(field);
                break;
            }
        }
    }
    return result;
}

QString SettingDescription::bytesOf(int field, const QByteArray &frames) const
{
    const QByteArray bytes = held(frames);
    const QByteArray &mask = m_fields.at(field).mask;
    QStringList hex;
    for (int i = 0; i < mask.size(); ++i) {
        if (mask[i] != 0)
            hex << QString::asprintf("%02X", static_cast<quint8>(bytes[i]));
    }
    return hex.join(QLatin1Char(' '));
}

QByteArray SettingDescription::taken(const QByteArray &into, const QByteArray &from,
                                     const QVector<int> &fieldIndexes) const
{
    QByteArray result = into.leftJustified(frameBytes(), '\0', true);
    const QByteArray source = from.leftJustified(frameBytes(), '\0', true);
    for (int index : fieldIndexes) {
        const QByteArray &mask = m_fields.at(index).mask;
        for (int i = 0; i < result.size(); ++i)
            result[i] = static_cast<char>((result[i] & ~mask[i]) | (source[i] & mask[i]));
    }
    return result;
}

void SettingDescription::add(const QString &setting, const QByteArray &mask,
                             std::function<QString(const QByteArray &)> value)
{
    m_fields.append({m_group, setting, mask, std::move(value)});
}

void SettingDescription::addFlag(const QString &setting, int byte, int bit)
{
    add(setting, bitMask(byte, bit), [byte, bit](const QByteArray &frames) {
        return yesNo(byte < frames.size() && (frames[byte] >> bit) & 1);
    });
}

void SettingDescription::addClearedFlag(const QString &setting, int byte, int bit)
{
    add(setting, bitMask(byte, bit), [byte, bit](const QByteArray &frames) {
        return yesNo(!(byte < frames.size() && (frames[byte] >> bit) & 1));
    });
}

QByteArray SettingDescription::bitMask(int byte, int bit) const
{
    QByteArray mask(frameBytes(), '\0');
    mask[byte] = static_cast<char>(1 << bit);
    return mask;
}

QByteArray SettingDescription::byteMask(int first, int last) const
{
    QByteArray mask(frameBytes(), '\0');
    for (int i = first; i <= last; ++i)
        mask[i] = '\xff';
    return mask;
}

QString SettingDescription::yesNo(bool value)
{
    return value ? QStringLiteral("tak") : QStringLiteral("nie");
}

QString SettingDescription::decimal(double value, int decimals, const QString &unit)
{
    const QString number = polish().toString(value, 'f', decimals);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}
