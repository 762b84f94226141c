#include "ui/qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/qt/angle_spin_box.h"
#include "ui/qt/axes_picture.h"
#include "ui/qt/captions.h"
#include "ui/qt/color_swatch.h"
#include "ui/qt/filtering_tabs.h"
#include "ui/qt/materials_table.h"
#include "ui/qt/menu_shortcut_guard.h"
#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/geometry_view_window.h"
#include "ui/qt/track_progress_dialog.h"
#include "ui/qt/vector_table.h"
#include "ui/qt/view3d_captions.h"
#include "ui/qt/view3d_window.h"
#include "ui/qt/wheel_guard.h"
#include "ui/qt/qt_text.h"
#include "launch/process_messages.h"

namespace tessarin::ui::qt {
namespace {

QLabel* Caption(const char* text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(text));
  if (buddy) label->setBuddy(buddy);
  return label;
}

QGroupBox* Group(const char* title) {
  auto* group = new QGroupBox(QString::fromUtf8(title));
  return group;
}

}  // namespace

MainWindow::MainWindow(Controller& controller, QWidget* parent) : QMainWindow(parent), controller_(controller) {
  BuildMenus();
  trackReadingRunner_ = std::make_unique<QtTrackReadingRunner>(this);
  controller_.SetTrackReadingRunner(*trackReadingRunner_);
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(10, 8, 10, 10);
  layout->setSpacing(8);
  layout->addWidget(BuildSetRow());
  layout->addWidget(BuildSimulationGroup());
  layout->addWidget(BuildScriptGroup());
  graphicsArea_ = BuildGraphicsArea();
  layout->addWidget(graphicsArea_, 1);

  scrollArea_ = new QScrollArea;
  scrollArea_->setWidgetResizable(true);
  scrollArea_->setFrameShape(QFrame::NoFrame);
  scrollArea_->setWidget(page);
  setCentralWidget(scrollArea_);

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  WheelGuard::Install(this);
  std::vector<QKeySequence> menuShortcuts;
  for (QAction* menu : menuBar()->actions())
    for (QAction* action : menu->menu()->actions())
      if (!action->shortcut().isEmpty()) menuShortcuts.push_back(action->shortcut());
  new MenuShortcutGuard(this, std::move(menuShortcuts));
  ShowState();
}

void MainWindow::BuildMenus() {
  fileMenu_ = menuBar()->addMenu(captions::kFileMenu);
  QAction* open = fileMenu_->addAction(captions::kOpenMenu);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(open, &QAction::triggered, this, [this] { Run([this] { controller_.OpenParameterFile(); }); });
  reloadAction_ = fileMenu_->addAction(captions::kReloadMenu);
  connect(reloadAction_, &QAction::triggered, this, [this] { Run([this] { controller_.ReloadParameterFile(); }); });
  QAction* save = fileMenu_->addAction(captions::kSaveMenu);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  // The controller tells of a save that failed.
  connect(save, &QAction::triggered, this, [this] { Run([this] { static_cast<void>(controller_.Save()); }); });
  QAction* saveAs = fileMenu_->addAction(captions::kSaveAsMenu);
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(saveAs, &QAction::triggered, this, [this] { Run([this] { static_cast<void>(controller_.SaveAs()); }); });
  fileMenu_->addSeparator();
  QAction* exit = fileMenu_->addAction(captions::kExitMenu);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(fileMenu_, &QMenu::aboutToShow, this, &MainWindow::UpdateFileMenu);
  reloadAction_->setVisible(false);

  QMenu* console = menuBar()->addMenu(captions::kConsoleMenu);
  activateConsoleAction_ = console->addAction(captions::kActivateConsoleMenu);
  activateConsoleAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  connect(activateConsoleAction_, &QAction::triggered, this, [this] { controller_.ActivateConsoleWindow(); });
  closeConsoleAction_ = console->addAction(captions::kCloseConsoleMenu);
  connect(closeConsoleAction_, &QAction::triggered, this, [this] { Run([this] { controller_.CloseConsoleWindow(); }); });
  connect(console, &QMenu::aboutToShow, this, [this] {
    activateConsoleAction_->setEnabled(controller_.IsConsoleMenuEnabled());
    closeConsoleAction_->setEnabled(controller_.IsConsoleMenuEnabled());
  });

  QMenu* view = menuBar()->addMenu(captions::kViewMenu);
  connect(view->addAction(captions::kGeometryViewMenu), &QAction::triggered, this, [this] { OpenGeometryView(); });
  connect(view->addAction(captions::kView3dMenu), &QAction::triggered, this, [this] { OpenView3d(); });

  QMenu* help = menuBar()->addMenu(captions::kHelpMenu);
  connect(help->addAction(captions::kTessarinManualMenu), &QAction::triggered, this,
          [this] { Run([this] { controller_.OpenManual(Manual::Tessarin); }); });
  connect(help->addAction(captions::kVarnholtManualMenu), &QAction::triggered, this,
          [this] { Run([this] { controller_.OpenManual(Manual::Varnholt); }); });
  help->addSeparator();
  connect(help->addAction(captions::kAboutMenu), &QAction::triggered, this,
          [this] { Run([this] { controller_.ShowAbout(); }); });
}

