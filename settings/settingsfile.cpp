#include "settings/settingsfile.h"

#include "protocol/frames.h"
#include "settings/atomicfilewriter.h"
#include "settings/filefailure.h"
#include "settings/settingdescription.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

const char *const SettingsFile::Format = "orva-konfig-nastawy";
const char *const SettingsFile::Extension = ".orva.json";

namespace {

// The header each frame of a configuration starts with, as the program writes it.
QByteArray writtenHeader(int frameIndex)
{
    const QByteArray frame = frameIndex == 0 ? Frame::configFrame() : Frame::configFramePart2();
    return frame.left(2);
}

QString frameError(const QJsonValue &value, int index, QByteArray *bytes)
{
    const QString hex = value.toString();
    const int number = index + 1;
    static const QRegularExpression hexDigits(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    if (!value.isString() || !hexDigits.match(hex).hasMatch())
        return QStringLiteral("Ramka %1 nie jest zapisem szesnastkowym.").arg(number);
    *bytes = QByteArray::fromHex(hex.toLatin1());
    if (bytes->size() != Frame::Size)
        return QStringLiteral("Ramka %1 ma %2 B zamiast %3 B.")
            .arg(number)
            .arg(bytes->size())
            .arg(Frame::Size);
    if (!bytes->startsWith(writtenHeader(index)))
        return QStringLiteral("Ramka %1 nie zaczyna się nagłówkiem konfiguracji (%2).")
            .arg(number)
            .arg(QString::fromLatin1(writtenHeader(index).toHex(' ').toUpper()));
    return QString();
}

QString timeText(const QDateTime &time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QDateTime timeOf(const QJsonValue &value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
}

const char *const ReadKey = "read";
const char *const VerifiedKey = "verified";

// The parser's reasons, which it words in English only.
QString jsonFailure(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("niezamknięty obiekt");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("brak dwukropka po nazwie");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("niezamknięta tablica");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("brak przecinka między wartościami");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("niedozwolona wartość");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("dokument urywa się na liczbie");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("niepoprawna liczba");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("niedozwolona sekwencja ucieczki");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("tekst nie jest poprawnym UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("niezamknięty tekst");
    case QJsonParseError::MissingObject:
        return QStringLiteral("brak obiektu");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("zbyt głębokie zagnieżdżenie");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("dokument jest za duży");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("nadmiarowe dane na końcu");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("nieznany błąd");
}

// A value as the file writes it, for saying what was found.
QString jsonText(const QJsonValue &value)
{
    const QJsonDocument document(QJsonArray{value});
    const QString array = QString::fromUtf8(document.toJson(QJsonDocument::Compact));
    return array.mid(1, array.size() - 2);
}

// This program as files and stamps name it.
QString thisProgram()
{
    return QStringLiteral("orva-konfig " ORVA_PROGRAM_VERSION);
}

SettingsFile savedAt(const ModelInfo &model, const QByteArray &frames,
                     const QString &deviceVersion, const QDateTime &time)
{
    SettingsFile file;
    file.model = &model;
    file.frames = frames;
    file.deviceVersion = deviceVersion;
    file.saved = time;
    file.program = thisProgram();
    return file;
}

} // namespace

SettingsFile::ReadStamp SettingsFile::readNow(const QString &port, bool simulated)
{
    return {QDateTime::currentDateTime(), port, simulated, thisProgram()};
}

SettingsFile SettingsFile::of(const ModelInfo &model, const QByteArray &frames,
                              const QString &deviceVersion)
{
    return savedAt(model, frames, deviceVersion, QDateTime::currentDateTime());
}

SettingsFile SettingsFile::ofRead(const ModelInfo &model, const QByteArray &frames,
                                  const QString &deviceVersion, const QString &port,
                                  bool simulated, const QDateTime &readAt)
{
    SettingsFile file = savedAt(model, frames, deviceVersion, readAt);
    file.read = {readAt, port, simulated, file.program};
    return file;
}

SettingsFile SettingsFile::inLocalTime() const
{
    SettingsFile local = *this;
    for (QDateTime *time : {&local.saved, &local.read.time, &local.verified})
        if (time->isValid())
            *time = time->toLocalTime();
    return local;
}

QVector<SettingRow> SettingsFile::rows() const
{
    const SettingDescription *description = model ? SettingDescription::of(model->id) : nullptr;
    return description ? description->rows(frames) : QVector<SettingRow>();
}

QByteArray SettingsFile::toJson() const
{
    QJsonArray frameList;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        frameList.append(QString::fromLatin1(frames.mid(at, Frame::Size).toHex().toUpper()));
    QJsonArray settings;
    for (const SettingRow &row : rows()) {
        settings.append(QJsonObject{{QStringLiteral("group"), row.group},
                                    {QStringLiteral("setting"), row.setting},
                                    {QStringLiteral("value"), row.value}});
    }
    QJsonObject document{
        {QStringLiteral("format"), QLatin1String(Format)},
        {QStringLiteral("formatVersion"), FormatVersion},
        {QStringLiteral("model"), model->nameText()},
        {QStringLiteral("identity"), QLatin1String(model->identity)},
        {QStringLiteral("deviceVersion"), deviceVersion},
        {QStringLiteral("saved"), timeText(saved)},
        {QStringLiteral("program"), program},
        {QStringLiteral("frames"), frameList},
        {QStringLiteral("settings"), settings},
    };
    if (read.isValid())
        document.insert(QLatin1String(ReadKey),
                        QJsonObject{{QStringLiteral("time"), timeText(read.time)},
                                    {QStringLiteral("port"), read.port},
                                    {QStringLiteral("simulated"), read.simulated},
                                    {QStringLiteral("program"), read.program}});
    if (verified.isValid())
        document.insert(QLatin1String(VerifiedKey),
                        QJsonObject{{QStringLiteral("time"), timeText(verified)}});
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QString SettingsFile::save(const QString &path) const
{
    AtomicFileWriter writer(path);
    return writer.store(toJson()) ? QString() : writer.errorText();
}

SettingsFile SettingsFile::open(const QString &path, QString *error)
{
    // A pipe or a device would be waited on for ever, or read without end.
    const QFileInfo info(path);
    QFile file(path);
    const QString reason = info.exists() && !info.isFile()   ? FileFailure::notRegularFile()
                           : !file.open(QIODevice::ReadOnly) ? FileFailure::reason(file)
                                                             : QString();
    if (!reason.isEmpty()) {
        *error = QStringLiteral("Nie można odczytać pliku „%1”: %2.").arg(info.fileName(), reason);
        return SettingsFile();
    }
    return fromJson(file.readAll(), error);
}

SettingsFile SettingsFile::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    const auto refuse = [error](const QString &reason) {
        *error = reason;
        return SettingsFile();
    };
    if (parseError.error != QJsonParseError::NoError)
        return refuse(QStringLiteral("Plik nie jest poprawnym dokumentem JSON (%1, znak %2) – "
                                     "może został ucięty.")
                          .arg(jsonFailure(parseError.error), QString::number(parseError.offset)));
    const QJsonObject root = document.object();
    if (!document.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String(Format))
        return refuse(QStringLiteral("To nie jest plik nastaw ORVA_Konfig."));
    const QJsonValue versionValue = root.value(QStringLiteral("formatVersion"));
    if (versionValue.isUndefined())
        return refuse(QStringLiteral("Plik nie podaje wersji formatu."));
    // A version is a whole number: 1.9 is no version 1, and neither is the text "1".
    const double number = versionValue.toDouble(-1);
    if (!versionValue.isDouble() || number != std::floor(number) || number < 1)
        return refuse(QStringLiteral("Wersja formatu musi być dodatnią liczbą całkowitą, a plik "
                                     "podaje %1.")
                          .arg(jsonText(versionValue)));
    if (number > FormatVersion)
        return refuse(QStringLiteral("Plik zapisano w nowszym formacie (wersja %1); ten program "
                                     "czyta pliki do wersji %2.")
                          .arg(jsonText(versionValue), QString::number(FormatVersion)));

    const QString modelName = root.value(QStringLiteral("model")).toString();
    const ModelInfo *model = ModelInfo::find(modelName);
    if (!model || model->nameText() != modelName || !SettingDescription::of(model->id))
        return refuse(QStringLiteral("Plik dotyczy modelu „%1”, którego nastaw program nie zna.")
                          .arg(modelName));
    const QString identity = root.value(QStringLiteral("identity")).toString();
    if (identity != QLatin1String(model->identity))
        return refuse(QStringLiteral("Kod urządzenia „%1” w pliku nie należy do modelu %2.")
                          .arg(identity, modelName));

    const QJsonArray frameList = root.value(QStringLiteral("frames")).toArray();
    if (frameList.size() != model->configFrames)
        return refuse(
            QStringLiteral("Liczba ramek konfiguracji w pliku (%1) nie zgadza się z modelem "
                           "%2, który ma ich %3.")
                .arg(QString::number(frameList.size()), modelName,
                     QString::number(model->configFrames)));
    QByteArray frames;
    for (int i = 0; i < frameList.size(); ++i) {
        QByteArray bytes;
        const QString reason = frameError(frameList.at(i), i, &bytes);
        if (!reason.isEmpty())
            return refuse(reason);
        frames += bytes;
    }

    SettingsFile file;
    file.model = model;
    file.frames = frames;
    file.deviceVersion = root.value(QStringLiteral("deviceVersion")).toString();
    file.saved =
        QDateTime::fromString(root.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    file.program = root.value(QStringLiteral("program")).toString();
    const QJsonObject read = root.value(QLatin1String(ReadKey)).toObject();
    file.read = {timeOf(read.value(QStringLiteral("time"))),
                 read.value(QStringLiteral("port")).toString(),
                 read.value(QStringLiteral("simulated")).toBool(),
                 read.value(QStringLiteral("program")).toString()};
    file.verified = timeOf(root.value(QLatin1String(VerifiedKey)).toObject().value(QStringLiteral("time")));
    error->clear();
    return file;
}
