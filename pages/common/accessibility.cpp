#include "pages/common/accessibility.h"

#include <QAbstractButton>

void nameButtonsFromToolTips(QWidget *root)
{
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->text().isEmpty() && button->accessibleName().isEmpty() &&
            !button->toolTip().isEmpty())
            button->setAccessibleName(button->toolTip());
    }
}
