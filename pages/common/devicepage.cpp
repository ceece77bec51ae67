#include "pages/common/devicepage.h"

#include "pages/common/accessibility.h"
#include "pages/common/changemarks.h"
#include "pages/common/disabledpictureeffect.h"
#include "protocol/bytes.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
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

void DevicePage::markUnchanged()
{
    m_baseline = configuration();
    m_changeMarks->setBaseline();
}

void DevicePage::setupCommon(QLabel *versionLabel)
{
    m_versionLabel = versionLabel;
    if (m_versionLabel)
        m_versionLabel->setTextFormat(Qt::PlainText);

    nameButtonsFromToolTips(this);
    m_changeMarks = new ChangeMarks(this);
    DisabledPictureEffect::installOnPictureButtons(this);
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
    int bit = 0;
    for (QAbstractButton *box : boxes)
        box->setChecked(bitSet(value, bit++));
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
    for (QAbstractButton *other : group) {
        if (other != changed)
            other->setEnabled(!checked);
    }
}
