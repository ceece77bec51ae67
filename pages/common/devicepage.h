#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <QVector>
#include <QWidget>

#include <initializer_list>

class ChangeMarks;
class QAbstractButton;
class QKeySequence;
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
    // Loads a reply as decodeConfig does, unless it is the reply last loaded and the form
    // still shows it as loaded: then every field already holds what the reply says, and a
    // live view or a repeated read touches no widget.
    void load(const QByteArray &block);
    // The next reply is loaded whatever the last one was: another device may send it.
    void forgetLoaded();

    // The form as the configuration frame(s) the program would write, back to back; empty
    // for a page that holds no configuration.
    virtual QByteArray configuration() const;

    // What the engineer changed against the configuration changes are counted from: the
    // relay's, while one is connected, otherwise the page as it opened or was last saved.
    ChangeMarks &changeMarks() { return *m_changeMarks; }
    // The form as it stands becomes the configuration changes are counted from.
    void markUnchanged();
    // Changes are counted from `frames` while the form keeps what it holds: a file opened at
    // a relay, or a write the relay read back otherwise, is measured against the relay.
    void countChangesFrom(const QByteArray &frames);
    QByteArray baselineConfiguration() const { return m_baseline; }

    // The form as it stands is what the file last saved or opened holds.
    void markSaved();
    // A file was saved or opened, and the form still holds exactly what it holds.
    bool matchesSavedFile() const { return !m_saved.isEmpty() && m_saved == configuration(); }

signals:
    // The model's defaults were put into the form; nothing was sent.
    void defaultsLoaded();

public:
    // The maker's web site: it hosts every model's documentation and the contact box links it.
    static const char *const DocumentationHost;

protected:
    void setupCommon(QLabel *versionLabel);

    // Opens the model's manual (a path on the maker's site) in the desktop browser.
    static void openDocumentation(const QString &path);

    // Packs boxes into bits 0, 1, 2... of one byte; a box counts when it is not unchecked.
    static quint8 packBits(const QList<QAbstractButton *> &boxes);

    // Applies bits 0, 1, 2... to the boxes, first ticking and then clearing, each in the given
    // order, because each change runs the page's interlocks and a later box may undo an
    // earlier one.
    static void unpackBits(quint8 value, const QList<QAbstractButton *> &boxes);

    // A spin box repaints on every setValue, its own value included: a reply that leaves a
    // field as it was leaves it alone. A field whose typed text is no value yet is set.
    static void showValue(QSpinBox *box, int value);

    // Typed delays between two steps would show one value and send another: when editing
    // finishes the box moves to the nearest step.
    static void snapToStep(QSpinBox *delay);

    // One box of a group that exclude each other changed: while it is checked the others
    // are unchecked and disabled, once it is cleared they are usable again. A box cleared
    // because another was just ticked frees only that one, which locks the rest itself.
    static void excludeOthers(QAbstractButton *changed, bool checked,
                              std::initializer_list<QAbstractButton *> group);

private:
    static void addShortcuts(QAbstractButton *button, const QList<QKeySequence> &keys,
                             const QString &named);

    QLabel *m_versionLabel = nullptr;
    ChangeMarks *m_changeMarks = nullptr;
    QByteArray m_baseline;
    QByteArray m_saved;
    // The reply last loaded and the form's inputs right after it.
    QByteArray m_loaded;
    QVector<QVariant> m_loadedState;
};
