#include "app/settingsmenu.h"

#include "app/backupsdialog.h"
#include "app/comparedialog.h"
#include "app/dialogfolder.h"
#include "app/orva2.h"
#include "pages/common/changemarks.h"
#include "settings/filenames.h"
#include "settings/settingdescription.h"
#include "settings/settingscomparison.h"
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
    : QObject(&window), m_window(window), m_menu(window.menuBar()->addMenu(QStringLiteral("&Plik")))
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
            &m_window, QStringLiteral("Otwórz nastawy"), DialogFolder::folder(), fileFilter());
        if (!path.isEmpty() && openFile(path))
            DialogFolder::remember(path);
    });
    m_save =
        action("zapiszNastawy", QStringLiteral("Zapisz nastawy jako…"), QKeySequence::Save, [this] {
            const QString path =
                QFileDialog::getSaveFileName(&m_window, QStringLiteral("Zapisz nastawy"),
                                             suggestedSettingsFile(), fileFilter());
            const QString saved = withExtension(path, QLatin1String(SettingsFile::Extension));
            if (!path.isEmpty() && saveFile(saved))
                DialogFolder::remember(saved);
        });
    m_menu->addSeparator();
    m_compareFile = action("porownajZPlikiem", QStringLiteral("Porównaj z plikiem…"), {}, [this] {
        const QString path =
            QFileDialog::getOpenFileName(&m_window, QStringLiteral("Porównaj z plikiem"),
                                         DialogFolder::folder(), fileFilter());
        if (!path.isEmpty() && compareWithFile(path))
            DialogFolder::remember(path);
    });
    m_compareDevice = action("porownajZUrzadzeniem", QStringLiteral("Porównaj z urządzeniem"), {},
                             [this] {
                                 m_backupAgainstDevice = SettingsFile();
                                 m_window.requestDeviceComparison();
                             });
    m_menu->addSeparator();
    m_report = action("raportNastaw", QStringLiteral("Raport nastaw (PDF)…"), {}, [this] {
        if (!shownDescription() || !askReportDetails())
            return;
        const QString path = QFileDialog::getSaveFileName(
            &m_window, QStringLiteral("Raport nastaw"),
            DialogFolder::suggested(
                FileNames::report(*m_window.shownModel(), QDateTime::currentDateTime())),
            QStringLiteral("PDF (*.pdf)"));
        const QString written = withExtension(path, QStringLiteral(".pdf"));
        if (!path.isEmpty() && writeReport(written))
            DialogFolder::remember(written);
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

QString SettingsMenu::suggestedSettingsFile() const
{
    const ModelInfo *model = m_window.shownModel();
    return model ? DialogFolder::suggested(
                       FileNames::settingsFile(*model, QDateTime::currentDateTime()))
                 : DialogFolder::folder();
}

bool SettingsMenu::refuse(const QString &reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Nastawy"), reason, QMessageBox::Ok,
                    &m_window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

bool SettingsMenu::loadFile(const QString &path)
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
    return true;
}

bool SettingsMenu::openFile(const QString &path)
{
    if (!loadFile(path))
        return false;
    settled(*shownPage(), path, QStringLiteral("Otwarto nastawy z pliku %1"));
    return true;
}

bool SettingsMenu::saveFile(const QString &path)
{
    DevicePage *page = shownPage();
    if (!shownDescription())
        return refuse(QStringLiteral("Ta strona nie ma nastaw do zapisania."));
    SettingsFile file =
        SettingsFile::of(*m_window.shownModel(), page->configuration(), m_window.deviceVersion());
    // Stamped only while the form holds what the relay holds: edited values were never read.
    const ORVA2::RelayRecord relay = m_window.shownRelay();
    if (relay.read.isValid() && relay.frames == file.frames) {
        file.read = SettingsFile::readNow(m_window.portName(), m_window.simulated());
        file.read.time = relay.read;
        file.verified = relay.verified;
    }
    const QString error = file.save(path);
    if (!error.isEmpty())
        return refuse(error);
    settled(*page, path, QStringLiteral("Zapisano nastawy do pliku %1"));
    return true;
}

// The form now equals the file, and the file is the current one. At a relay, changes still
// count from what the relay holds: a file saved or opened has not reached it.
void SettingsMenu::settled(DevicePage &page, const QString &path, const QString &logLine)
{
    if (!m_window.showsRelay())
        page.markUnchanged();
    page.markSaved();
    m_currentFile = path;
    addRecentFile(path);
    m_window.communicationLog().remark(logLine.arg(QFileInfo(path).fileName()));
    m_window.updateChangeState();
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
    if (m_backupAgainstDevice.model) {
        const SettingsFile backup = m_backupAgainstDevice;
        m_backupAgainstDevice = SettingsFile();
        if (backup.model == m_window.shownModel())
            showBackupComparison(backup, deviceFrames, QStringLiteral("Urządzenie"));
        return;
    }
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
    const QString error = shownReport(QFileInfo(path).fileName()).writePdf(path);
    if (!error.isEmpty())
        return refuse(error);
    m_window.communicationLog().remark(
        QStringLiteral("Zapisano raport nastaw %1").arg(QFileInfo(path).fileName()));
    return true;
}

void SettingsMenu::setReportDetails(const ReportDetailsDialog::Details &details)
{
    m_reportDetails = details;
}

bool SettingsMenu::askReportDetails()
{
    ReportDetailsDialog dialog(&m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_reportDetails = dialog.details();
    return true;
}

SettingsReport SettingsMenu::shownReport(const QString &fileName) const
{
    const SettingDescription &description = *shownDescription();
    const QByteArray frames = shownPage()->configuration();
    const ORVA2::RelayRecord relay = m_window.shownRelay();
    SettingsReport::Header header;
    header.model = m_window.shownModel()->nameText();
    header.deviceVersion = m_window.deviceVersion();
    header.port = m_window.portName();
    header.simulated = m_window.simulated();
    header.read = relay.read;
    header.verified = relay.verified;
    header.station = m_reportDetails.station;
    header.serialNumber = m_reportDetails.serialNumber;
    header.engineer = m_reportDetails.engineer;
    header.settingsFile = QFileInfo(m_currentFile).fileName();
    header.fileName = fileName;
    return SettingsReport(header, description.rows(frames), frames,
                          relay.frames.isEmpty() ? QVector<SettingRow>()
                                                 : description.rows(relay.frames));
}

void SettingsMenu::print()
{
    if (!shownDescription() || !askReportDetails())
        return;
    const SettingsReport report = shownReport(QFileInfo(m_currentFile).fileName());
    // The sheet keeps its own margins from the paper's edge, as in the PDF.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPrintPreviewDialog preview(&printer, &m_window);
    preview.setObjectName(QStringLiteral("podgladWydruku"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &report](QPrinter *target) {
                if (!report.print(target))
                    m_window.communicationLog().failure(
                        QStringLiteral("Nie wydrukowano raportu nastaw: drukarka nie przyjęła strony"));
            });
    preview.exec();
}

void SettingsMenu::openBackups()
{
    const ModelInfo *shown = m_window.shownModel();
    BackupsDialog dialog(m_backups.written(),
                         m_window.readsShownDevice() ? shown->nameText() : QString(),
                         shown ? shown->nameText() : QString(), &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    switch (dialog.choice()) {
    case BackupsDialog::Choice::Open:
        if (!dialog.chosenPath().isEmpty())
            openFile(dialog.chosenPath());
        break;
    case BackupsDialog::Choice::Compare:
        compareBackups(dialog.selectedPaths());
        break;
    case BackupsDialog::Choice::Restore:
        restoreToDevice(dialog.chosenPath());
        break;
    }
}

namespace {

QString backupSide(const SettingsFile &file)
{
    const QDateTime read = file.read.isValid() ? file.read.time : file.saved;
    return QStringLiteral("Kopia z %1")
        .arg(read.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace

bool SettingsMenu::compareBackups(const QStringList &paths)
{
    QVector<SettingsFile> files;
    for (const QString &path : paths) {
        QString error;
        files.append(SettingsFile::open(path, &error));
        if (!files.last().model)
            return refuse(error);
    }
    if (files.isEmpty() || files.size() > 2 ||
        (files.size() == 2 && files[0].model != files[1].model))
        return refuse(QStringLiteral("Porównać można dwie kopie jednego modelu albo jedną kopię "
                                     "z podłączonym urządzeniem."));
    QByteArray other;
    QString otherSide;
    if (files.size() == 2) {
        other = files[1].frames;
        otherSide = backupSide(files[1]);
    } else {
        // The relay as it is now: read again, and compared when its reply comes.
        if (m_window.shownModel() != files[0].model || !m_window.requestDeviceComparison())
            return refuse(QStringLiteral("Kopię modelu %1 można porównać z urządzeniem tylko "
                                         "wtedy, gdy to urządzenie jest podłączone.")
                              .arg(files[0].model->nameText()));
        m_backupAgainstDevice = files[0];
        return true;
    }
    showBackupComparison(files[0], other, otherSide);
    return true;
}

void SettingsMenu::showBackupComparison(const SettingsFile &backup, const QByteArray &other,
                                        const QString &otherSide)
{
    const SettingDescription &description = *SettingDescription::of(backup.model->id);
    auto *dialog = new CompareDialog(SettingsComparison(description, backup.frames, other),
                                     otherSide, &m_window);
    dialog->compareWithoutForm(backupSide(backup));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

bool SettingsMenu::restoreToDevice(const QString &path)
{
    if (!m_window.readsShownDevice())
        return refuse(QStringLiteral("Kopię można przywrócić tylko do podłączonego urządzenia "
                                     "jej modelu."));
    // Taken into the form as edits: they stay marked until the relay confirms them.
    if (!loadFile(path))
        return false;
    const SettingDescription &description = *shownDescription();
    const QByteArray form = shownPage()->configuration();
    const QByteArray relay = m_window.shownRelay().frames;
    QStringList differences;
    for (const SettingsComparison::Entry &entry :
         SettingsComparison(description, relay, form).differences())
        differences << QStringLiteral("%1 / %2: urządzenie %3, kopia %4")
                           .arg(entry.group, entry.setting, entry.ours, entry.theirs);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Przywróć do urządzenia"),
                    differences.isEmpty()
                        ? QStringLiteral("Urządzenie ma już nastawy z tej kopii. Zapisać je "
                                         "mimo to?")
                        : QStringLiteral("Nastawy kopii różne od urządzenia: %1. Zapisać "
                                         "kopię do urządzenia?")
                              .arg(differences.size()),
                    QMessageBox::Yes | QMessageBox::No, &m_window);
    box.setObjectName(QStringLiteral("przywrocDoUrzadzenia"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(differences.join(QLatin1Char('\n')));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Zapisz"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Anuluj"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return false;
    return m_window.writeShownPage();
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

SettingsMenu::Settlement SettingsMenu::settleChanges()
{
    DevicePage *page = shownPage();
    if (!page || !m_window.shownHasChanges())
        return Settlement::Leave;
    const QString model = m_window.shownModel()->nameText();
    QString question;
    if (!m_window.showsRelay())
        question = QStringLiteral("Nastawy zmienione na stronie %1 nie zostały zapisane w pliku.")
                       .arg(model);
    else if (page->matchesSavedFile())
        question = QStringLiteral("Nastawy zmienione na stronie %1 zapisano w pliku „%2”, ale "
                                  "nie zostały wysłane do urządzenia.")
                       .arg(model, QFileInfo(m_currentFile).fileName());
    else
        question = QStringLiteral("Nastawy zmienione na stronie %1 nie zostały wysłane do "
                                  "urządzenia ani zapisane w pliku.")
                       .arg(model);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Niezapisane zmiany"), question,
                    QMessageBox::NoButton, &m_window);
    box.setTextFormat(Qt::PlainText);
    QPushButton *write =
        m_window.writesShownDevice()
            ? box.addButton(QStringLiteral("Wyślij do urządzenia"), QMessageBox::AcceptRole)
            : nullptr;
    // Saving names the file, so it is never taken for writing to the relay.
    QPushButton *save = box.addButton(QStringLiteral("Zapisz do pliku…"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("Odrzuć"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton *answer = box.clickedButton();
    if (answer == discard)
        return Settlement::Leave;
    if (write && answer == write)
        return Settlement::WriteFirst;
    if (answer == save) {
        const QString path = QFileDialog::getSaveFileName(
            &m_window, QStringLiteral("Zapisz nastawy"), suggestedSettingsFile(), fileFilter());
        const QString saved = withExtension(path, QLatin1String(SettingsFile::Extension));
        if (path.isEmpty() || !saveFile(saved))
            return Settlement::Stay;
        DialogFolder::remember(saved);
        return Settlement::Leave;
    }
    return Settlement::Stay;
}
