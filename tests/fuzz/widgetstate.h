#pragma once

#include <QStringList>

class QRandomGenerator;
class QWidget;

// Everything an engineer can see or change in a form: one line per named widget with its
// value, whether it is enabled and whether it is hidden. Two forms that show the same
// configuration give equal lists.
QStringList widgetState(const QWidget *root);

// Changes some of the form's inputs the way a user would: toggles check boxes, picks other
// combo entries and steps spin boxes, each through its usual setter so interlocks react.
void editInputs(QWidget *root, QRandomGenerator &random);
