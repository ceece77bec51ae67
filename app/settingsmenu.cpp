#include "app/settingsmenu.h"

#include "app/backupsdialog.h"
#include "app/comparedialog.h"
#include "app/orva2.h"
#include "pages/common/changemarks.h"
#include "settings/settingdescription.h"
#include "settings/settingsfile.h"
#include "settings/settingsreport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr int RecentFileCount = 5;
const char *const RecentFilesKey = "nastawy/ostatniePliki";
const char *const VerifyKey = "nastawy/sprawdzajZapis";

QString fileFilter()
{
    return QStringLiteral("Nastawy ORVA (*%1)").arg(QLatin1String(SettingsFile::Extension));
}

QString withExtension(const QString &path, const QString &extension)
{
    return path.endsWith(extension) ? path : path + extension;
}

QString otherModel(const ModelInfo &file, const ModelInfo &page)
{
    return QStringLiteral("Plik zawiera nastawy modelu %1, a otwarta strona dotyczy modelu %2.")
        .arg(file.nameText(), page.nameText());
}

} // namespace

SettingsMenu::SettingsMenu(ORVA2 &window)
    : QObject(&window), m_window(window), m_menu(window.menuBar()->addMenu(QStringLiteral("Plik")))
{
    m_menu->setObjectName(QStringLiteral("menuPlik"));
    const auto action = [this](const char *name, const QString &text, const QKeySequence &keys,
                               auto slot) {
        QAction *created = m_menu->addAction(text);
        created->setObjectName(QLatin1String(name));
        created->setShortcut(keys);
        connect(created, &QAction::triggered, this, slot);
        return created;
    };
    m_open = action("otworzNastawy", QStringLiteral("Otwórz nastawy…"), QKeySequence::Open, [this] {
        const QString path = QFileDialog::getOpenFileName(
            &m_window, QStringLiteral("Otwórz nastawy"), fileDialogFolder(), fileFilter());
        if (!path.isEmpty())
            openFile(path);
    });
    m_save =
        action("zapiszNastawy", QStringLiteral("Zapisz nastawy jako…"), QKeySequence::Save, [this] {
            const QString path = QFileDialog::getSaveFileName(
                &m_window, QStringLiteral("Zapisz nastawy"), fileDialogFolder(), fileFilter());
            if (!path.isEmpty())
                saveFile(withExtension(path, QLatin1String(SettingsFile::Extension)));
        });
    m_menu->addSeparator();
    m_compareFile = action("porownajZPlikiem", QStringLiteral("Porównaj z plikiem…"), {}, [this] {
        const QString path = QFileDialog::getOpenFileName(
            &m_window, QStringLiteral("Porównaj z plikiem"), fileDialogFolder(), fileFilter());
        if (!path.isEmpty())
            compareWithFile(path);
    });
    m_compareDevice = action("porownajZUrzadzeniem", QStringLiteral("Porównaj z urządzeniem"), {},
                             [this] { m_window.requestDeviceComparison(); });
    m_menu->addSeparator();
    m_report = action("raportNastaw", QStringLiteral("Raport nastaw (PDF)…"), {}, [this] {
        const QString path =
            QFileDialog::getSaveFileName(&m_window, QStringLiteral("Raport nastaw"),
                                         fileDialogFolder(), QStringLiteral("PDF (*.pdf)"));
        if (!path.isEmpty())
            writeReport(withExtension(path, QStringLiteral(".pdf")));
    });
    m_print =
        action("drukuj", QStringLiteral("Drukuj…"), QKeySequence::Print, &SettingsMenu::print);
    m_menu->addSeparator();
    m_backupsAction =
        action("kopieZapasowe", QStringLiteral("Kopie zapasowe…"), {}, &SettingsMenu::openBackups);
    m_verify = action("sprawdzajZapis", QStringLiteral("Sprawdzaj zapis odczytem"), {}, [this] {
        QSettings().setValue(QLatin1String(VerifyKey), m_verify->isChecked());
    });
    m_verify->setCheckable(true);
    m_verify->setChecked(QSettings().value(QLatin1String(VerifyKey), true).toBool());
    m_menu->addSeparator();
    m_recentMenu = m_menu->addMenu(QStringLiteral("Ostatnie pliki"));
    m_recentMenu->setObjectName(QStringLiteral("ostatniePliki"));
    updateRecentFiles();
    pageChanged();
}

