#include "tests/support/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int PollIntervalMs = 10;
constexpr int MaxPolls = 500;

void closeNextDialog(std::shared_ptr<QString> text, int pollsLeft)
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        *text = box->text();
        box->done(0);
        return;
    }
    if (pollsLeft > 0)
        QTimer::singleShot(PollIntervalMs,
                           [text, pollsLeft] { closeNextDialog(text, pollsLeft - 1); });
}

} // namespace

ModalDialogCloser::ModalDialogCloser() : m_text(std::make_shared<QString>())
{
    auto text = m_text;
    QTimer::singleShot(0, [text] { closeNextDialog(text, MaxPolls); });
}
