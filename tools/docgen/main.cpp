// zephlane_docgen: builds the PDF manual from the HTML help, and the theory document from its
// template with the worked example computed by the program's own model.
//
//   zephlane_docgen manual <content-dir> <out.pdf> <version>
//   zephlane_docgen theory <template.html> <out.pdf> <values.txt> <expanded.html> <version>

#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTextStream>
#include <cstdio>
#include <string>
#include <vector>

#include "example.h"
#include "render.h"

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "zephlane_docgen: %s\n", message.toUtf8().constData());
  return 1;
}

bool ReadFile(const QString& path, QByteArray& data) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  data = f.readAll();
  return true;
}

bool WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(data) == data.size();
}

int Manual(const QStringList& args) {
  const QString contentDir = args[2];
  const QString pdf = args[3];
  const QString version = args[4];
  QByteArray css;
  if (!ReadFile(contentDir + QStringLiteral("/zephlane.css"), css))
    return Fail(QStringLiteral("cannot read the help's style sheet"));
  QString error;
  const QStringList pages =
      docgen::CollectPages(contentDir, QStringLiteral("Introduction.htm"), error);
  if (pages.isEmpty()) return Fail(error);
  const QString html = docgen::AssembleManual(
      contentDir, pages, QStringLiteral("Zephlane V %1 — User Manual").arg(version), error);
  if (html.isEmpty()) return Fail(error);
  if (!docgen::WritePdf(html, QString::fromUtf8(css), QStringLiteral("Zephlane Help"), pdf, error))
    return Fail(error);
  return 0;
}

int Theory(const QStringList& args) {
  const QString templatePath = args[2];
  const QString pdf = args[3];
  const QString valuesPath = args[4];
  const QString expandedPath = args[5];
  const std::string version = args[6].toStdString();

  QByteArray source;
  if (!ReadFile(templatePath, source)) return Fail(QStringLiteral("cannot read ") + templatePath);
  const docgen::ExampleValues values = docgen::ComputeExample(version);
  std::vector<std::string> errors;
  const std::string html = docgen::ExpandTemplate(source.toStdString(), values, errors);
  if (!errors.empty()) {
    for (const auto& e : errors) Fail(QString::fromStdString(e));
    return 1;
  }

  std::string listing;
  for (const auto& [key, value] : values) listing += key + "=" + value + "\n";
  if (!WriteFile(valuesPath, QByteArray::fromStdString(listing)))
    return Fail(QStringLiteral("cannot write ") + valuesPath);
  if (!WriteFile(expandedPath, QByteArray::fromStdString(html)))
    return Fail(QStringLiteral("cannot write ") + expandedPath);

  QString error;
  if (!docgen::WritePdf(QString::fromStdString(html), QString(), QStringLiteral("Zephlane Theory"),
                        pdf, error))
    return Fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Rendering needs fonts but no screen; the build machine may have no display at all.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() == 5 && args[1] == QLatin1String("manual")) return Manual(args);
  if (args.size() == 7 && args[1] == QLatin1String("theory")) return Theory(args);
  return Fail(
      QStringLiteral("usage: zephlane_docgen manual <content-dir> <out.pdf> <version> | "
                     "theory <template.html> <out.pdf> <values.txt> <expanded.html> <version>"));
}
