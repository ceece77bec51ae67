#pragma once

#include "settings/settingscomparison.h"

#include <QDialog>
#include <QVector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The form's settings against another configuration's, one row per setting: only the
// differences at first, all on request. The engineer may take the other side's values into
// the form, all of them or the rows chosen; nothing is sent to the device from here.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    CompareDialog(const SettingsComparison &comparison, const QString &otherSide,
                  QWidget *parent = nullptr);

    // Shown rows, in order.
    int shownRows() const;
    // Two configurations neither of which is the form (two backups of a relay's history):
    // names the first side, and nothing can be taken into the form.
    void compareWithoutForm(const QString &firstSide);

signals:
    // The settings (description field indexes) to take from the other side.
    void takeSettings(const QVector<int> &fields);

private:
    void fill();
    void takeChosen();
    void takeAll();

    SettingsComparison m_comparison;
    QTreeWidget *m_table;
    QCheckBox *m_showAll;
    QLabel *m_counts;
    QList<QPushButton *> m_takeButtons;
};