bool SettingsMenu::verifiesWrites() const
{
    return m_verify->isChecked();
}

DevicePage *SettingsMenu::shownPage() const
{
    return m_window.shownDevicePage();
}

const SettingDescription *SettingsMenu::shownDescription() const
{
    const ModelInfo *model = m_window.shownModel();
    return shownPage() && model ? SettingDescription::of(model->id) : nullptr;
}

void SettingsMenu::pageChanged()
{
    const bool configuration = shownDescription() != nullptr;
    m_open->setEnabled(configuration || m_window.choosesModel());
    m_backupsAction->setEnabled(m_open->isEnabled());
    m_recentMenu->setEnabled(m_open->isEnabled());
    for (QAction *needsConfiguration : {m_save, m_compareFile, m_report, m_print})
        needsConfiguration->setEnabled(configuration);
    m_compareDevice->setEnabled(configuration && m_window.readsShownDevice());
}

QString SettingsMenu::fileDialogFolder() const
{
    return m_currentFile.isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               : QFileInfo(m_currentFile).absolutePath();
}

bool SettingsMenu::refuse(const QString &reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Nastawy"), reason, QMessageBox::Ok,
                    &m_window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

bool SettingsMenu::openFile(const QString &path)
{
    QString error;
    const SettingsFile file = SettingsFile::open(path, &error);
    if (!file.model)
        return refuse(error);
    const ModelInfo *shown = m_window.shownModel();
    if (shown && shown != file.model)
        return refuse(otherModel(*file.model, *shown));
    if (!shown && !m_window.openPageOffline(file.model->id))
        return refuse(QStringLiteral("Nastawy można otworzyć na stronie modelu albo w trybie "
                                     "offline."));

    // The frames take the same way as a device reply. A form that cannot hold them all gets
    // its own configuration back, so a file is never half loaded.
    DevicePage &page = *shownPage();
    const QByteArray before = page.configuration();
    page.decodeConfig(file.frames);
    if (page.configuration() != file.frames) {
        page.decodeConfig(before);
        return refuse(QStringLiteral("Formularz nie może przyjąć wszystkich nastaw z pliku „%1”; "
                                     "nic nie zmieniono.")
                          .arg(QFileInfo(path).fileName()));
    }
    settled(page, path, QStringLiteral("Otwarto nastawy z pliku %1"));
    return true;
}

bool SettingsMenu::saveFile(const QString &path)
{
    DevicePage *page = shownPage();
    if (!shownDescription())
        return refuse(QStringLiteral("Ta strona nie ma nastaw do zapisania."));
    const SettingsFile file =
        SettingsFile::of(*m_window.shownModel(), page->configuration(), m_window.deviceVersion());
    const QString error = file.save(path);
    if (!error.isEmpty())
        return refuse(error);
    settled(*page, path, QStringLiteral("Zapisano nastawy do pliku %1"));
    return true;
}

// The form now equals the file: changes count from here, and the file is the current one.
void SettingsMenu::settled(DevicePage &page, const QString &path, const QString &logLine)
{
    page.markUnchanged();
    m_currentFile = path;
    addRecentFile(path);
    m_window.communicationLog().note(logLine.arg(QFileInfo(path).fileName()));
}

bool SettingsMenu::compareWithFile(const QString &path)
{
    const SettingDescription *description = shownDescription();
    if (!description)
        return refuse(QStringLiteral("Ta strona nie ma nastaw do porównania."));
    QString error;
    const SettingsFile file = SettingsFile::open(path, &error);
    if (!file.model)
        return refuse(error);
    if (file.model != m_window.shownModel())
        return refuse(otherModel(*file.model, *m_window.shownModel()));
    showComparison(*description, file.frames,
                   QStringLiteral("Plik „%1”").arg(QFileInfo(path).fileName()));
    return true;
}

void SettingsMenu::showDeviceComparison(const QByteArray &deviceFrames)
{
    if (const SettingDescription *description = shownDescription())
        showComparison(*description, deviceFrames, QStringLiteral("Urządzenie"));
}

// The view stays open beside the window rather than in a loop of its own: replies and the
// link's timers go on while the engineer reads it.
void SettingsMenu::showComparison(const SettingDescription &description, const QByteArray &other,
                                  const QString &otherSide)
{
    auto *dialog = new CompareDialog(
        SettingsComparison(description, shownPage()->configuration(), other), otherSide, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CompareDialog::takeSettings, this,
            [this, other](const QVector<int> &fields) { takeSettings(other, fields); });
    dialog->open();
}

// Taken values are edits like any other: they stay marked until written or saved.
void SettingsMenu::takeSettings(const QByteArray &from, const QVector<int> &fields)
{
    DevicePage *page = shownPage();
    page->decodeConfig(shownDescription()->taken(page->configuration(), from, fields));
}

bool SettingsMenu::writeReport(const QString &path)
{
    if (!shownDescription())
        return refuse(QStringLiteral("Ta strona nie ma nastaw do raportu."));
    const QString error = shownReport().writePdf(path);
    if (!error.isEmpty())
        return refuse(error);
    m_window.communicationLog().note(
        QStringLiteral("Zapisano raport nastaw %1").arg(QFileInfo(path).fileName()));
    return true;
}

SettingsReport SettingsMenu::shownReport() const
{
    const SettingDescription &description = *shownDescription();
    const QByteArray frames = shownPage()->configuration();
    const QVector<int> changed = m_window.changedSettings();
    return SettingsReport({m_window.shownModel()->nameText(), m_window.deviceVersion(),
                           m_window.portName(), QFileInfo(m_currentFile).fileName()},
                          description.rows(frames), frames,
                          QSet<int>(changed.cbegin(), changed.cend()));
}

void SettingsMenu::print()
{
    if (!shownDescription())
        return;
    const SettingsReport report = shownReport();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog preview(&printer, &m_window);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&report](QPrinter *target) { report.print(target); });
    preview.exec();
}