void MainWindow::OpenGeometryView() {
  if (geometryView_ == nullptr) geometryView_ = new GeometryViewWindow(controller_, this);
  geometryView_->show();
  geometryView_->raise();
  geometryView_->activateWindow();
}

void MainWindow::OpenView3d() {
  if (view3d_ == nullptr) {
    view3d_ = new View3dWindow(controller_, this);
    view3d_->cellPicked = [this](const input::Vec3& inside) {
      OpenGeometryView();
      geometryView_->ShowPoint(inside);
    };
  }
  view3d_->show();
  view3d_->raise();
  view3d_->activateWindow();
}

void MainWindow::UpdateFileMenu() { reloadAction_->setVisible(controller_.IsReloadAvailable()); }

QWidget* MainWindow::BuildSetRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeButton(captions::kNewParameterSet, captions::kTipNewSet,
                               [this] { controller_.NewParameterSet(); }));
  setList_ = new QComboBox;
  setList_->setToolTip(captions::kTipSetList);
  setList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setList_->setMinimumContentsLength(30);
  connect(setList_, &QComboBox::activated, this,
          [this](int index) { Run([this, index] { controller_.SelectParameterSet(index); }); });
  layout->addWidget(setList_, 1);
  layout->addWidget(MakeButton(captions::kEditName, captions::kTipEditName, [this] { controller_.EditName(); }));
  deleteButton_ = MakeButton(captions::kDelete, captions::kTipDelete, [this] { controller_.DeleteParameterSet(); });
  layout->addWidget(deleteButton_);
  return row;
}

