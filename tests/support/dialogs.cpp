#include "tests/support/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int PollIntervalMs = 10;
constexpr int MaxPolls = 500;

using Texts = std::shared_ptr<QPair<QString, QString>>;

void closeNextDialog(Texts text, int pollsLeft)
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        *text = {box->text(), box->informativeText()};
        box->done(0);
        return;
    }
    if (pollsLeft > 0)
        QTimer::singleShot(PollIntervalMs,
                           [text, pollsLeft] { closeNextDialog(text, pollsLeft - 1); });
}

} // namespace

ModalDialogCloser::ModalDialogCloser() : m_texts(std::make_shared<QPair<QString, QString>>())
{
    auto text = m_texts;
    QTimer::singleShot(0, [text] { closeNextDialog(text, MaxPolls); });
}
