#include "app/connectionstatus.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QLabel *addLabel(QStatusBar *bar, const char *objectName)
{
    auto *label = new QLabel(bar);
    label->setObjectName(QLatin1String(objectName));
    // A port's name is shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    // Port, model and link read as three items, not one run of words.
    label->setContentsMargins(0, 0, 12, 0);
    bar->addWidget(label);
    return label;
}

} // namespace

ConnectionStatus::ConnectionStatus(QStatusBar *bar)
    : QObject(bar), m_port(addLabel(bar, "statusPort")), m_model(addLabel(bar, "statusModel")),
      m_link(addLabel(bar, "statusLink"))
{
}

void ConnectionStatus::showOffline()
{
    m_port->clear();
    m_model->setText(QStringLiteral("Tryb Offline"));
    m_link->clear();
}

void ConnectionStatus::showConnecting(const QString &portName)
{
    m_port->setText(portName);
    m_model->clear();
    m_link->setText(QStringLiteral("Łączenie…"));
}

void ConnectionStatus::showModel(const QString &modelName)
{
    m_model->setText(modelName);
    m_link->setText(QStringLiteral("Połączono"));
}

// Before the device has named itself, an answer says nothing about what is connected.
void ConnectionStatus::showAnswered()
{
    if (!m_model->text().isEmpty())
        m_link->setText(QStringLiteral("Połączono"));
}

void ConnectionStatus::showOpenFailed(const QString &portName)
{
    m_port->setText(portName);
    m_model->clear();
    m_link->setText(QStringLiteral("Nie można otworzyć portu"));
}

void ConnectionStatus::showNoAnswer()
{
    m_link->setText(QStringLiteral("Brak odpowiedzi"));
}

void ConnectionStatus::showLinkLost()
{
    m_link->setText(QStringLiteral("Utracono połączenie"));
}

void ConnectionStatus::showClosed()
{
    m_port->clear();
    m_model->clear();
    m_link->clear();
}
