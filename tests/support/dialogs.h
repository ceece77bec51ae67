#pragma once

#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

// Modal message boxes block a test in exec(); this closes the next one that opens within a
// few seconds and remembers its text: by the button of the given text, or as Escape does.
class ModalDialogCloser
{
public:
    explicit ModalDialogCloser(const QString &answer = QString());
    // The text of the dialog that was closed, empty while none has opened.
    QString closedText() const { return m_texts->first; }
    // Its informative text, the line below the main one.
    QString closedDetails() const { return m_texts->second; }
    // The texts of its buttons.
    QStringList buttons() const { return *m_buttons; }

private:
    std::shared_ptr<QPair<QString, QString>> m_texts;
    std::shared_ptr<QStringList> m_buttons;
};
