// Turns the Markdown chapters of the user manual into one PDF with Qt's own
// Markdown reader and PDF writer. The chapters are taken in the order of a
// list file; a chapter that is not there is left out with a note, so the
// manual still builds while a chapter is being written.
// Usage: manual_pdf ORDER-FILE CHAPTER-FOLDER IMAGE-BASE-FOLDER OUTPUT.pdf

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <cstdio>

namespace {

// Wider pictures are scaled down to fit an A4 page between its margins.
constexpr double kMaxImageWidth = 600;

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The chapters named in the list, one file name a line; blank lines and
// lines starting with '#' are skipped.
QString JoinChapters(const QString& orderFile, const QString& chapterFolder, int& found) {
  QString markdown;
  found = 0;
  for (const QString& line : ReadText(orderFile).split('\n')) {
    QString name = line.trimmed();
    if (name.isEmpty() || name.startsWith('#')) continue;
    QString path = chapterFolder + "/" + name;
    if (!QFileInfo::exists(path)) {
      std::fprintf(stderr, "manual: chapter %s is not there; the manual is made without it\n", qPrintable(name));
      continue;
    }
    markdown += ReadText(path) + "\n\n";
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
    if (block.blockFormat().headingLevel() == 1) {
      if (!first) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
      }
      first = false;
    }
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
      if (picture.width() <= kMaxImageWidth) continue;
      image.setWidth(kMaxImageWidth);
      image.setHeight(kMaxImageWidth * picture.height() / picture.width());
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
  int found = 0;
  QString markdown = JoinChapters(argv[1], argv[2], found);
  if (found == 0) {
    std::fprintf(stderr, "manual: no chapter found through %s\n", argv[1]);
    return 1;
  }
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
