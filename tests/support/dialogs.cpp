#include "tests/support/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

constexpr int PollIntervalMs = 10;
constexpr int MaxPolls = 500;

// A closer gone out of scope closes nothing more: the dialog is the next closer's.
using Texts = std::weak_ptr<QPair<QString, QString>>;
using Buttons = std::shared_ptr<QStringList>;

void closeNextDialog(Texts texts, Buttons buttons, const QString &answer, int pollsLeft)
{
    const auto text = texts.lock();
    if (!text)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        *text = {box->text(), box->informativeText()};
        QAbstractButton *chosen = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            buttons->append(button->text());
            if (button->text() == answer)
                chosen = button;
        }
        if (chosen) {
            chosen->click();
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
            // A box without an escape button stays open on Escape.
            if (box->isVisible())
                box->done(0);
        }
        return;
    }
    if (pollsLeft > 0)
        QTimer::singleShot(PollIntervalMs, [texts, buttons, answer, pollsLeft] {
            closeNextDialog(texts, buttons, answer, pollsLeft - 1);
        });
}

} // namespace

ModalDialogCloser::ModalDialogCloser(const QString &answer)
    : m_texts(std::make_shared<QPair<QString, QString>>()),
      m_buttons(std::make_shared<QStringList>())
{
    Texts texts = m_texts;
    auto buttons = m_buttons;
    QTimer::singleShot(0, [texts, buttons, answer] {
        closeNextDialog(texts, buttons, answer, MaxPolls);
    });
}
