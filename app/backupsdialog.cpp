#include "app/backupsdialog.h"

#include "settings/backupstore.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

BackupsDialog::BackupsDialog(const BackupStore &store, QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("kopieZapasowe"));
    setWindowTitle(QStringLiteral("Kopie zapasowe"));
    m_list->setObjectName(QStringLiteral("listaKopii"));
    m_list->setHeaderLabels(
        {QStringLiteral("Model"), QStringLiteral("Data"), QStringLiteral("Wersja urządzenia")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const BackupStore::Entry &entry : store.entries()) {
        auto *item = new QTreeWidgetItem(
            m_list, {entry.model, entry.saved.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     entry.deviceVersion});
        item->setData(0, Qt::UserRole, entry.path);
        item->setToolTip(0, entry.path);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setEnabled(m_list->topLevelItemCount() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 420);
}

QString BackupsDialog::chosenPath() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}
