#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

// The status bar's account of the connection, readable at a glance whatever page is shown:
// the port, the model on it (or "Tryb Offline") and whether the link is alive.
class ConnectionStatus : public QObject
{
public:
    explicit ConnectionStatus(QStatusBar *bar);

    void showOffline();
    // A port just opened and the device was asked who it is; until it answers nothing is
    // known to be connected.
    void showConnecting(const QString &portName);
    // The device named itself.
    void showModel(const QString &modelName);
    // A reply came in, so the link works again after a request that went unanswered.
    void showAnswered();
    // The port would not open: nothing is connected to it.
    void showOpenFailed(const QString &portName);
    void showNoAnswer();
    void showLinkLost();
    // The port was closed on purpose: nothing is connected.
    void showClosed();

private:
    QLabel *m_port;
    QLabel *m_model;
    QLabel *m_link;
};
