#include "settings/filefailure.h"

#include <QtGlobal>

#include <cerrno>

namespace {

const char *const NoSpace = "brak miejsca na dysku";

struct KnownError
{
    int code;
    const char *text;
};

// The toolkit words each system error as qt_error_string() does, so the error a file
// reports is recognised by its text whatever step raised it.
const KnownError KnownErrors[] = {
    {ENOSPC, NoSpace},
#ifdef EDQUOT
    {EDQUOT, "wyczerpany przydział miejsca na dysku"},
#endif
    {EACCES, "brak uprawnień"},
    {EPERM, "brak uprawnień"},
    {EROFS, "nośnik jest tylko do odczytu"},
    {ENOENT, "nie ma takiego pliku ani folderu"},
    {EISDIR, "to jest folder, nie plik"},
    {ENOTDIR, "część ścieżki nie jest folderem"},
    {ENAMETOOLONG, "nazwa jest za długa"},
    {EIO, "błąd odczytu lub zapisu nośnika"},
    {EMFILE, "program ma otwartych zbyt wiele plików"},
    {EBUSY, "plik jest zajęty"},
    {ENXIO, "urządzenie nie istnieje"},
    {EFBIG, "plik jest za duży"},
};

QString byKind(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return QString();
    case QFileDevice::ReadError:
        return QStringLiteral("błąd odczytu");
    case QFileDevice::WriteError:
        return QStringLiteral("błąd zapisu");
    case QFileDevice::FatalError:
        return QStringLiteral("poważny błąd systemu plików");
    case QFileDevice::ResourceError:
        return QStringLiteral("zabrakło zasobów systemu (miejsca, pamięci lub uchwytów plików)");
    case QFileDevice::OpenError:
        return QStringLiteral("nie można otworzyć pliku");
    case QFileDevice::AbortError:
        return QStringLiteral("przerwano");
    case QFileDevice::TimeOutError:
        return QStringLiteral("upłynął czas oczekiwania");
    case QFileDevice::RemoveError:
        return QStringLiteral("nie można usunąć pliku");
    case QFileDevice::RenameError:
        return QStringLiteral("nie można zastąpić pliku docelowego");
    case QFileDevice::PositionError:
        return QStringLiteral("błąd położenia w pliku");
    case QFileDevice::ResizeError:
        return QStringLiteral("nie można zmienić rozmiaru pliku");
    case QFileDevice::PermissionsError:
        return QStringLiteral("brak uprawnień");
    case QFileDevice::CopyError:
        return QStringLiteral("nie można skopiować pliku");
    case QFileDevice::UnspecifiedError:
        break;
    }
    return QStringLiteral("nieznany błąd systemu plików");
}

} // namespace

QString FileFailure::reason(const QFileDevice &file)
{
    if (file.error() == QFileDevice::NoError)
        return QString();
    const QString text = file.errorString();
    for (const KnownError &known : KnownErrors) {
        if (text.endsWith(qt_error_string(known.code)))
            return QString::fromUtf8(known.text);
    }
    return byKind(file.error());
}

QString FileFailure::notRegularFile()
{
    return QStringLiteral("to nie jest zwykły plik");
}

QString FileFailure::noSpace()
{
    return QString::fromUtf8(NoSpace);
}

QString FileFailure::readOnly()
{
    return QStringLiteral("plik jest tylko do odczytu");
}
