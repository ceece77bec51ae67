#pragma once

#include <QString>
#include <QStringList>

// The text of a PDF as a client's reader finds it, read by poppler's pdftotext.
namespace PdfText {

// The program's path, or empty where it is not installed (and on Windows, which has none).
QString reader();

// One entry a page, whitespace folded so that wrapped labels still match; empty when the
// reader failed.
QStringList pages(const QString &reader, const QString &pdf);

} // namespace PdfText
