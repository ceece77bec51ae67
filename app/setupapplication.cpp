#include "app/setupapplication.h"

#include "app/deferrediconstyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void setUpApplication(QApplication &application)
{
    QApplication::setStyle(new DeferredIconStyle);

    auto *toolkitTexts = new QTranslator(&application);
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (toolkitTexts->load(QStringLiteral("qtbase_pl"), folder)) {
        application.installTranslator(toolkitTexts);
        return;
    }
    // The program works without them; the menus of text fields are then in English.
    qWarning("Polish texts of Qt (qtbase_pl) not found in %s: install qttranslations5-l10n",
             qPrintable(folder));
    delete toolkitTexts;
}