QWidget* MainWindow::BuildSimulationGroup() {
  QGroupBox* group = Group(captions::kSimulation);
  auto* grid = new QGridLayout(group);
  grid->setColumnStretch(4, 1);
  int row = 0;
  auto readInput = [this](void (Controller::*command)()) { return [this, command] { ReadInputFile(command); }; };
  grid->addWidget(MakeButton(captions::kLoadInputFile, captions::kTipLoadInput, readInput(&Controller::LoadInputFile)),
                  row, 0, 1, 2);
  grid->addWidget(MakeOpenFileButton(TextField::InputFile), row, 3);
  grid->addWidget(MakeTextField(TextField::InputFile, captions::kTipInputFile), row, 4);
  grid->addWidget(MakeButton(captions::kReload, captions::kTipReload, readInput(&Controller::ReloadInputFile)),
                  row, 5);
  ++row;
  grid->addWidget(MakeCheckBox(captions::kCreateLog, CheckField::CreateLog, captions::kTipCreateLog), row, 0);
  grid->addLayout(SuffixRow(captions::kLogSuffix, TextField::LogSuffix, captions::kTipLogSuffix), row, 1, 1, 2);
  grid->addWidget(MakeOpenFileButton(TextField::LogFile), row, 3);
  grid->addWidget(MakeTextField(TextField::LogFile, captions::kTipLogFile), row, 4, 1, 2);
  ++row;
  grid->addLayout(SuffixRow(captions::kOutputSuffix, TextField::OutputSuffix, captions::kTipOutputSuffix), row, 1, 1,
                  2);
  grid->addWidget(MakeOpenFileButton(TextField::OutputFile), row, 3);
  grid->addWidget(MakeTextField(TextField::OutputFile, captions::kTipOutputFile), row, 4, 1, 2);
  ++row;
  consoleButton_ = MakeStartButton(launch::WatchedProgram::Console, captions::kTipStartVarnholt);
  grid->addWidget(consoleButton_, row, 0);
  grid->addWidget(Caption(captions::kCommandLine), row, 1, Qt::AlignRight);
  grid->addWidget(MakeButton(captions::kEdit, captions::kTipEditCommandLine, [this] { controller_.EditCommandLine(); }),
                  row, 2, 1, 2);
  commandLine_ = new QLineEdit;
  commandLine_->setReadOnly(true);
  commandLine_->setToolTip(captions::kTipCommandLine);
  grid->addWidget(commandLine_, row, 4, 1, 2);
  ++row;
  grid->addWidget(MakeCheckBox(captions::kCustomTrackFile, CheckField::UseCustomTrackFileName, captions::kTipCustomTrack),
                  row, 0);
  grid->addWidget(MakeButton(captions::kTrackStats, captions::kTipTrackStats, [this] { OpenTrackStatistics(); }), row,
                  1, Qt::AlignRight);
  chooseTrackFile_ =
      MakeButton(captions::kEllipsis, captions::kTipSelectTrackFile, [this] { controller_.SelectTrackFile(); });
  chooseTrackFile_->setMaximumWidth(40);
  grid->addWidget(chooseTrackFile_, row, 2);
  grid->addWidget(MakeOpenFileButton(TextField::TrackFile), row, 3);
  grid->addWidget(MakeTextField(TextField::TrackFile, captions::kTipTrackFile), row, 4, 1, 2);
  return group;
}

QHBoxLayout* MainWindow::SuffixRow(const char* caption, TextField field, const char* tooltip) {
  QLineEdit* suffix = MakeTextField(field, tooltip);
  suffix->setMaximumWidth(110);
  auto* row = new QHBoxLayout;
  row->addWidget(Caption(caption, suffix));
  row->addWidget(suffix);
  return row;
}

