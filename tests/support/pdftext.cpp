#include "tests/support/pdftext.h"

#include <QProcess>
#include <QStandardPaths>

QString PdfText::reader()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

QStringList PdfText::pages(const QString &reader, const QString &pdf)
{
    QProcess extract;
    extract.start(reader, {pdf, QStringLiteral("-")});
    if (!extract.waitForFinished() || extract.exitStatus() != QProcess::NormalExit
        || extract.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(extract.readAllStandardOutput()).split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed, the last one included.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString &page : pages)
        page = page.simplified();
    return pages;
}
