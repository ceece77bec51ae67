#pragma once

#include <QComboBox>
#include <QStringList>

// The start window's port field: "Tryb Offline", the serial ports the system reports (each
// with its description and maker as a tool tip) and any path the engineer types, such as a
// pseudo-terminal or an adapter the system does not list. The list is read again each time
// it is opened, so an adapter plugged in after start appears.
class PortComboBox : public QComboBox
{
    Q_OBJECT

public:
    static constexpr const char *OfflineEntry = "Tryb Offline";

    explicit PortComboBox(QWidget *parent = nullptr);

    // Reads the system's ports into the list again, after "Tryb Offline" when it is listed
    // first and kept, and returns their names. A typed text stays in the field, and so does
    // a chosen entry that is still listed.
    QStringList relistPorts(bool keepOfflineEntry);
    // Puts the name into the field: the entry of that name when listed, else as typed text.
    void choose(const QString &portName);

    void showPopup() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
