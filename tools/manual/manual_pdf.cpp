// Turns the Markdown chapters of the user manual into one PDF with Qt's own
// Markdown reader and PDF writer. The chapters are taken in the order of a
// list file; a chapter that is not there is left out with a note, so the
// manual still builds while a chapter is being written.
//
// A line that is only a link to an example file,
//   [Example: name.inp](examples/name.inp)
// stands for the whole file: the PDF shows its text, taken from the
// chapter folder's examples/ when the manual is made, so the text the
// manual shows is the file that the tests check. (Any other link to a
// file there stays a link.) A picture whose name
// ends in "@2x.png" is drawn at twice the size it is shown at.
// Usage: manual_pdf ORDER-FILE CHAPTER-FOLDER IMAGE-BASE-FOLDER OUTPUT.pdf

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>

namespace {

// Wider pictures are scaled down to fit an A4 page between its margins.
constexpr double kMaxImageWidth = 600;
constexpr double kHeadingGap = 10;
const QColor kCodeBackground(243, 243, 243);

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The example links of a chapter replaced by the files' text. Counts the
// files that are missing.
QString WithExamples(const QString& chapter, const QString& exampleFolder, int& missing) {
  static const QRegularExpression link(R"(^\[Example: ([^\]]+)\]\(examples/([^)]+)\)\s*$)");
  QString result;
  for (const QString& line : chapter.split('\n')) {
    const QRegularExpressionMatch match = link.match(line);
    if (!match.hasMatch()) {
      result += line + "\n";
      continue;
    }
    QFile file(exampleFolder + "/" + match.captured(2));
    if (match.captured(1) != match.captured(2) || !file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "manual: example %s is missing\n", qPrintable(match.captured(2)));
      ++missing;
      continue;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (!text.endsWith('\n')) text += '\n';
    result += "*Example file* `" + match.captured(2) + "`\n\n```\n" + text + "```\n";
  }
  return result;
}

// The chapters named in the list, one file name a line; blank lines and
// lines starting with '#' are skipped.
QString JoinChapters(const QString& orderFile, const QString& chapterFolder, int& found, int& missingExamples) {
  QString markdown;
  found = 0;
  missingExamples = 0;
  for (const QString& line : ReadText(orderFile).split('\n')) {
    QString name = line.trimmed();
    if (name.isEmpty() || name.startsWith('#')) continue;
    QString path = chapterFolder + "/" + name;
    if (!QFileInfo::exists(path)) {
      std::fprintf(stderr, "manual: chapter %s is not there; the manual is made without it\n", qPrintable(name));
      continue;
    }
    markdown += WithExamples(ReadText(path), chapterFolder + "/examples", missingExamples) + "\n\n";
    ++found;
  }
  return markdown;
}

// Every chapter starts on a new page; pictures, which the document takes
// from the image folder, keep within the page. Returns how many pictures
// were missing.
int ArrangePages(QTextDocument& document, const QString& imageBase) {
  int missing = 0;
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    if (format.headingLevel() == 1) {
      if (!first) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      first = false;
    } else if (format.headingLevel() > 1) {
      format.setTopMargin(std::max(format.topMargin(), kHeadingGap));
    }
    // Code and example files on a grey ground; a line too long for the
    // page wraps instead of running off it.
    if (format.nonBreakableLines() || format.hasProperty(QTextFormat::BlockCodeFence)) {
      format.setNonBreakableLines(false);
      format.setBackground(kCodeBackground);
    }
    cursor.setBlockFormat(format);
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      QTextCharFormat format = fragment.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      QTextImageFormat image = format.toImageFormat();
      QImage picture(imageBase + "/" + image.name());
      if (picture.isNull()) {
        std::fprintf(stderr, "manual: picture %s is missing\n", qPrintable(image.name()));
        ++missing;
        continue;
      }
      document.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
      const double shown = image.name().endsWith("@2x.png") ? picture.width() / 2.0 : picture.width();
      const double width = std::min(shown, kMaxImageWidth);
      if (width == picture.width()) continue;
      image.setWidth(width);
      image.setHeight(width * picture.height() / picture.width());
      QTextCursor selection(&document);
      selection.setPosition(fragment.fragment().position());
      selection.setPosition(fragment.fragment().position() + fragment.fragment().length(), QTextCursor::KeepAnchor);
      selection.setCharFormat(image);
    }
  }
  return missing;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: manual_pdf ORDER-FILE CHAPTER-FOLDER IMAGE-BASE-FOLDER OUTPUT.pdf\n");
    return 2;
  }
  int found = 0, missingExamples = 0;
  QString markdown = JoinChapters(argv[1], argv[2], found, missingExamples);
  if (found == 0) {
    std::fprintf(stderr, "manual: no chapter found through %s\n", argv[1]);
    return 1;
  }
  // Nor is a manual that would show an example the tests cannot check.
  if (missingExamples > 0) return 1;
  const QString imageBase = QFileInfo(argv[3]).absoluteFilePath();
  QTextDocument document;
  document.setMarkdown(markdown);
  // A manual without one of its pictures is not made: the build says which.
  if (ArrangePages(document, imageBase) > 0) return 1;

  QPdfWriter writer(argv[4]);
  writer.setTitle("Tessarin - User Manual");
  writer.setCreator("Tessarin");
  writer.setPageSize(QPageSize(QPageSize::A4));
  document.print(&writer);
  if (!QFileInfo(argv[4]).size()) {
    std::fprintf(stderr, "manual: %s could not be written\n", argv[4]);
    return 1;
  }
  return 0;
}
