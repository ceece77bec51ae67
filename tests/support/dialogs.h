#pragma once

#include <QPair>
#include <QString>

#include <memory>

// Modal message boxes block a test in exec(); this closes the next one that opens within a
// few seconds and remembers its text.
class ModalDialogCloser
{
public:
    ModalDialogCloser();
    // The text of the dialog that was closed, empty while none has opened.
    QString closedText() const { return m_texts->first; }
    // Its informative text, the line below the main one.
    QString closedDetails() const { return m_texts->second; }

private:
    std::shared_ptr<QPair<QString, QString>> m_texts;
};
