#pragma once

#include <QPushButton>

// A push button that is nothing but its picture, and another picture while it is held
// down. It draws the pictures itself instead of through a style sheet, so the start window
// neither parses a sheet per button nor reads the pressed pictures before anyone presses.
class PictureButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    Q_PROPERTY(QString pressedPicture READ pressedPicture WRITE setPressedPicture)

public:
    explicit PictureButton(QWidget *parent = nullptr);

    QString picture() const { return m_picture; }
    void setPicture(const QString &path);
    QString pressedPicture() const { return m_pressedPicture; }
    void setPressedPicture(const QString &path);

    // The picture drawn now: the pressed one while the button is down and has one.
    QString shownPicture() const;

    // The picture's own size: the button is the picture, without a frame or margins.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_picture;
    QString m_pressedPicture;
};
