#pragma once

#include "app/orva2.h"
#include "simulator/devicesimulator.h"

#include <QStringList>

class QCheckBox;
class QStackedWidget;
class QTextBrowser;

// A main window wired to a simulated relay through a real pseudo-terminal: the program
// talks to it with QSerialPort exactly as it would to an adapter.
class SimulatedConnection
{
public:
    explicit SimulatedConnection(const QByteArray &identity);

    ORVA2 &window() { return m_window; }
    SimulatedDevice &device() { return m_simulator.device(); }
    DeviceLine &link() { return m_simulator.link(); }

    // Connects the window to the pseudo-terminal, as choosing it and pressing connect does.
    void pressConnect();
    // Connects and waits until the device's page is shown and its configuration reply (if the
    // model has one) has been handled. Returns false on timeout.
    bool connectAndLoad();

    // Waits until the device has received `count` frames in all. Returns false on timeout.
    bool waitForFrames(int count);
    // Waits until the log holds the line. Returns false on timeout.
    bool waitForLogLine(const QString &line);

    QStringList logLines() const;
    QTextBrowser *log() const;

    // Every reply the window's link has handed on, oldest first.
    QList<QByteArray> replies() const { return m_replies; }
    QByteArray lastReply() const { return m_replies.isEmpty() ? QByteArray() : m_replies.last(); }
    void clearReplies() { m_replies.clear(); }

private:
    ORVA2 m_window;
    DeviceSimulator m_simulator;
    QList<QByteArray> m_replies;
};

// Helpers for tests that look at the log without a device.
QStringList logLinesOf(ORVA2 &window);
void clickButton(QWidget *root, const char *objectName);
// The stack that shows the start window, the offline chooser or a relay's page.
QStackedWidget *pageStack(ORVA2 &window);
QCheckBox *kzrBox(ORVA2 &window, const char *objectName);
