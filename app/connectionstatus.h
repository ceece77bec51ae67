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
    // A port just opened; the model is unknown until the device names itself.
    void showConnected(const QString &portName);
    void showModel(const QString &modelName);
    // A reply came in, so the link works again after a request that went unanswered.
    void showAnswered();
    void showNoAnswer();
    void showLinkLost();
    // The port was closed on purpose: nothing is connected.
    void showClosed();

private:
    QLabel *m_port;
    QLabel *m_model;
    QLabel *m_link;
};
