#pragma once

class QApplication;

// What the program sets up on its application object before it builds the first window:
// the toolkit's own texts (context menus, standard dialogs and buttons) in Polish, like the
// rest of the interface, and the platform's style with its seldom drawn icons made late.
void setUpApplication(QApplication &application);
