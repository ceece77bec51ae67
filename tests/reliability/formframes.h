#pragma once

#include <QByteArray>
#include <QList>

class ORVA2;
class QRandomGenerator;
class QWidget;

// The page's form as the device would get it: the page's send signal is emitted and every
// frame the window's link then reports is collected, written or not. Every page is reached
// the same way, so two calls that return the same frames saw the same configuration.
QList<QByteArray> sentFrames(ORVA2 &window, QWidget *page);

// Loads a random configuration reply of the device with the given identity into its page,
// standing for what an engineer typed. A page that reads no configuration stays as it is.
void fillForm(QWidget *page, const QByteArray &identity, QRandomGenerator &random);
