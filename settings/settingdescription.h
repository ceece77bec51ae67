#pragma once

#include "protocol/modeltable.h"
#include "settings/settingrow.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

// How one model's configuration reads as settings. Every setting names the frame bits it
// lives in, so the file, the compare view and the report list the same settings, and a
// setting can be taken from another configuration bit for bit.
//
// "Frames" here are the configuration as the program writes it: one 14-byte frame, or two
// back to back for a model whose configuration spans two, each with its outgoing header.
class SettingDescription
{
public:
    struct Field
    {
        QString group;
        QString setting;
        // One byte per frame byte: the bits this setting is stored in.
        QByteArray mask;
        // The value as the form shows it, unit included, read from the frames.
        std::function<QString(const QByteArray &frames)> value;
    };

    // The description of a model whose configuration the program keeps; nullptr for the
    // tester, which has none.
    static const SettingDescription *of(ModelInfo::Id model);

    SettingDescription(ModelInfo::Id model, std::function<QByteArray(const QByteArray &)> normalise,
                       const QByteArray &ignoredBits);

    ModelInfo::Id model() const { return m_model; }
    int frameBytes() const;
    const QVector<Field> &fields() const { return m_fields; }

    // What the program would write after reading these frames (or a device reply): its
    // codec decodes them and encodes them again.
    QByteArray normalised(const QByteArray &frames) const { return m_normalise(frames); }
    // What the relay holds, byte for byte, from a reply or frames: each frame under the header
    // the program writes it with, the bits the model ignores as the program writes them,
    // every other bit as it came, even one the form cannot show. Two configurations are the
    // same only when these are equal.
    QByteArray held(const QByteArray &frames) const;

    QVector<SettingRow> rows(const QByteArray &frames) const;
    // The indexes of the settings whose values differ between two configurations.
    QVector<int> differences(const QByteArray &frames, const QByteArray &other) const;
    // The bytes the setting lives in, in hexadecimal ("EF", "00 64"), as held().
    QString bytesOf(int field, const QByteArray &frames) const;
    // `into` with the chosen settings' bits taken from `from`.
    QByteArray taken(const QByteArray &into, const QByteArray &from,
                     const QVector<int> &fieldIndexes) const;

    // Building a description: settings are added in the order the form shows them, each
    // under the group most recently begun.
    void beginGroup(const QString &title) { m_group = title; }
    void add(const QString &setting, const QByteArray &mask,
             std::function<QString(const QByteArray &frames)> value);
    // A check box stored in one bit: "tak" when set, "nie" when clear.
    void addFlag(const QString &setting, int byte, int bit);
    // A check box whose bit is set while the box is clear.
    void addClearedFlag(const QString &setting, int byte, int bit);

    // Masks over the frames: one bit, or whole bytes (first to last, both included).
    QByteArray bitMask(int byte, int bit) const;
    QByteArray byteMask(int first, int last) const;
    QByteArray byteMask(int byte) const { return byteMask(byte, byte); }

    // Common value texts.
    static QString yesNo(bool value);
    // A decimal number as the form shows it: Polish comma, fixed decimals, then the unit.
    static QString decimal(double value, int decimals, const QString &unit);

private:
    ModelInfo::Id m_model;
    std::function<QByteArray(const QByteArray &)> m_normalise;
    QByteArray m_ignored;
    QVector<Field> m_fields;
    QString m_group;
};
