#include "app/setupapplication.h"

#include "app/deferrediconstyle.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

void setUpApplication(QApplication &application)
{
    QApplication::setStyle(new DeferredIconStyle);

    auto *toolkitTexts = new QTranslator(&application);
    // Beside the program where it travels with them (Windows has no package of Qt's
    // translations), else where the system's Qt keeps them.
    const QStringList folders = {
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
    for (const QString &folder : folders) {
        if (toolkitTexts->load(QStringLiteral("qtbase_pl"), folder)) {
            application.installTranslator(toolkitTexts);
            return;
        }
    }
    // The program works without them; the menus of text fields are then in English.
    qWarning("Polish texts of Qt (qtbase_pl) not found in %s: install qttranslations5-l10n",
             qPrintable(folders.join(QStringLiteral(", "))));
    delete toolkitTexts;
}
