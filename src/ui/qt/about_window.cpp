#include "ui/qt/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/messages.h"
#include "ui/qt/captions.h"
#include "ui/qt/qt_text.h"

namespace tessarin::ui::qt {
namespace {

QLabel* Link(const char* address, const char* text) {
  auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(address, text));
  label->setOpenExternalLinks(true);
  label->setToolTip(address);
  return label;
}

QLabel* Paragraph(std::string_view text) {
  auto* label = new QLabel(ToQString(text));
  label->setWordWrap(true);
  return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(messages::kAboutTitle.data());
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  auto* title = new QLabel(messages::kVersion.data());
  QFont font = title->font();
  font.setPointSizeF(font.pointSizeF() * 1.4);
  font.setBold(true);
  title->setFont(font);
  layout->addWidget(title);
  layout->addWidget(Paragraph(messages::kAboutDescription));
  layout->addWidget(Paragraph(messages::kAboutNote));
  layout->addWidget(Link(captions::kLinkHome, captions::kLinkHomeText));
  layout->addWidget(Link(captions::kLinkEndfElectro, captions::kLinkEndfElectroText));
  layout->addWidget(Link(captions::kLinkEndfPhoto, captions::kLinkEndfPhotoText));
  layout->addWidget(Link(captions::kLinkEndfRelax, captions::kLinkEndfRelaxText));
  layout->addWidget(Link(captions::kLinkBrlcad, captions::kLinkBrlcadText));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  setFixedWidth(500);
}

}  // namespace tessarin::ui::qt
