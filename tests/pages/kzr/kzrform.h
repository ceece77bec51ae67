#pragma once

#include <QByteArray>
#include <QStringList>

class QAbstractButton;
class QWidget;

// Helpers shared by the KZR page tests: reaching the form's widgets by name and taking a
// comparable picture of everything the user can see or change.
QAbstractButton *buttonOf(QWidget *page, const QString &name);

// Every check box, spin box and combo box as "name: value, enabled|disabled", sorted, so two
// forms compare line by line and a difference names its widget.
QStringList formState(QWidget *page);

// A configuration reply ("DE") carrying the given bytes 2 onwards.
QByteArray configReply(const QByteArray &payload);

// A view reply ("dV") whose byte 5 is the given state.
QByteArray viewReply(quint8 state);
