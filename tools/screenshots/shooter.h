#pragma once

#include <QDir>
#include <QString>

#include <functional>

class QComboBox;
class QImage;
class QMenu;
class QWidget;

// Writes what a window, a dialog or an open drop-down list shows to <folder>/<name>.png
// and counts what could not be written.
class Shooter
{
public:
    explicit Shooter(const QDir &folder) : m_folder(folder) {}

    void window(QWidget &window, const QString &name);
    // `open` runs a modal dialog (exec()); the dialog is taken as soon as it shows and then
    // closed, so `open` returns.
    void modalDialog(const std::function<void()> &open, const QString &name);
    // The window with the list of `combo` open over it, where the list really opens.
    void openList(QWidget &window, QComboBox &combo, const QString &name);
    // The window with `menu` open at its top left corner, under the menu bar's first entry.
    void openMenu(QWidget &window, QMenu &menu, const QString &name);

    // A PDF's pages as <name>-1.png, <name>-2.png, … at 70 dpi, drawn by pdftoppm.
    void pdfPages(const QString &pdf, const QString &name);
    QString pathOf(const QString &fileName) const { return m_folder.filePath(fileName); }

    int failures() const { return m_failures; }

private:
    void save(const QImage &image, const QString &name);
    void savePopupOver(QWidget &window, QWidget &popup, const QString &name);

    QDir m_folder;
    int m_failures = 0;
};

// Runs the event loop until `done` or a few seconds have passed; returns `done()`.
bool waitUntil(const std::function<bool()> &done);