QWidget* MainWindow::BuildScriptGroup() {
  QGroupBox* group = Group(captions::kRtScriptGroup);
  auto* grid = new QGridLayout(group);
  grid->setColumnStretch(4, 1);
  int row = 0;
  grid->addWidget(MakeButton(captions::kMakeRtScript, captions::kTipMakeRtScript,
                             [this] {
                               WhileReading([this] { controller_.MakeRtScript(); });
                               if (!controller_.ScriptFormNote().empty())
                                 statusBar()->showMessage(QString::fromStdString(controller_.ScriptFormNote()));
                             }),
                  row, 0);
  auto* views = new QHBoxLayout;
  views->addWidget(MakeButton(captions::kGeometryView, captions::kTipGeometryView, [this] { OpenGeometryView(); }));
  views->addWidget(MakeButton(captions::kView3d, captions::kTipView3d, [this] { OpenView3d(); }));
  grid->addLayout(views, row, 5);
  grid->addWidget(MakeButton(captions::kSelectFolder, captions::kTipScriptFolder,
                             [this] { controller_.SelectScriptFolder(); }),
                  row, 1, 1, 2);
  grid->addWidget(MakeOpenFileButton(TextField::RtScript), row, 3);
  grid->addWidget(MakeTextField(TextField::RtScript, captions::kTipRtScript), row, 4);
  ++row;
  mgedButton_ = MakeStartButton(launch::WatchedProgram::Mged, captions::kTipStartMged);
  grid->addWidget(mgedButton_, row, 0);
  QLineEdit* mged = MakeTextField(TextField::MgedCommandLine, captions::kTipMged);
  controller_.SetFocusMgedCommandLineHandler([mged] {
    mged->setFocus();
    mged->selectAll();
  });
  grid->addWidget(Caption(captions::kMgedCommandLine, mged), row, 1, 1, 2, Qt::AlignRight);
  QPushButton* locate = MakeButton(captions::kEllipsis, captions::kTipLocateMged, [this] { controller_.LocateMged(); });
  locate->setMaximumWidth(40);
  grid->addWidget(locate, row, 3, Qt::AlignRight);
  grid->addWidget(mged, row, 4);
  ++row;
  QPushButton* variables = MakeButton(captions::kSystemVariables, captions::kTipSystemVariables,
                                      [this] { controller_.ShowSystemVariables(); });
  grid->addWidget(variables, row, 0);
  QHBoxLayout* options = SuffixRow(captions::kRtSuffix, TextField::RtSuffix, captions::kTipRtSuffix);
  options->addSpacing(16);
  overwritePrompt_ = new QCheckBox(captions::kOverwritePrompt);
  overwritePrompt_->setToolTip(captions::kTipOverwritePrompt);
  connect(overwritePrompt_, &QCheckBox::toggled, this, [this](bool on) {
    if (!showing_) controller_.SetOverwritePrompt(on);
  });
  options->addWidget(overwritePrompt_);
  options->addWidget(BuildScriptFormChoice());
  options->addWidget(MakeCheckBox(captions::kCopyToClipboard, CheckField::CopyToClipboard, captions::kTipCopyToClipboard));
  options->addWidget(MakeCheckBox(captions::kCheckSyntax, CheckField::CheckSyntaxTessarin, captions::kTipCheckSyntax));
  options->addStretch(1);
  grid->addLayout(options, row, 1, 1, 4);
  ++row;
  graphicsToggle_ = new QPushButton;
  graphicsToggle_->setToolTip(captions::kTipToggleGraphics);
  connect(graphicsToggle_, &QPushButton::clicked, this, &MainWindow::ToggleGraphics);
  grid->addWidget(graphicsToggle_, row, 0);
  grid->addWidget(MakeButton(captions::kResetAll, captions::kTipResetAll,
                             [this] {
                               if (!controller_.ResetAll()) return;
                               materials_->scrollToTop();
                               if (controller_.AreGraphicsShown()) FitToScreen();
                             }),
                  row, 1, 1, 2);
  return group;
}

QWidget* MainWindow::BuildScriptFormChoice() {
  auto* box = new QWidget;
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  auto* choice = new QComboBox;
  choice->setObjectName("scriptForm");
  // In the order of render::ScriptForm.
  choice->addItems({captions::kScriptFormAuto, captions::kScriptFormReadable, captions::kScriptFormFast});
  choice->setCurrentIndex(static_cast<int>(controller_.ScriptFormPreference()));
  choice->setToolTip(captions::kTipScriptForm);
  connect(choice, &QComboBox::currentIndexChanged, this,
          [this](int index) { controller_.SetScriptFormPreference(static_cast<render::ScriptForm>(index)); });
  row->addWidget(Caption(captions::kScriptForm, choice));
  row->addWidget(choice);
  return box;
}

QWidget* MainWindow::BuildGraphicsArea() {
  auto* area = new QWidget;
  auto* layout = new QGridLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(8);

  QGroupBox* axesGroup = Group(captions::kAxesTitle);
  auto* axesLayout = new QVBoxLayout(axesGroup);
  axes_ = new AxesPicture;
  axes_->setToolTip(captions::kTipAxes);
  axesLayout->addWidget(axes_);
  layout->addWidget(axesGroup, 0, 0);
  layout->addWidget(BuildViewGroup(), 0, 1);
  layout->addWidget(BuildCutawayGroup(), 0, 2);
  layout->addWidget(BuildColorsGroup(), 1, 0, 1, 2);
  layout->addWidget(BuildTracksGroup(), 1, 2);
  layout->addWidget(BuildFilteringTabs(), 2, 0, 1, 3);

  QGroupBox* materialsGroup = Group(captions::kMaterials);
  auto* materialsLayout = new QVBoxLayout(materialsGroup);
  materials_ = new MaterialsTable(controller_, [this] { ShowState(); });
  materials_->setToolTip(captions::kTipMaterials);
  materialsLayout->addWidget(materials_);
  layout->addWidget(materialsGroup, 3, 0, 1, 3);
  layout->setRowStretch(3, 1);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(2, 1);
  return area;
}

