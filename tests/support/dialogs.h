#pragma once

#include <QString>

#include <memory>

// Modal message boxes block a test in exec(); this closes the next one that opens within a
// few seconds and remembers its text.
class ModalDialogCloser
{
public:
    ModalDialogCloser();
    // The text of the dialog that was closed, empty while none has opened.
    QString closedText() const { return *m_text; }

private:
    std::shared_ptr<QString> m_text;
};
