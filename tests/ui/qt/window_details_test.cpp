// Details of the windows that a new user notices at once: the Materials
// table on a small screen, long tooltips, and the main window under a modal
// dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>

#include "platform/scripted_host.h"
#include "ui/controller_fixture.h"
#include "ui/qt/captions.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/materials_table.h"
#include "ui/qt/qt_host.h"

namespace tessarin::ui::qt {
namespace {

ControllerEnvironment DemoEnvironment() {
  ControllerEnvironment environment;
  environment.programFolder = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  environment.startupDirectory = environment.programFolder;
  environment.parameterFileArgument = environment.programFolder + "demo.tesprm";
  return environment;
}

QWidget* WidgetWithToolTip(QWidget& window, const char* tooltip) {
  for (QWidget* widget : window.findChildren<QWidget*>())
    if (widget->toolTip() == QString::fromUtf8(tooltip)) return widget;
  return nullptr;
}

// The main window on the demo, shown.
class WindowDetails : public ::testing::Test {
 protected:
  WindowDetails() { window.show(); }
  ~WindowDetails() override { window.hide(); }

  DesktopApplication desktop{DemoEnvironment(), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>()};
  MainWindow& window = desktop.window();
};

void HoverOver(QWidget* widget) {
  QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(widget, &event);
}

TEST_F(WindowDetails, MaterialsTableShowsTenRowsOnA1366x768Screen) {
  window.resize(1366 - 16, 768 - 48);  // the screen less a window frame and a panel
  QApplication::processEvents();
  for (QScrollArea* area : window.findChildren<QScrollArea*>()) area->verticalScrollBar()->setValue(100000);
  QApplication::processEvents();
  auto* table = window.findChild<MaterialsTable*>();
  ASSERT_NE(table, nullptr);
  int rowHeight = table->verticalHeader()->defaultSectionSize();
  int visible = table->viewport()->visibleRegion().boundingRect().height();
  EXPECT_GE(visible / rowHeight, MaterialsTable::kVisibleRows) << "visible height " << visible;
}

TEST_F(WindowDetails, LongToolTipsWrapAndShortOnesStayPlain) {
  QWidget* vertices = WidgetWithToolTip(window, captions::kTipVerticesTotal);
  QWidget* reload = WidgetWithToolTip(window, captions::kTipReload);
  ASSERT_NE(vertices, nullptr);
  ASSERT_NE(reload, nullptr);
  HoverOver(vertices);
  HoverOver(reload);
  // Rich text is what Qt's tooltip wraps; the words stay the same.
  EXPECT_TRUE(Qt::mightBeRichText(vertices->toolTip()));
  QTextDocument shown;
  shown.setHtml(vertices->toolTip());
  EXPECT_EQ(shown.toPlainText(), QString::fromUtf8(captions::kTipVerticesTotal));
  EXPECT_EQ(reload->toolTip(), QString::fromUtf8(captions::kTipReload));
}

TEST_F(WindowDetails, MainWindowLooksDisabledWhileAMessageBoxIsUp) {
  QApplication::processEvents();
  ASSERT_TRUE(window.centralWidget()->isEnabled());
  QtHost host;
  host.SetOwner(&window);
  bool centralEnabled = true, menusEnabled = true, boxSeen = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    boxSeen = box != nullptr;
    centralEnabled = window.centralWidget()->isEnabled();
    menusEnabled = window.menuBar()->isEnabled();
    if (box) box->close();
  });
  host.ShowMessage("A question", platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                   platform::MessageAnswer::No);
  QApplication::processEvents();
  ASSERT_TRUE(boxSeen);
  EXPECT_FALSE(centralEnabled);
  EXPECT_FALSE(menusEnabled);
  EXPECT_TRUE(window.centralWidget()->isEnabled());
  EXPECT_TRUE(window.menuBar()->isEnabled());
}

}  // namespace
}  // namespace tessarin::ui::qt
