#pragma once

class QCoreApplication;

// What the program sets up on its application object before it builds the first window:
// the toolkit's own texts (context menus, standard dialogs and buttons) in Polish, like the
// rest of the interface.
void setUpApplication(QCoreApplication &application);