void SettingsMenu::openBackups()
{
    BackupsDialog dialog(m_backups.written(), &m_window);
    if (dialog.exec() == QDialog::Accepted && !dialog.chosenPath().isEmpty())
        openFile(dialog.chosenPath());
}

void SettingsMenu::addRecentFile(const QString &path)
{
    QSettings settings;
    QStringList recent = settings.value(QLatin1String(RecentFilesKey)).toStringList();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    recent.prepend(QFileInfo(path).absoluteFilePath());
    settings.setValue(QLatin1String(RecentFilesKey), QStringList(recent.mid(0, RecentFileCount)));
    updateRecentFiles();
}

void SettingsMenu::updateRecentFiles()
{
    m_recentMenu->clear();
    const QStringList recent = QSettings().value(QLatin1String(RecentFilesKey)).toStringList();
    for (int i = 0; i < recent.size() && i < RecentFileCount; ++i) {
        const QString path = recent[i];
        QAction *entry = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openFile(path); });
    }
}

bool SettingsMenu::settleChanges()
{
    DevicePage *page = shownPage();
    if (!page || !m_window.shownHasChanges())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Niezapisane zmiany"),
                    QStringLiteral("Nastawy zmienione na stronie %1 nie zostały wysłane do "
                                   "urządzenia ani zapisane w pliku.")
                        .arg(m_window.shownModel()->nameText()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Zapisz"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Odrzuć"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save: {
        const QString path = QFileDialog::getSaveFileName(
            &m_window, QStringLiteral("Zapisz nastawy"), fileDialogFolder(), fileFilter());
        return !path.isEmpty() &&
               saveFile(withExtension(path, QLatin1String(SettingsFile::Extension)));
    }
    default:
        return false;
    }
}
