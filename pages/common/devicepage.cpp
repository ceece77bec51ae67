#include "pages/common/devicepage.h"

#include "pages/common/accessibility.h"
#include "pages/common/changemarks.h"
#include "pages/common/disabledpictureeffect.h"
#include "pages/common/picturewhenshown.h"
#include "pages/common/polishnumbers.h"
#include "pages/common/wheelguard.h"
#include "protocol/bytes.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QUrl>

const char *const DevicePage::DocumentationHost = "https://www.orvatech.pl";

DevicePage::DevicePage(QWidget *parent) : QWidget(parent) {}

void DevicePage::setVersionText(const QString &text)
{
    if (m_versionLabel)
        m_versionLabel->setText(text);
}

void DevicePage::decodeConfig(const QByteArray &) {}

QByteArray DevicePage::configuration() const
{
    return QByteArray();
}

void DevicePage::load(const QByteArray &block)
{
    if (!m_loaded.isNull() && block == m_loaded && m_changeMarks->inputStates() == m_loadedState)
        return;
    decodeConfig(block);
    m_loaded = block;
    m_loadedState = m_changeMarks->inputStates();
}

void DevicePage::forgetLoaded()
{
    m_loaded = QByteArray();
    m_loadedState.clear();
}

void DevicePage::markUnchanged()
{
    const QByteArray form = configuration();
    // A form that is its baseline already has nothing to count again.
    if (m_changeMarks->hasBaseline() && form == m_baseline &&
        m_changeMarks->changedInputs().isEmpty())
        return;
    m_baseline = form;
    m_changeMarks->setBaseline();
}

// The marks remember the fields' values, not the frames, so the baseline's values are shown
// for a moment and the form's own put back; a form that takes every frame whole (as a file
// must) comes back exactly.
void DevicePage::countChangesFrom(const QByteArray &frames)
{
    const ChangeMarks::Hold hold(*m_changeMarks);
    const QByteArray form = configuration();
    decodeConfig(frames);
    markUnchanged();
    decodeConfig(form);
}

void DevicePage::markSaved()
{
    m_saved = configuration();
}

void DevicePage::setupCommon(QLabel *versionLabel)
{
    m_versionLabel = versionLabel;
    if (m_versionLabel)
        m_versionLabel->setTextFormat(Qt::PlainText);

    nameButtonsFromToolTips(this);
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        const QString name = button->objectName();
        // Connected after the form's own slot, so the form already holds the defaults.
        if (name.startsWith(QLatin1String("Domyslne")))
            connect(button, &QAbstractButton::clicked, this, &DevicePage::defaultsLoaded);
        else if (name.startsWith(QLatin1String("DZ")))
            addShortcuts(button, {QKeySequence(Qt::Key_F5)}, QStringLiteral("F5"));
        else if (name.startsWith(QLatin1String("Zapisz")))
            addShortcuts(button,
                         {QKeySequence(Qt::CTRL + Qt::Key_Return),
                          QKeySequence(Qt::CTRL + Qt::Key_Enter)},
                         QStringLiteral("Ctrl+Enter"));
    }
    m_changeMarks = new ChangeMarks(this);
    DisabledPictureEffect::installOnPictureButtons(this);
    PictureWhenShown::installOn(this);
    WheelGuard::installOn(this);
    PolishNumbers::applyTo(this);
    // A number needs no shaping, and shaping each new value took half of what showing it in
    // a spin box costs.
    for (QAbstractSpinBox *box : findChildren<QAbstractSpinBox *>()) {
        QFont font = box->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        box->setFont(font);
    }
}

// A shortcut belongs to its button: it works only while the button is shown and enabled, so
// the page on view reads or writes and a page in the view's place (or a disabled button)
// does nothing. The tool tip names the keys as the keyboard shows them.
void DevicePage::addShortcuts(QAbstractButton *button, const QList<QKeySequence> &keys,
                              const QString &named)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, button);
        connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    }
    button->setToolTip(QStringLiteral("%1 (%2)").arg(button->toolTip(), named));
}

void DevicePage::openDocumentation(const QString &path)
{
    QDesktopServices::openUrl(QUrl(QLatin1String(DocumentationHost) + path));
}

quint8 DevicePage::packBits(const QList<QAbstractButton *> &boxes)
{
    quint8 value = 0;
    int bit = 0;
    for (const QAbstractButton *box : boxes)
        value |= bitValue(box->isChecked(), bit++);
    return value;
}

void DevicePage::unpackBits(quint8 value, const QList<QAbstractButton *> &boxes)
{
    // Ticks first, then clears: clearing the one box of a group that was ticked before a
    // new one is would free the group for a moment, and every freed box would be drawn
    // again for nothing.
    for (const bool ticks : {true, false}) {
        int bit = 0;
        for (QAbstractButton *box : boxes) {
            if (bitSet(value, bit++) == ticks)
                box->setChecked(ticks);
        }
    }
}

void DevicePage::showValue(QSpinBox *box, int value)
{
    if (box->value() != value || !box->hasAcceptableInput())
        box->setValue(value);
}

void DevicePage::snapToStep(QSpinBox *delay)
{
    QObject::connect(delay, &QSpinBox::editingFinished, delay, [delay] {
        const int step = delay->singleStep();
        delay->setValue(qRound(double(delay->value()) / step) * step);
    });
}

void DevicePage::excludeOthers(QAbstractButton *changed, bool checked,
                               std::initializer_list<QAbstractButton *> group)
{
    // Unchecking first and settling the enabled states afterwards keeps the result right
    // even when clearing one box runs its own interlock and re-enables its neighbours.
    for (QAbstractButton *other : group) {
        if (checked && other != changed)
            other->setChecked(false);
    }
    // A box cleared because another one was just ticked frees only the ticked one; that
    // box's own interlock then locks the rest, which stay locked throughout.
    if (!checked) {
        for (QAbstractButton *other : group) {
            if (other != changed && other->isChecked()) {
                other->setEnabled(true);
                return;
            }
        }
    }
    for (QAbstractButton *other : group) {
        if (other != changed)
            other->setEnabled(!checked);
    }
}
