#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Catches the addresses a page hands to the desktop browser, for as long as it lives, so a
// test can check a documentation link without starting a browser.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder();
    ~UrlRecorder() override;

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};
