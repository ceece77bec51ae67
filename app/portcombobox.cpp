#include "app/portcombobox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QSerialPortInfo>

namespace {

// What the system knows of the adapter behind a port; empty for a bare UART.
QString describe(const QSerialPortInfo &port)
{
    QStringList lines;
    if (!port.description().isEmpty())
        lines << QStringLiteral("Opis: ") + port.description();
    if (!port.manufacturer().isEmpty())
        lines << QStringLiteral("Producent: ") + port.manufacturer();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

PortComboBox::PortComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // A typed path is connected to, not collected into the list.
    setInsertPolicy(QComboBox::NoInsert);
    addItem(QString::fromLatin1(OfflineEntry));
}

QStringList PortComboBox::relistPorts(bool keepOfflineEntry)
{
    const QString text = currentText();
    const bool typed = findText(text) < 0;
    const bool offlineListed = count() > 0 && itemText(0) == QLatin1String(OfflineEntry);

    clear();
    if (keepOfflineEntry && offlineListed)
        addItem(QString::fromLatin1(OfflineEntry));
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        names << port.portName();
        addItem(port.portName());
        const QString description = describe(port);
        if (!description.isEmpty())
            setItemData(count() - 1, description, Qt::ToolTipRole);
    }

    const int index = findText(text);
    if (index >= 0)
        setCurrentIndex(index);
    else if (typed)
        setEditText(text);
    return names;
}

void PortComboBox::choose(const QString &portName)
{
    const int index = findText(portName);
    if (index >= 0)
        setCurrentIndex(index);
    else
        setEditText(portName);
}

void PortComboBox::showPopup()
{
    // The list is built the first time it is needed; the start window shows it closed.
    view()->installEventFilter(this);
    relistPorts(true);
    QComboBox::showPopup();
}

// Enter in the open list picks an entry; the window's own use of Enter must wait until the
// list is closed.
bool PortComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            event->accept();
    }
    return QComboBox::eventFilter(watched, event);
}
