#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// What the settings sheet says about where the relay serves, which relay it is and who did
// the work. The engineer and the last station are offered again next time; a serial number
// belongs to one relay and is asked afresh.
class ReportDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    struct Details
    {
        QString station;
        QString serialNumber;
        QString engineer;
    };

    explicit ReportDetailsDialog(QWidget *parent = nullptr);

    Details details() const;

    // Remembers the engineer and the station for the next sheet.
    void accept() override;

private:
    QLineEdit *m_station;
    QLineEdit *m_serialNumber;
    QLineEdit *m_engineer;
};
