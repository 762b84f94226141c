// The 3D view on the demo: opened from its button after a read, it draws the
// lattice shaded with its tracks, turns, moves and zooms with the mouse,
// writes its view back into the set, names what lies under the pointer,
// shows a clicked cell in the Geometry view, looks at a fault it found and
// saves its picture. Leaves screenshots in <build>/screenshots for a look.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <set>

#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/qt/captions.h"
#include "ui/qt/demo_folder.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/fault_list_panel.h"
#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/geometry_view_window.h"
#include "ui/qt/view3d_canvas.h"
#include "ui/qt/view3d_captions.h"
#include "ui/qt/view3d_window.h"

namespace tessarin::ui::qt {
namespace {

// Two tracks through the middle of the lattice.
constexpr const char* kTracks =
    "1: History No. 1\n1\n3\n0 0 -4 1e6\n0 0.2 -1 6e5\n0 0.5 1 0\n"
    "2: History No. 2\n2\n2\n-3 -3 -4 3e6\n3 3 4 -1e6\n";

template <typename Widget>
Widget* ChildByText(QWidget& window, const QString& text) {
  for (Widget* child : window.findChildren<Widget*>())
    if (child->text() == text) return child;
  ADD_FAILURE() << "no control " << text.toStdString();
  return nullptr;
}

void Mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
  QApplication::sendEvent(target, &event);
}

int DifferentPixels(const QImage& one, const QImage& other) {
  int count = 0;
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x) count += one.pixel(x, y) != other.pixel(x, y) ? 1 : 0;
  return count;
}

