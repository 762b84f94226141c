// The track controls on screen: the filtering tabs and the Track statistics
// dialog (rendered to <build>/screenshots), the out-of-date mark, and the
// progress dialog whose Stop ends a reading on its worker thread.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/clock.h"
#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "tracks/track_reader.h"
#include "ui/controller_fixture.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/filtering_tabs.h"
#include "ui/qt/stop_test_reading.h"
#include "ui/qt/track_colors_dialog.h"
#include "ui/qt/track_progress_dialog.h"
#include "ui/qt/track_stats_dialog.h"

namespace tessarin::ui::qt {
namespace {

const char* const kTracks =
    "1: History No. 1\n1\n3\n0 0 0 1e6\n0 0 1 5e5\n0 0 2 0\n"
    "2: 1/1\n2\n0 0 1 1e5\n0 1 1 0\n"
    "3: History No. 2\n2\n2\n0 0 0 3e6\n0 0 2 -1e6\n";

void Save(QWidget& widget, const char* name) {
  const QString folder = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folder);
  widget.show();
  QApplication::processEvents();
  EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name;
}

struct TrackDialogsTest : ::testing::Test {
  tessarin::testing::TempDir folder;
  std::unique_ptr<DesktopApplication> desktop;

  void SetUp() override {
    tessarin::testing::WriteWholeFile(folder.File("tracks.txt"), kTracks);
    ControllerEnvironment environment;
    environment.programFolder = folder.path();
    environment.startupDirectory = folder.path();
    desktop = std::make_unique<DesktopApplication>(environment, std::make_unique<platform::ScriptedHost>(),
                                                   std::make_unique<ui::testing::RecordingShell>());
    settings::VIEWPARM& set = desktop->controller().EditWorkingCopy();
    set.useCustomTrackFN = 1;
    set.TrackFN = "tracks.txt";
    set.unitEnergy = 1;
    desktop->window().ShowState();
  }
};

TEST_F(TrackDialogsTest, FilteringTabsAndStatisticsDialog) {
  Controller& controller = desktop->controller();
  controller.RefreshNumberOfTracks();
  ASSERT_EQ(controller.NumberOfTracksText(), "3");
  desktop->window().ShowState();
  FilteringTabs* tabs = desktop->window().findChild<FilteringTabs*>();
  ASSERT_NE(tabs, nullptr);
  auto* bounds = tabs->findChild<QTableWidget*>();
  ASSERT_NE(bounds, nullptr);
  EXPECT_EQ(bounds->item(3, 0)->text(), "Initial energy (keV)");
  EXPECT_EQ(bounds->item(6, 2)->text(), "100");
  tabs->resize(640, 360);
  Save(*tabs, "filtering_by_transport_parameters");
  tabs->setCurrentIndex(1);
  Save(*tabs, "filtering_by_particle_type");
  tabs->setCurrentIndex(0);

  CTrackStatsDlg dialog(controller, 0, &desktop->window());
  Save(dialog, "track_statistics_dialog");
  auto* table = dialog.findChildren<QTableWidget*>().front();
  EXPECT_EQ(table->item(4, 0)->text(), "Initial energy (keV)");
  EXPECT_EQ(table->item(4, 3)->text(), "1367");  // (1000 + 100 + 3000) / 3 keV, "%.4g"
  QLabel* tracksCount = nullptr;
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (label->text() == "3") tracksCount = label;
  ASSERT_NE(tracksCount, nullptr);
  // A changed bound marks the counts out of date until the next refresh.
  bounds = dialog.findChild<FilteringTabs*>()->findChild<QTableWidget*>();
  bounds->item(3, 1)->setText("500");
  EXPECT_EQ(tracksCount->text(), "3*");
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == "Refresh statistics") button->click();
  EXPECT_EQ(tracksCount->text(), "2");
  Save(dialog, "track_statistics_dialog_filtered");
  // Cancel leaves the set's filter alone; OK takes the dialog's.
  EXPECT_EQ(controller.WorkingCopy().filter.trackEstartMin, 0);
  dialog.Accept();
  EXPECT_EQ(controller.WorkingCopy().filter.trackEstartMin, 5e5);
  EXPECT_EQ(controller.NumberOfTracksText(), "");
}

