#pragma once

#include <QString>

// Where the file dialogs open: the folder the engineer last saved or opened in, else the
// documents folder; never the working directory, which is "/" when the program is started
// from a menu.
class DialogFolder
{
public:
    static QString folder();
    // The folder with a suggested file name, for a save dialog to offer as it is.
    static QString suggested(const QString &fileName);
    // Remembers the folder of a file just saved or opened.
    static void remember(const QString &filePath);
};
