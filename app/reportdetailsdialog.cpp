#include "app/reportdetailsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const char *const StationKey = "raport/stacja";
const char *const EngineerKey = "raport/wykonal";

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(260);
    return edit;
}

} // namespace

ReportDetailsDialog::ReportDetailsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("daneRaportu"));
    setWindowTitle(QStringLiteral("Karta nastaw"));
    const QSettings settings;
    m_station = lineEdit(this, "stacjaPole", settings.value(QLatin1String(StationKey)).toString());
    m_serialNumber = lineEdit(this, "nrFabryczny", QString());
    m_engineer = lineEdit(this, "wykonal", settings.value(QLatin1String(EngineerKey)).toString());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Stacja / pole"), m_station);
    form->addRow(QStringLiteral("Nr fabryczny"), m_serialNumber);
    form->addRow(QStringLiteral("Wykonał"), m_engineer);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // The station is usually the same as last time; the serial number never is.
    m_serialNumber->setFocus();
}

ReportDetailsDialog::Details ReportDetailsDialog::details() const
{
    return {m_station->text().trimmed(), m_serialNumber->text().trimmed(),
            m_engineer->text().trimmed()};
}

void ReportDetailsDialog::accept()
{
    QSettings settings;
    settings.setValue(QLatin1String(StationKey), m_station->text().trimmed());
    settings.setValue(QLatin1String(EngineerKey), m_engineer->text().trimmed());
    QDialog::accept();
}
