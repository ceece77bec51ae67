#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class BackupStore;
class QComboBox;
class QPushButton;
class QTreeWidget;

// The history of every relay model read on this computer: each backup with when, where and
// whether a write was confirmed, the newest first. One entry opens like a file, two are
// compared with each other, one with the relay now, and one can be written back to it.
class BackupsDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Choice
    {
        Open,
        Compare,
        Restore,
    };

    // `relayModel` is the model of the relay connected now, empty when none is; `shownModel`
    // is listed first.
    explicit BackupsDialog(const BackupStore &store, const QString &relayModel = QString(),
                           const QString &shownModel = QString(), QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    // The backup chosen when the dialog was accepted.
    QString chosenPath() const;
    // The backups selected, the older first.
    QStringList selectedPaths() const;

private:
    void showModel();
    void selectionChanged();
    void choose(Choice choice);

    QString m_relayModel;
    QComboBox *m_model;
    QTreeWidget *m_list;
    QPushButton *m_open;
    QPushButton *m_compare;
    QPushButton *m_restore;
    Choice m_choice = Choice::Open;
};
