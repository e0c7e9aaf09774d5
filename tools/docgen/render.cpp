#include "render.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

namespace docgen {
namespace {

bool ReadUtf8(const QString& path, QString& text, QString& error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("cannot read %1").arg(path);
    return false;
  }
  text = QString::fromUtf8(f.readAll());
  return true;
}

QString BodyOf(const QString& html) {
  static const QRegularExpression body(
      QStringLiteral("<body[^>]*>(.*)</body>"),
      QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
  const auto m = body.match(html);
  return m.hasMatch() ? m.captured(1) : html;
}

// Page name without extension, used to make anchors unique across the assembled manual.
QString Stem(const QString& page) { return QFileInfo(page).completeBaseName(); }

bool IsLocalPage(const QString& href) {
  return !href.contains(QLatin1Char(':')) && !href.startsWith(QLatin1Char('#')) &&
         href.section(QLatin1Char('#'), 0, 0).endsWith(QLatin1String(".htm"));
}

}  // namespace

bool WritePdf(const QString& html, const QString& css, const QString& title, const QString& pdfPath,
              QString& error) {
  QTextDocument doc;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(10.5);
  doc.setDefaultFont(font);
  doc.setDefaultStyleSheet(css);
  doc.setHtml(html);
  doc.setMetaInformation(QTextDocument::DocumentTitle, title);

  QPdfWriter writer(pdfPath);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Zephlane"));
  writer.setPageSize(QPageSize(QPageSize::A4));
  // QTextDocument::print adds its own 2 cm margin and page numbers; keep the device's small.
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  doc.print(&writer);
  // QPdfWriter reports no errors; a missing or empty file is the only sign of failure.
  const QFileInfo out(pdfPath);
  if (!out.exists() || out.size() == 0) {
    error = QStringLiteral("no PDF written to %1").arg(pdfPath);
    return false;
  }
  return true;
}

QStringList CollectPages(const QString& contentDir, const QString& startPage, QString& error) {
  static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  QStringList order{startPage};
  QSet<QString> seen{startPage};
  for (int i = 0; i < order.size(); ++i) {
    QString html;
    if (!ReadUtf8(contentDir + QLatin1Char('/') + order[i], html, error)) return {};
    for (auto it = href.globalMatch(html); it.hasNext();) {
      const QString target = it.next().captured(1);
      if (!IsLocalPage(target)) continue;
      const QString page = target.section(QLatin1Char('#'), 0, 0);
      if (!seen.contains(page)) {
        seen.insert(page);
        order.push_back(page);
      }
    }
  }
  return order;
}

QString AssembleManual(const QString& contentDir, const QStringList& pages,
                       const QString& coverLine, QString& error) {
  static const QRegularExpression nav(QStringLiteral("<p class=\"nav\">.*?</p>"),
                                      QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression anchorName(QStringLiteral("<a name=\"([^\"]+)\">"));
  static const QRegularExpression link(QStringLiteral("<a href=\"([^\"]*)\">(.*?)</a>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression firstH1(QStringLiteral("<h1>"));

  QString out = QStringLiteral("<html><body>");
  for (int i = 0; i < pages.size(); ++i) {
    QString html;
    if (!ReadUtf8(contentDir + QLatin1Char('/') + pages[i], html, error)) return {};
    const QString stem = Stem(pages[i]);
    QString body = BodyOf(html);
    body.remove(nav);
    body.replace(anchorName, QStringLiteral("<a name=\"%1-\\1\">").arg(stem));

    QString rewritten;
    qsizetype pos = 0;
    for (auto it = link.globalMatch(body); it.hasNext();) {
      const auto m = it.next();
      rewritten += body.mid(pos, m.capturedStart() - pos);
      const QString target = m.captured(1);
      const QString text = m.captured(2);
      if (target.startsWith(QLatin1Char('#'))) {
        rewritten += QStringLiteral("<a href=\"#%1-%2\">%3</a>").arg(stem, target.mid(1), text);
      } else if (IsLocalPage(target)) {
        const QString page = Stem(target.section(QLatin1Char('#'), 0, 0));
        QString anchor = target.section(QLatin1Char('#'), 1);
        if (anchor.isEmpty()) anchor = QStringLiteral("top");
        rewritten += QStringLiteral("<a href=\"#%1-%2\">%3</a>").arg(page, anchor, text);
      } else {
        // Links out of the help (the PDFs beside the program) mean nothing inside a PDF.
        rewritten += text;
      }
      pos = m.capturedEnd();
    }
    rewritten += body.mid(pos);

    if (i == 0) {
      rewritten.replace(firstH1, QStringLiteral("<p class=\"cover\">%1</p><h1>").arg(coverLine));
    } else {
      rewritten.replace(firstH1, QStringLiteral("<h1 style=\"page-break-before: always;\">"));
    }
    out += rewritten;
  }
  out += QStringLiteral("</body></html>");
  return out;
}

}  // namespace docgen