TEST(View3d, ShowsTheDemoFollowsTheMouseAppliesPicksAndSaves) {
  tessarin::testing::TempDir folder;
  tessarin::testing::WriteWholeFile(folder.File("tracks.txt"), kTracks);
  DesktopApplication desktop(testing::DemoEnvironment(folder), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();
  Controller& controller = desktop.controller();
  controller.EditWorkingCopy().useCustomTrackFN = 1;
  controller.EditWorkingCopy().TrackFN = "tracks.txt";
  controller.EditWorkingCopy().showTracks = 1;

  // Before any read there is nothing to draw.
  ChildByText<QPushButton>(window, captions::kView3d)->click();
  View3dWindow* view = window.View3d();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Canvas()->Image().isNull());

  ChildByText<QPushButton>(window, captions::kMakeRtScript)->click();
  ASSERT_TRUE(controller.Model().loaded);
  view->Canvas()->setFixedSize(400, 300);
  view->adjustSize();
  QApplication::processEvents();
  view->Refresh();
  ASSERT_TRUE(view->WaitForPicture(60000));
  const QImage hidden = view->Canvas()->Image();
  ASSERT_EQ(hidden.size(), QSize(400, 300));
  std::set<QRgb> shades;
  for (int y = 0; y < hidden.height(); y += 3)
    for (int x = 0; x < hidden.width(); x += 3) shades.insert(hidden.pixel(x, y));
  EXPECT_GT(shades.size(), 20u);  // shaded, not flat

  // The tracks inside the lattice show only when asked to.
  ChildByText<QCheckBox>(*view, captions::kTracksThroughCells)->setChecked(true);
  ASSERT_TRUE(view->WaitForPicture(60000));
  EXPECT_GT(DifferentPixels(hidden, view->Canvas()->Image()), 20);

  // The pointer over the middle names a cell and where its ray meets it.
  const QPointF middle(200, 150);
  Mouse(view->Canvas(), QEvent::MouseMove, middle, Qt::NoButton);
  EXPECT_TRUE(view->StatusText().startsWith("cell C")) << view->StatusText().toStdString();

  // A drag turns the view, Shift+drag moves it, the wheel zooms; the set keeps its view until applied.
  const settings::VIEWPARM before = controller.WorkingCopy();
  Mouse(view->Canvas(), QEvent::MouseButtonPress, middle, Qt::LeftButton);
  Mouse(view->Canvas(), QEvent::MouseMove, middle + QPointF(40, 0), Qt::NoButton);
  Mouse(view->Canvas(), QEvent::MouseButtonRelease, middle + QPointF(40, 0), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(view->State().View().azimuth, before.azimuth - 20);
  Mouse(view->Canvas(), QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::ShiftModifier);
  Mouse(view->Canvas(), QEvent::MouseMove, middle + QPointF(0, 30), Qt::NoButton, Qt::ShiftModifier);
  Mouse(view->Canvas(), QEvent::MouseButtonRelease, middle + QPointF(0, 30), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(view->State().View().azimuth, before.azimuth - 20);
  EXPECT_NE(view->State().View().centre.z, before.viewCenter.z);
  QWheelEvent wheel(middle, view->Canvas()->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->Canvas(), &wheel);
  EXPECT_DOUBLE_EQ(view->State().View().viewSize, before.viewSize / 1.25);
  EXPECT_DOUBLE_EQ(controller.WorkingCopy().azimuth, before.azimuth);
  ASSERT_TRUE(view->WaitForPicture(60000));

  ASSERT_TRUE(controller.Save());
  ASSERT_FALSE(controller.IsModified());
  ChildByText<QPushButton>(*view, captions::kApplyToSet)->click();
  EXPECT_TRUE(controller.IsModified());
  EXPECT_DOUBLE_EQ(controller.WorkingCopy().azimuth, before.azimuth - 20);
  EXPECT_DOUBLE_EQ(controller.WorkingCopy().viewSize, before.viewSize / 1.25);
  EXPECT_DOUBLE_EQ(controller.WorkingCopy().elevation, before.elevation);
  EXPECT_DOUBLE_EQ(controller.WorkingCopy().twist, before.twist);
  // The window keeps what it shows: the set's view is now the same.
  EXPECT_DOUBLE_EQ(view->State().View().viewSize, before.viewSize / 1.25);
  ASSERT_TRUE(view->WaitForPicture(60000));

  // A click shows the cell in the Geometry view.
  Mouse(view->Canvas(), QEvent::MouseButtonPress, middle, Qt::LeftButton);
  Mouse(view->Canvas(), QEvent::MouseButtonRelease, middle, Qt::LeftButton);
  ASSERT_NE(window.GeometryView(), nullptr);
  EXPECT_TRUE(window.GeometryView()->isVisible());
  const QString picked = view->StatusText();
  ASSERT_TRUE(picked.startsWith("cell C")) << picked.toStdString();
  const QString cell = picked.section("   ", 0, 0);  // "cell C7"
  EXPECT_TRUE(window.GeometryView()->StatusText().contains(cell + "   "))
      << window.GeometryView()->StatusText().toStdString() << " / " << picked.toStdString();

  const QString screenshots = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(screenshots);
  EXPECT_TRUE(view->grab().save(screenshots + "/view3d_window.png"));
  const QString saved = QString::fromStdString(folder.File("view.png"));
  ASSERT_TRUE(view->SaveImage(saved));
  EXPECT_EQ(QImage(saved).size(), QSize(400, 300));
  EXPECT_TRUE(view->SaveImage(screenshots + "/view3d_picture.png"));
  view->close();
}

// "Find faults" searches what the Geometry view searches; choosing the
// overlap looks at it closely from the same direction and rings it, and the
// ring follows the view.
TEST(View3d, FindFaultsLooksAtTheOneChosen) {
  tessarin::testing::TempDir folder;
  DesktopApplication desktop(testing::DemoEnvironment(folder, testing::kModelWithFaults),
                             std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();
  ChildByText<QPushButton>(window, captions::kView3d)->click();
  View3dWindow* view = window.View3d();
  ChildByText<QPushButton>(window, captions::kMakeRtScript)->click();
  ASSERT_TRUE(desktop.controller().Model().loaded);
  view->Canvas()->setFixedSize(400, 300);
  view->adjustSize();
  view->Refresh();
  ASSERT_TRUE(view->WaitForPicture(60000));
  const view3d::ViewSettings before = view->State().View();

  ChildByText<QPushButton>(*view, captions::kFindFaults)->click();
  testing::WaitForSearch(*view->Faults());
  const FaultReport& report = view->Faults()->Report();
  ASSERT_EQ(report.rows.size(), 2u) << report.summary;
  ASSERT_EQ(report.rows[0].text.rfind("overlap: C1 and C2 at (", 0), 0u) << report.rows[0].text;
  EXPECT_EQ(view->Canvas()->Marker(), std::nullopt);

  view->Faults()->Choose(0);
  const FaultRow& overlap = report.rows[0];
  const view3d::ViewSettings& after = view->State().View();
  EXPECT_EQ(after.centre, overlap.at);
  EXPECT_EQ(after.azimuth, before.azimuth);
  EXPECT_EQ(after.elevation, before.elevation);
  // The slab is 4 cm high and deep: the view is three times that, within a
  // twentieth of the set's view and all of it.
  const double slab =
      std::max({overlap.bounds.high.x - overlap.bounds.low.x, overlap.bounds.high.y - overlap.bounds.low.y,
                overlap.bounds.high.z - overlap.bounds.low.z});
  EXPECT_NEAR(slab, 4, 0.5);
  EXPECT_DOUBLE_EQ(after.viewSize, std::clamp(3 * slab, before.viewSize / 20, before.viewSize));
  EXPECT_EQ(view->Canvas()->Marker(), QPointF(200, 150));
  ASSERT_TRUE(view->WaitForPicture(60000));

  const QString screenshots = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(screenshots);
  EXPECT_TRUE(view->grab().save(screenshots + "/view3d_faults.png"));

  // Moved with Shift, the ring goes with the picture.
  Mouse(view->Canvas(), QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton, Qt::ShiftModifier);
  Mouse(view->Canvas(), QEvent::MouseMove, {230, 138}, Qt::NoButton, Qt::ShiftModifier);
  Mouse(view->Canvas(), QEvent::MouseButtonRelease, {230, 138}, Qt::LeftButton, Qt::ShiftModifier);
  const std::optional<QPointF> moved = view->Canvas()->Marker();
  ASSERT_TRUE(moved.has_value());
  EXPECT_NEAR(moved->x(), 230, 1e-6);
  EXPECT_NEAR(moved->y(), 138, 1e-6);
  view->close();
}

}  // namespace
}  // namespace tessarin::ui::qt
