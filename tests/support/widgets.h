#pragma once

#include <QString>
#include <QWidget>

// A widget of the form by its object name; a name the form lacks stops the test run at once,
// since every assertion after it would be about nothing.
template <class T> T *widget(QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("the form has no %s", qPrintable(name));
    return found;
}
