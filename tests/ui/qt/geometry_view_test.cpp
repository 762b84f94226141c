// The Geometry view on the demo: opened from its button after a read, it
// draws the lattice by material with the legend beside it, names what lies
// under the pointer, follows drags quickly, and saves its picture. Leaves a
// screenshot in <build>/screenshots for a look.

#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <optional>

#include "platform/scripted_host.h"
#include "preview/slice_picture.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/qt/captions.h"
#include "ui/qt/demo_folder.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/fault_list_panel.h"
#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/geometry_view_window.h"
#include "ui/qt/slice_canvas.h"

namespace tessarin::ui::qt {
namespace {

QPushButton* ButtonByText(QWidget& window, const QString& text) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

std::map<QRgb, int> CountColours(const QImage& image) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  return counts;
}

QRgb ToQRgb(const preview::Rgb& colour) { return qRgb(colour[0], colour[1], colour[2]); }

using testing::DemoEnvironment;

TEST(GeometryView, ShowsTheDemoByMaterialFollowsTheViewAndSaves) {
  tessarin::testing::TempDir folder;
  DesktopApplication desktop(DemoEnvironment(folder), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();

  // Before any read there is nothing to draw.
  QPushButton* open = ButtonByText(window, captions::kGeometryView);
  ASSERT_NE(open, nullptr);
  open->click();
  GeometryViewWindow* view = window.GeometryView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Canvas()->Image().isNull());

  ButtonByText(window, captions::kMakeRtScript)->click();
  ASSERT_TRUE(desktop.controller().Model().loaded);
  view->Canvas()->setFixedSize(800, 600);
  view->adjustSize();
  QApplication::processEvents();
  view->Refresh();
  ASSERT_TRUE(view->WaitForPicture(10000));
  const QImage& image = view->Canvas()->Image();
  ASSERT_EQ(image.size(), QSize(800, 600));

  // Fuel rods in water, boundaries between them, the white outside; no
  // overlaps and no gaps.
  const settings::VIEWPARM& set = desktop.controller().WorkingCopy();
  const std::vector<preview::Rgb> colours = preview::CellColours(desktop.controller().Model(), set);
  std::map<QRgb, int> counts = CountColours(image);
  EXPECT_GT(counts[ToQRgb(colours[0])], 5000);   // C1, a rod
  EXPECT_GT(counts[ToQRgb(colours[9])], 30000);  // C10, the water
  EXPECT_GT(counts[ToQRgb(preview::kBoundaryColour)], 500);
  EXPECT_GT(counts[ToQRgb(preview::kOutsideColour)], 100000);
  EXPECT_EQ(counts[ToQRgb(preview::kGapColour)], 0);
  EXPECT_EQ(counts[ToQRgb(preview::kOverlapColour)], 0);
  auto* legend = view->findChild<QListWidget*>();
  ASSERT_NE(legend, nullptr);
  ASSERT_EQ(legend->count(), 2 + 3);
  EXPECT_EQ(legend->item(0)->text(), "M1 (fuel)");

  // The pointer over the middle of the first rod at (-4, -4).
  const preview::SliceFrame frame = preview::DefaultSliceFrame(set, preview::SliceBasis::XY, 800, 600);
  double column = 0, row = 0;
  frame.PixelOf({-4, -4, 0}, column, row);
  QMouseEvent move(QEvent::MouseMove, QPointF(column + 0.5, row + 0.5), QPointF(), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(view->Canvas(), &move);
  EXPECT_TRUE(view->StatusText().contains("cell C1   material 1 \"fuel\"   region M1 (fuel)"))
      << view->StatusText().toStdString();

  const QString folderName = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folderName);
  EXPECT_TRUE(view->grab().save(folderName + "/geometry_view.png"));
  EXPECT_TRUE(view->SaveImage(QString::fromStdString(folder.File("slice.png"))));
  EXPECT_FALSE(QImage(QString::fromStdString(folder.File("slice.png"))).isNull());
  // Saved pictures never go through a link, to a file or to nothing.
  tessarin::testing::WriteWholeFile(folder.File("own.txt"), "own\n");
  std::filesystem::create_symlink(folder.File("own.txt"), folder.File("to_file.png"));
  std::filesystem::create_symlink(folder.File("none"), folder.File("dangling.png"));
  for (const char* link : {"to_file.png", "dangling.png"}) {
    EXPECT_FALSE(view->SaveImage(QString::fromStdString(folder.File(link)))) << link;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File(link))) << link;
  }
  EXPECT_EQ(tessarin::testing::ReadWholeFile(folder.File("own.txt")), "own\n");
  EXPECT_FALSE(std::filesystem::exists(folder.File("none")));

  // Dragging: each drag is followed by its picture. The time is printed only:
  // test builds are unoptimised; bench_preview_slice measures the real one.
  double slowest = 0;
  for (int step = 0; step < 10; ++step) {
    view->Canvas()->dragged(QPointF(7, 3));
    ASSERT_TRUE(view->WaitForPicture(5000));
    slowest = std::max(slowest, view->LastDrawSeconds());
  }
  std::printf("slowest redraw of 800 x 600 while panning: %.1f ms\n", 1000 * slowest);

  // A change of the view size in the main window shows the set's new view.
  desktop.controller().EditWorkingCopy().viewSize = 80;
  window.ShowState();
  ASSERT_TRUE(view->WaitForPicture(10000));
  const std::map<QRgb, int> wider = CountColours(view->Canvas()->Image());
  EXPECT_LT(wider.at(ToQRgb(colours[9])), counts[ToQRgb(colours[9])] / 2);
}

