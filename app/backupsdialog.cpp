#include "app/backupsdialog.h"

#include "settings/backupstore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    ModelColumn,
    ReadColumn,
    VersionColumn,
    PortColumn,
    WriteColumn,
};

enum Role
{
    PathRole = Qt::UserRole,
    TimeRole,
};

} // namespace

BackupsDialog::BackupsDialog(const BackupStore &store, const QString &relayModel,
                             const QString &shownModel, QWidget *parent)
    : QDialog(parent), m_relayModel(relayModel), m_model(new QComboBox(this)),
      m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("kopieZapasowe"));
    setWindowTitle(QStringLiteral("Kopie zapasowe – historia przekaźników"));
    m_model->setObjectName(QStringLiteral("modelHistorii"));
    m_list->setObjectName(QStringLiteral("listaKopii"));
    m_list->setHeaderLabels({QStringLiteral("Model"), QStringLiteral("Odczyt"),
                             QStringLiteral("Wersja urządzenia"), QStringLiteral("Port"),
                             QStringLiteral("Zapis")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const BackupStore::Entry &entry : store.entries()) {
        const QString port = entry.simulated ? QStringLiteral("symulowane") : entry.port;
        const QString write =
            entry.verified.isValid()
                ? QStringLiteral("potwierdzony odczytem %1")
                      .arg(entry.verified.toLocalTime().toString(QStringLiteral("HH:mm")))
                : QString();
        auto *item = new QTreeWidgetItem(
            m_list, {entry.model,
                     entry.saved.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     entry.deviceVersion, port, write});
        item->setData(ModelColumn, PathRole, entry.path);
        item->setData(ModelColumn, TimeRole, entry.saved);
        item->setToolTip(ModelColumn, entry.path);
        if (m_model->findText(entry.model) < 0)
            m_model->addItem(entry.model);
    }
    m_model->model()->sort(0);
    m_model->insertItem(0, QStringLiteral("Wszystkie modele"), QString());
    for (int i = 1; i < m_model->count(); ++i)
        m_model->setItemData(i, m_model->itemText(i));
    const int shown = m_model->findData(shownModel);
    m_model->setCurrentIndex(shown > 0 ? shown : 0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_open = buttons->addButton(QStringLiteral("Otwórz"), QDialogButtonBox::AcceptRole);
    m_compare = buttons->addButton(QStringLiteral("Porównaj"), QDialogButtonBox::ActionRole);
    m_restore = buttons->addButton(QStringLiteral("Przywróć do urządzenia…"),
                                   QDialogButtonBox::ActionRole);
    m_open->setObjectName(QStringLiteral("otworzKopie"));
    m_compare->setObjectName(QStringLiteral("porownajKopie"));
    m_restore->setObjectName(QStringLiteral("przywrocKopie"));
    m_compare->setToolTip(QStringLiteral("Dwie kopie jednego modelu ze sobą albo jedna z "
                                         "nastawami podłączonego urządzenia"));
    connect(m_open, &QPushButton::clicked, this, [this] { choose(Choice::Open); });
    connect(m_compare, &QPushButton::clicked, this, [this] { choose(Choice::Compare); });
    connect(m_restore, &QPushButton::clicked, this, [this] { choose(Choice::Restore); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { choose(Choice::Open); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &BackupsDialog::selectionChanged);
    connect(m_model, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &BackupsDialog::showModel);

    auto *filter = new QFormLayout;
    filter->addRow(QStringLiteral("Model"), m_model);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(760, 420);
    showModel();
}

void BackupsDialog::showModel()
{
    const QString model = m_model->currentData().toString();
    QTreeWidgetItem *first = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        item->setHidden(!model.isEmpty() && item->text(ModelColumn) != model);
        if (!first && !item->isHidden())
            first = item;
    }
    m_list->clearSelection();
    if (first)
        m_list->setCurrentItem(first);
    selectionChanged();
}

void BackupsDialog::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    const bool one = selected.size() == 1;
    const bool twoOfAModel =
        selected.size() == 2 && selected[0]->text(ModelColumn) == selected[1]->text(ModelColumn);
    const bool ofTheRelay = one && selected[0]->text(ModelColumn) == m_relayModel;
    m_open->setEnabled(one);
    m_compare->setEnabled(twoOfAModel || ofTheRelay);
    m_restore->setEnabled(ofTheRelay);
}

void BackupsDialog::choose(Choice choice)
{
    m_choice = choice;
    accept();
}

QString BackupsDialog::chosenPath() const
{
    const QStringList paths = selectedPaths();
    return paths.size() == 1 ? paths.first() : QString();
}

QStringList BackupsDialog::selectedPaths() const
{
    QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    std::sort(selected.begin(), selected.end(), [](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return a->data(ModelColumn, TimeRole).toDateTime() < b->data(ModelColumn, TimeRole).toDateTime();
    });
    QStringList paths;
    for (const QTreeWidgetItem *item : selected)
        paths << item->data(ModelColumn, PathRole).toString();
    return paths;
}
