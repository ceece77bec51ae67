#include "app/comparedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    GroupColumn,
    SettingColumn,
    FormColumn,
    OtherColumn
};

} // namespace

CompareDialog::CompareDialog(const SettingsComparison &comparison, const QString &otherSide,
                             QWidget *parent)
    : QDialog(parent), m_comparison(comparison), m_table(new QTreeWidget(this)),
      m_showAll(new QCheckBox(QStringLiteral("Pokaż wszystkie nastawy"), this)),
      m_counts(new QLabel(this))
{
    setObjectName(QStringLiteral("porownanie"));
    setWindowTitle(QStringLiteral("Porównanie nastaw – %1").arg(otherSide));
    m_table->setObjectName(QStringLiteral("tabelaPorownania"));
    m_table->setHeaderLabels({QStringLiteral("Grupa"), QStringLiteral("Nastawa"),
                              QStringLiteral("Formularz"), otherSide});
    m_table->setRootIsDecorated(false);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_showAll->setObjectName(QStringLiteral("pokazWszystkie"));
    m_counts->setObjectName(QStringLiteral("liczbaRoznic"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *takeChosen =
        buttons->addButton(QStringLiteral("Przejmij zaznaczone"), QDialogButtonBox::ActionRole);
    QPushButton *takeAll =
        buttons->addButton(QStringLiteral("Przejmij wszystkie różnice"), QDialogButtonBox::ActionRole);
    takeChosen->setObjectName(QStringLiteral("przejmijZaznaczone"));
    takeAll->setObjectName(QStringLiteral("przejmijWszystkie"));
    takeAll->setEnabled(m_comparison.differingCount() > 0);
    m_takeButtons = {takeChosen, takeAll};
    connect(takeChosen, &QPushButton::clicked, this, &CompareDialog::takeChosen);
    connect(takeAll, &QPushButton::clicked, this, &CompareDialog::takeAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_showAll, &QCheckBox::toggled, this, &CompareDialog::fill);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_counts);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_showAll);
    layout->addWidget(buttons);
    resize(820, 520);
    fill();
}

void CompareDialog::compareWithoutForm(const QString &firstSide)
{
    m_table->headerItem()->setText(FormColumn, firstSide);
    for (QPushButton *button : m_takeButtons)
        button->hide();
}

int CompareDialog::shownRows() const
{
    return m_table->topLevelItemCount();
}

void CompareDialog::fill()
{
    m_counts->setText(QStringLiteral("Różne: %1, zgodne: %2")
                          .arg(m_comparison.differingCount())
                          .arg(m_comparison.equalCount()));
    m_table->clear();
    for (const SettingsComparison::Entry &entry : m_comparison.entries()) {
        if (!entry.differs && !m_showAll->isChecked())
            continue;
        auto *item = new QTreeWidgetItem(
            m_table, {entry.group, entry.setting, entry.ours, entry.theirs});
        item->setData(GroupColumn, Qt::UserRole, entry.field);
        if (entry.differs) {
            QFont bold = item->font(FormColumn);
            bold.setBold(true);
            item->setFont(FormColumn, bold);
            item->setFont(OtherColumn, bold);
        }
    }
}

void CompareDialog::takeChosen()
{
    QVector<int> fields;
    for (QTreeWidgetItem *item : m_table->selectedItems())
        fields.append(item->data(GroupColumn, Qt::UserRole).toInt());
    if (!fields.isEmpty())
        emit takeSettings(fields);
    accept();
}

void CompareDialog::takeAll()
{
    QVector<int> fields;
    for (const SettingsComparison::Entry &entry : m_comparison.differences())
        fields.append(entry.field);
    emit takeSettings(fields);
    accept();
}
