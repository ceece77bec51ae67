#include "settings/sheetfonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace {

const QString Proportional = QStringLiteral("DejaVu Sans");
const QString Fixed = QStringLiteral("DejaVu Sans Mono");

bool carriedFacesLoaded()
{
    static const bool loaded = [] {
        const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
        const QStringList files = folder.entryList({QStringLiteral("*.ttf")}, QDir::Files);
        for (const QString &file : files)
            QFontDatabase::addApplicationFont(folder.filePath(file));
        return true;
    }();
    return loaded;
}

} // namespace

QString SheetFonts::family(bool fixed)
{
    carriedFacesLoaded();
    const QString wanted = fixed ? Fixed : Proportional;
    if (QFontDatabase().hasFamily(wanted))
        return wanted;
    // A name such as "Sans Serif" is a bitmap face on Windows, which a PDF cannot hold.
    return fixed ? QStringLiteral("monospace")
                 : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}