// The dialog at the size it takes on a small and on a large screen, and made
// smaller still by hand: OK stays in sight and nothing overlaps.
TEST_F(TrackDialogsTest, StatisticsDialogFitsTheScreen) {
  desktop->controller().RefreshNumberOfTracks();
  CTrackStatsDlg dialog(desktop->controller(), 1, &desktop->window());
  auto* scroll = dialog.findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  QWidget* ok = nullptr;
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == "OK") ok = button;
  ASSERT_NE(ok, nullptr);
  auto* table = dialog.findChildren<QTableWidget*>().front();
  auto* tabs = dialog.findChild<FilteringTabs*>();
  const struct {
    QSize screen;
    const char* name;
  } screens[] = {{{1280, 800}, "track_statistics_dialog_1280x800"},
                 {{1920, 1080}, "track_statistics_dialog_1920x1080"}};
  for (const auto& [screen, name] : screens) {
    dialog.FitTo(screen);
    Save(dialog, name);
    EXPECT_LE(dialog.width(), screen.width() - 16) << name;
    EXPECT_LE(dialog.height(), screen.height() - 48) << name;
    EXPECT_TRUE(dialog.rect().contains(QRect(ok->mapTo(&dialog, QPoint(0, 0)), ok->size()))) << name;
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << name;
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << name;
  }
  dialog.resize(720, 480);
  Save(dialog, "track_statistics_dialog_720x480");
  EXPECT_TRUE(dialog.rect().contains(QRect(ok->mapTo(&dialog, QPoint(0, 0)), ok->size())));
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  EXPECT_FALSE(table->geometry().intersects(tabs->geometry()));
  EXPECT_GE(table->height(), 6 * table->verticalHeader()->defaultSectionSize());

  // "Std. dev." says which deviation it is.
  EXPECT_EQ(table->horizontalHeaderItem(4)->text(), "Std. dev.");
  EXPECT_EQ(table->horizontalHeaderItem(4)->toolTip().left(37), "The standard deviation of the average");
  // The placeholder of the open upper bound shows whole.
  for (QLineEdit* field : tabs->findChildren<QLineEdit*>()) {
    if (field->placeholderText().isEmpty()) continue;
    EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(field->placeholderText()) + 12);
  }
}

TEST_F(TrackDialogsTest, TrackTypesAndColors) {
  Controller& controller = desktop->controller();
  CTrackColorsDlg dialog(controller, &desktop->window());
  Save(dialog, "track_types_and_colors_dialog");
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->item(11, 1)->text(), "Knock-on electrons");
  EXPECT_EQ(table->item(11, 2)->checkState(), Qt::Unchecked);
  table->item(11, 2)->setCheckState(Qt::Checked);
  EXPECT_TRUE(controller.IsTrackTypeIncluded(11));
  table->item(2, 5)->setText("256");  // out of range: the old value stays
  EXPECT_EQ(table->item(2, 5)->text().toInt(), controller.WorkingCopy().trackColorRGB[2].red);
  table->item(2, 5)->setText("17");
  EXPECT_EQ(controller.WorkingCopy().trackColorRGB[2].red, 17);
  EXPECT_TRUE(controller.IsModified());
}

void ClickStopWhenShown(QTimer& clicker, QString& caption) {
  QObject::connect(&clicker, &QTimer::timeout, [&caption] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(widget);
      if (dialog == nullptr || !dialog->isVisible() || !dialog->windowTitle().startsWith("Reading the track data file"))
        continue;
      caption = dialog->windowTitle();
      for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == "Stop") button->click();
    }
  });
  clicker.start(20);
}

TEST_F(TrackDialogsTest, StopInterruptsAFileReading) {
  tessarin::testing::StopTestReading reading(folder.File("large.txt"));
  QTimer clicker;
  QString caption;
  ClickStopWhenShown(clicker, caption);
  QtTrackReadingRunner runner(&desktop->window());
  const std::thread::id uiThread = std::this_thread::get_id();
  bool ranElsewhere = false;
  runner.Run(
      [&](tracks::ReadingProgress* progress) {
        ranElsewhere = std::this_thread::get_id() != uiThread;
        reading.Read(progress);
      },
      reading.stop);
  EXPECT_TRUE(ranElsewhere);
  EXPECT_TRUE(caption.startsWith("Reading the track data file (")) << caption.toStdString();
  EXPECT_TRUE(reading.outcome.interrupted);
  ASSERT_EQ(reading.outcome.messages.size(), 1u);
  EXPECT_EQ(reading.outcome.messages[0].caption, "Reading of the track dataset has been interrupted");
  // Stopped after about 8192 of the 20000 vertices: the statistics cover what was read.
  EXPECT_GT(reading.statistics.tracks, 100);
  EXPECT_LT(reading.statistics.tracks, 300);
  EXPECT_EQ(reading.copy.fileSize, -1);
}

TEST_F(TrackDialogsTest, AFailureOnTheReadingThreadReachesTheCaller) {
  QtTrackReadingRunner runner(&desktop->window());
  std::atomic<bool> stop{false};
  EXPECT_THROW(runner.Run([](tracks::ReadingProgress*) { throw std::runtime_error("the disk went away"); }, stop),
               std::runtime_error);
}

}  // namespace
}  // namespace tessarin::ui::qt
