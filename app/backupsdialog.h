#pragma once

#include <QDialog>
#include <QString>

class BackupStore;
class QTreeWidget;

// Every configuration kept from a device, the newest first; the one chosen opens like a file.
class BackupsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BackupsDialog(const BackupStore &store, QWidget *parent = nullptr);

    // The backup chosen when the dialog was accepted.
    QString chosenPath() const;

private:
    QTreeWidget *m_list;
};