// A slab two boxes share and a ball cut from the box around them: "Find
// faults" lists both; choosing the gap centres the slice on it, marks it and
// says where the plane is.
TEST(GeometryView, FindFaultsListsThemAndShowsTheOneChosen) {
  tessarin::testing::TempDir folder;
  DesktopApplication desktop(DemoEnvironment(folder, testing::kModelWithFaults),
                             std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();
  ButtonByText(window, captions::kGeometryView)->click();
  GeometryViewWindow* view = window.GeometryView();
  ButtonByText(window, captions::kMakeRtScript)->click();
  ASSERT_TRUE(desktop.controller().Model().loaded);
  view->Canvas()->setFixedSize(600, 500);
  view->adjustSize();
  view->Refresh();
  ASSERT_TRUE(view->WaitForPicture(10000));

  ButtonByText(*view, captions::kFindFaults)->click();
  EXPECT_TRUE(view->Faults()->Searching());
  testing::WaitForSearch(*view->Faults());
  const FaultReport& report = view->Faults()->Report();
  ASSERT_EQ(report.rows.size(), 2u) << report.summary;
  EXPECT_EQ(report.rows[0].text.rfind("overlap: C1 and C2 at (", 0), 0u) << report.rows[0].text;
  EXPECT_NE(report.rows[1].text.find("around C3"), std::string::npos) << report.rows[1].text;
  EXPECT_EQ(report.summary.rfind("1 overlap and 1 undefined region found in 3 cells (", 0), 0u) << report.summary;

  view->Faults()->Choose(1);
  ASSERT_TRUE(view->WaitForPicture(10000));
  EXPECT_TRUE(view->PlaneText().startsWith("z = 2.")) << view->PlaneText().toStdString();
  const std::optional<QPointF> marker = view->Canvas()->Marker();
  ASSERT_TRUE(marker.has_value());
  EXPECT_EQ(view->Canvas()->Image().pixel(marker->toPoint()), ToQRgb(preview::kGapColour));
  const QString folderName = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folderName);
  EXPECT_TRUE(view->grab().save(folderName + "/geometry_view_faults.png"));
}

}  // namespace
}  // namespace tessarin::ui::qt
