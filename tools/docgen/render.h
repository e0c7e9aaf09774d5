#pragma once

#include <QString>
#include <QStringList>

// HTML into PDF with Qt's rich-text engine, and the help pages gathered into one manual.
namespace docgen {

// Renders `html` (styled by `css`) into an A4 PDF at `pdfPath`; false with `error` set on failure.
bool WritePdf(const QString& html, const QString& css, const QString& title, const QString& pdfPath,
              QString& error);

// The help pages reachable from `startPage`, in reading order: the start page first, then
// every page in the order its first link appears, breadth first.
QStringList CollectPages(const QString& contentDir, const QString& startPage, QString& error);

// One HTML document of all `pages`: each page starts a new sheet, links between pages become
// links within the document, and navigation bars and links out of the help are dropped.
QString AssembleManual(const QString& contentDir, const QStringList& pages,
                       const QString& coverLine, QString& error);

}  // namespace docgen
