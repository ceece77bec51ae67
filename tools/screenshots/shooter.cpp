#include "tools/screenshots/shooter.h"

#include "app/communicationlog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

// Longer than anything shot waits for: the live view falls silent 3 s after its last answer.
constexpr int WaitMs = 6000;

// Lets a freshly shown window lay itself out and paint once.
void settle(QWidget &widget)
{
    // A log shows its lines a few turns after they are written; reading them shows them now.
    for (const CommunicationLog *log : widget.findChildren<CommunicationLog *>())
        log->lines();
    widget.show();
    QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace

bool waitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(WaitMs);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void Shooter::pdfPages(const QString &pdf, const QString &name)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QProcess render;
    if (!pdftoppm.isEmpty()) {
        render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("70"), QStringLiteral("-png"),
                                pdf, m_folder.filePath(name)});
        render.waitForFinished(-1);
    }
    const bool rendered =
        !pdftoppm.isEmpty() && render.exitStatus() == QProcess::NormalExit && render.exitCode() == 0;
    if (!rendered)
        QTextStream(stderr) << "pdftoppm could not draw " << pdf << Qt::endl;
    m_failures += rendered ? 0 : 1;
}

void Shooter::window(QWidget &window, const QString &name)
{
    settle(window);
    save(window.grab().toImage(), name);
}

void Shooter::modalDialog(const std::function<void()> &open, const QString &name)
{
    bool taken = false;
    // The dialog's own event loop runs the timer; it stops once the dialog is gone.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || taken)
            return;
        taken = true;
        settle(*dialog);
        save(dialog->grab().toImage(), name);
        dialog->reject();
    });
    poll.start();
    QTimer::singleShot(WaitMs, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    open();
    if (!taken)
        save(QImage(), name);
}

void Shooter::openList(QWidget &window, QComboBox &combo, const QString &name)
{
    settle(window);
    combo.showPopup();
    savePopupOver(window, *combo.view()->window(), name);
    combo.hidePopup();
}

void Shooter::openMenu(QWidget &window, QMenu &menu, const QString &name)
{
    settle(window);
    menu.popup(window.mapToGlobal(QPoint(0, 0)));
    savePopupOver(window, menu, name);
    menu.hide();
}

// A popup is a window of its own and may reach past the main window's edge.
void Shooter::savePopupOver(QWidget &window, QWidget &popup, const QString &name)
{
    if (!waitUntil([&] { return popup.isVisible(); })) {
        save(QImage(), name);
        return;
    }
    settle(popup);
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QRect popupRect(popup.mapToGlobal(QPoint(0, 0)) - origin, popup.size());
    const QRect canvas = QRect(QPoint(0, 0), window.size()).united(popupRect);
    QImage image(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.drawPixmap(-canvas.topLeft(), window.grab());
        painter.drawPixmap(popupRect.topLeft() - canvas.topLeft(), popup.grab());
    }
    save(image, name);
}

void Shooter::save(const QImage &image, const QString &name)
{
    const QString path = m_folder.filePath(name + QStringLiteral(".png"));
    const bool saved = !image.isNull() && image.save(path);
    QTextStream(stdout) << (saved ? "wrote " : "FAILED ") << path << Qt::endl;
    m_failures += saved ? 0 : 1;
}
