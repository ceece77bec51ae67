#pragma once

#include "protocol/modeltable.h"

#include <QStringList>

#include <memory>

class DevicePage;
class QAbstractSpinBox;
class QWidget;

// A fresh page of the model, and the frame(s) it would send (WRN-2: both, back to back).
std::unique_ptr<DevicePage> makePage(ModelInfo::Id model);
QByteArray encodePage(DevicePage &page);

// Every check box, button that can be checked, spin box and combo box as
// "name: value, enabled|disabled", sorted, so two forms compare line by line and a
// difference names its widget.
QStringList formState(QWidget &page);
// The names of the ticked check boxes, sorted.
QStringList checkedBoxes(QWidget &page);
// Types into a spin box as the engineer does and confirms with Enter.
void typeInto(QAbstractSpinBox *spin, const QString &text);