QWidget* MainWindow::BuildViewGroup() {
  QGroupBox* group = Group(captions::kViewGroup);
  auto* grid = new QGridLayout(group);
  int row = 0;
  QLineEdit* size = MakeNumberField(NumberField::ViewSize, captions::kTipViewSize);
  grid->addWidget(Caption(captions::kViewSize, size), row, 0);
  grid->addWidget(size, row, 1);
  ++row;
  grid->addWidget(Caption(captions::kViewCenter), row, 0);
  auto* center = new VectorTable(controller_, VectorField::ViewCenter, [this] { ShowState(); });
  center->setToolTip(captions::kTipViewCenter);
  vectorTables_.push_back(center);
  grid->addWidget(center, row, 1, 1, 3);
  ++row;
  const std::tuple<const char*, NumberField, const char*> angles[] = {
      {captions::kAzimuth, NumberField::Azimuth, captions::kTipAzimuth},
      {captions::kElevation, NumberField::Elevation, captions::kTipElevation},
      {captions::kTwist, NumberField::Twist, captions::kTipTwist}};
  auto* angleRow = new QHBoxLayout;
  for (auto [caption, field, tooltip] : angles) {
    AngleSpinBox* box = MakeAngleField(field, tooltip);
    angleRow->addWidget(Caption(caption, box));
    angleRow->addWidget(box);
    angleRow->addSpacing(6);
  }
  angleRow->addStretch(1);
  grid->addLayout(angleRow, row, 0, 1, 4);
  ++row;
  QLineEdit* perspective = MakeNumberField(NumberField::Perspective, captions::kTipPerspective);
  grid->addWidget(Caption((std::string(captions::kPerspective) + " " + captions::kDegrees).c_str(), perspective), row, 0);
  grid->addWidget(perspective, row, 1);
  ++row;
  QLineEdit* objectSize = MakeNumberField(NumberField::MaximumObjectSizeRatio, captions::kTipMaximumObjectSize);
  grid->addWidget(Caption((std::string(captions::kMaximumObjectSize) + "\n" + captions::kOverViewSize).c_str(),
                          objectSize),
                  row, 0);
  grid->addWidget(objectSize, row, 1);
  QLineEdit* sourceSize = MakeNumberField(NumberField::SourceSizeRatio, captions::kTipSourceSize);
  grid->addWidget(Caption((std::string(captions::kSourceSize) + "\n" + captions::kOverViewSize).c_str(), sourceSize),
                  row, 2);
  grid->addWidget(sourceSize, row, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return group;
}

QWidget* MainWindow::BuildCutawayGroup() {
  QGroupBox* group = Group(captions::kCutawayGroup);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(MakeCheckBox(captions::kUseCutawayPlane, CheckField::UseCutawayPlane, captions::kTipUseCutaway));
  const std::tuple<const char*, VectorField, const char*> vectors[] = {
      {captions::kCutawayPoint, VectorField::CutawayPlanePoint, captions::kTipCutawayPoint},
      {captions::kCutawayNormal, VectorField::CutawayPlaneNormal, captions::kTipCutawayNormal}};
  for (auto [caption, field, tooltip] : vectors) {
    layout->addWidget(Caption(caption));
    auto* table = new VectorTable(controller_, field, [this] { ShowState(); });
    table->setToolTip(tooltip);
    vectorTables_.push_back(table);
    layout->addWidget(table);
  }
  layout->addStretch(1);
  return group;
}

QWidget* MainWindow::BuildColorsGroup() {
  QGroupBox* group = Group(captions::kColorsGroup);
  auto* grid = new QGridLayout(group);
  const std::tuple<const char*, ColorList, const char*> lists[] = {
      {captions::kBeamAxisColor, ColorList::BeamAxis, captions::kTipBeamAxis},
      {captions::kBackgroundColor, ColorList::Background, captions::kTipBackground}};
  int row = 0;
  for (auto [caption, which, tooltip] : lists) {
    auto* swatch = new ColorSwatch;
    QComboBox* list = MakeColorList(which, swatch, tooltip);
    grid->addWidget(Caption(caption, list), row, 0);
    grid->addWidget(list, row, 1);
    grid->addWidget(swatch, row, 2);
    ++row;
  }
  grid->addWidget(MakeCheckBox(captions::kWireframeView, CheckField::ShowWireframe, captions::kTipWireframe), 0, 4);
  grid->addWidget(Caption(captions::kRaytrace), 1, 4);
  grid->addWidget(MakeCheckBox(captions::kInGraphicsWindow, CheckField::RaytraceInGraphicsWindow,
                               captions::kTipInGraphicsWindow),
                  1, 5, 1, 2);
  grid->addWidget(MakeCheckBox(captions::kInLingeringWindow, CheckField::RaytraceInLingeringWindow,
                               captions::kTipInLingeringWindow),
                  2, 5);
  portField_ = MakeNumberField(NumberField::PortNumber, captions::kTipPort, 70);
  auto* port = new QHBoxLayout;
  port->addWidget(Caption(captions::kPortNumber, portField_));
  port->addWidget(portField_);
  port->addStretch(1);
  grid->addLayout(port, 2, 6);
  QLineEdit* iterations = MakeNumberField(NumberField::Iterations, captions::kTipIterations, 70);
  auto* clipping = new QHBoxLayout;
  clipping->addWidget(Caption(captions::kIterations, iterations));
  clipping->addWidget(iterations);
  clipping->addStretch(1);
  grid->addLayout(clipping, 3, 0, 1, 7);
  grid->setColumnMinimumWidth(3, 16);
  grid->setColumnStretch(6, 1);
  return group;
}

QWidget* MainWindow::BuildTracksGroup() {
  QGroupBox* group = Group(captions::kTracksGroup);
  auto* grid = new QGridLayout(group);
  grid->addWidget(MakeCheckBox(captions::kShowTracks, CheckField::ShowTracks, captions::kTipShowTracks), 0, 0);
  QCheckBox* extend = MakeCheckBox(captions::kExtendEscapeTracks, CheckField::ExtendEscapeTracks,
                                   captions::kTipExtendEscape);
  grid->addWidget(extend, 0, 1);
  auto* limits = new QHBoxLayout;
  QLineEdit* total = MakeNumberField(NumberField::VerticesTotalMax, captions::kTipVerticesTotal, 80);
  QLineEdit* track = MakeNumberField(NumberField::VerticesTrackMax, captions::kTipVerticesTrack, 64);
  limits->addWidget(Caption(captions::kVerticesTotal, total));
  limits->addWidget(total);
  limits->addWidget(Caption(captions::kVerticesTrack, track));
  limits->addWidget(track);
  limits->addStretch(1);
  grid->addLayout(limits, 1, 0, 1, 2);
  QCheckBox* segments = MakeCheckBox(captions::kShowTrackSegments, CheckField::ShowTrackSegments,
                                     captions::kTipShowSegments);
  grid->addWidget(segments, 2, 0);
  grid->addWidget(MakeCheckBox(captions::kKeepTrackData, CheckField::KeepTrackDataInMemory, captions::kTipKeepTrackData),
                  2, 1);
  trackOptions_ = {extend, total, track, segments};
  grid->addWidget(MakeButton(captions::kTrackTypesAndColors, captions::kTipTrackTypes, [this] { OpenTrackColors(); }),
                  3, 0);
  auto* count = new QHBoxLayout;
  numberOfTracks_ = new QLineEdit;
  numberOfTracks_->setReadOnly(true);
  numberOfTracks_->setToolTip(captions::kTipNumberOfTracks);
  numberOfTracks_->setMaximumWidth(90);
  count->addWidget(Caption(captions::kNumberOfTracks, numberOfTracks_));
  count->addWidget(numberOfTracks_);
  count->addWidget(
      MakeButton(captions::kRefresh, captions::kTipRefresh, [this] { controller_.RefreshNumberOfTracks(); }));
  count->addWidget(MakeButton(captions::kDefaultFiltering, captions::kTipDefaultFiltering,
                              [this] { controller_.DefaultFiltering(); }));
  count->addStretch(1);
  grid->addLayout(count, 4, 0, 1, 2);
  grid->setRowStretch(5, 1);
  return group;
}

QWidget* MainWindow::BuildFilteringTabs() {
  QGroupBox* group = Group(captions::kTrackFiltering);
  auto* layout = new QVBoxLayout(group);
  filteringTabs_ = new FilteringTabs(ControllerFilteringBinding(controller_, [this] { ShowState(); }));
  layout->addWidget(filteringTabs_);
  return group;
}

void MainWindow::ToggleGraphics() {
  CommitFocusedField();
  controller_.ToggleGraphics();
  ShowState();
  // Only the height changes: short with the graphics hidden, full again when
  // they are shown.
  int width = this->width();
  FitToScreen();
  resize(width, height());
}

void MainWindow::FitToScreen() {
  QWidget* page = scrollArea_->widget();
  page->adjustSize();
  QSize wanted = page->sizeHint() + QSize(0, menuBar()->sizeHint().height());
  QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
  // Leave room for the window frame; scroll where the screen is too small.
  QSize limit = available.size() - QSize(16, 48);
  int scrollBar = wanted.height() > limit.height() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  resize(std::min(wanted.width() + scrollBar + 4, limit.width()), std::min(wanted.height() + 4, limit.height()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (controller_.IsReadingInputFile()) {
    event->ignore();
    return;
  }
  CommitFocusedField();
  if (controller_.RequestClose()) {
    event->accept();
    controller_.CloseConsoleAtExit();
  } else {
    event->ignore();
  }
  ShowState();
}

void MainWindow::CommitFocusedField() {
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
}

void MainWindow::Run(const std::function<void()>& command) {
  CommitFocusedField();
  command();
  ShowState();
}

void MainWindow::ReadInputFile(void (Controller::*command)()) {
  // Through a reference: g++ 12 with -fsanitize=vptr checks a wrong address
  // for `this` captured by a lambda inside the button's lambda.
  Controller& controller = controller_;
  WhileReading([&controller, command] { (controller.*command)(); });
  statusBar()->showMessage(QString::fromStdString(controller_.InputReadSummary()));
}

void MainWindow::WhileReading(const std::function<void()>& command) {
  // Not the whole window: its message boxes must still take answers.
  centralWidget()->setEnabled(false);
  menuBar()->setEnabled(false);
  command();
  menuBar()->setEnabled(true);
  centralWidget()->setEnabled(true);
}

QPushButton* MainWindow::MakeStartButton(launch::WatchedProgram program, const char* tooltip) {
  auto* button = new QPushButton;
  button->setToolTip(tooltip);
  connect(button, &QPushButton::clicked, this, [this, program] {
    Run([this, program] {
      if (program == launch::WatchedProgram::Console)
        controller_.StartOrActivateConsole();
      else
        controller_.StartOrActivateMged();
    });
  });
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(button, &QWidget::customContextMenuRequested, this, [this, button, program](const QPoint& at) {
    if (!controller_.CanResetButton(program)) return;
    QMenu menu;
    QAction* reset = menu.addAction(ToQString(launch::process_messages::kResetButton));
    if (menu.exec(button->mapToGlobal(at)) == reset) Run([this, program] { controller_.ResetButton(program); });
  });
  return button;
}

}  // namespace tessarin::ui::qt
