#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <initializer_list>

class ChangeMarks;
class QAbstractButton;
class QLabel;
class QSpinBox;

// What every device page shares: the version label, the documentation link, and the way
// check boxes travel as bits. A page derives from this, builds its designer form, then
// calls setupCommon() so the shared parts are wired the same way everywhere.
class DevicePage : public QWidget
{
    Q_OBJECT

public:
    explicit DevicePage(QWidget *parent = nullptr);

    // The version comes from the device, so it is never interpreted as rich text.
    virtual void setVersionText(const QString &text);

    // Loads a configuration reply into the form. A page whose device sends none keeps
    // this one, which changes nothing.
    virtual void decodeConfig(const QByteArray &block);

    // The form as the configuration frame(s) the program would write, back to back; empty
    // for a page that holds no configuration.
    virtual QByteArray configuration() const;

    // What the engineer changed since the configuration was last read, opened or written.
    ChangeMarks &changeMarks() { return *m_changeMarks; }
    // The form as it stands becomes the configuration changes are counted from.
    void markUnchanged();
    QByteArray baselineConfiguration() const { return m_baseline; }

    // The maker's web site: it hosts every model's documentation and the contact box links it.
    static const char *const DocumentationHost;

protected:
    void setupCommon(QLabel *versionLabel);

    // Opens the model's manual (a path on the maker's site) in the desktop browser.
    static void openDocumentation(const QString &path);

    // Packs boxes into bits 0, 1, 2... of one byte; a box counts when it is not unchecked.
    static quint8 packBits(const QList<QAbstractButton *> &boxes);

    // Applies bits 0, 1, 2... to the boxes strictly in the given order, because each change
    // runs the page's interlocks and a later box may undo an earlier one.
    static void unpackBits(quint8 value, const QList<QAbstractButton *> &boxes);

    // Typed delays between two steps would show one value and send another: when editing
    // finishes the box moves to the nearest step.
    static void snapToStep(QSpinBox *delay);

    // One box of a group that exclude each other changed: while it is checked the others
    // are unchecked and disabled, once it is cleared they are usable again.
    static void excludeOthers(QAbstractButton *changed, bool checked,
                              std::initializer_list<QAbstractButton *> group);

private:
    QLabel *m_versionLabel = nullptr;
    ChangeMarks *m_changeMarks = nullptr;
    QByteArray m_baseline;
};
