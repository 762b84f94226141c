#pragma once
// The main window: every control of a parameter set, the File, Console and
// Help menus. It shows the controller's state and forwards every edit and
// command to it; after each one it shows the state again.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "ui/controller.h"

class QAction;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace tessarin::ui::qt {

class AngleSpinBox;
class FilteringTabs;
class GeometryViewWindow;
class View3dWindow;
class QtTrackReadingRunner;
class AxesPicture;
class ColorSwatch;
class MaterialsTable;
class VectorTable;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Controller& controller, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows every field of the working copy and the window's state.
  void ShowState();

  // The size that shows everything without scrolling, limited to the screen.
  void FitToScreen();

  // The captions of the start buttons (they change as watched processes end).
  void ShowStartButtons();

  // Opens the Geometry view, or brings it to the front.
  void OpenGeometryView();
  GeometryViewWindow* GeometryView() const { return geometryView_; }
  // Opens the 3D view, or brings it to the front.
  void OpenView3d();
  View3dWindow* View3d() const { return view3d_; }

  // Runs after every ShowState (the modeless dialogs show the set as well).
  void SetAfterShowState(std::function<void()> hook) { afterShowState_ = std::move(hook); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct TextBinding {
    QLineEdit* edit;
    TextField field;
  };
  struct NumberBinding {
    QLineEdit* edit;
    NumberField field;
  };
  struct AngleBinding {
    AngleSpinBox* box;
    NumberField field;
  };
  struct CheckBinding {
    QCheckBox* box;
    CheckField field;
  };
  struct ColorBinding {
    QComboBox* list;
    ColorSwatch* swatch;
    ColorList which;
  };

  void BuildMenus();
  QWidget* BuildSetRow();
  QWidget* BuildSimulationGroup();
  QWidget* BuildScriptGroup();
  QWidget* BuildGraphicsArea();
  // The choice of the RT script form, a preference of the program.
  QWidget* BuildScriptFormChoice();
  QWidget* BuildViewGroup();
  QWidget* BuildCutawayGroup();
  QWidget* BuildColorsGroup();
  QWidget* BuildTracksGroup();
  QWidget* BuildFilteringTabs();
  void OpenTrackStatistics();  // main_window_tracks.cpp
  void OpenTrackColors();

  QLineEdit* MakeTextField(TextField field, const char* tooltip);
  QHBoxLayout* SuffixRow(const char* caption, TextField field, const char* tooltip);
  QLineEdit* MakeNumberField(NumberField field, const char* tooltip, int width = 90);
  AngleSpinBox* MakeAngleField(NumberField field, const char* tooltip);
  QCheckBox* MakeCheckBox(const char* caption, CheckField field, const char* tooltip);
  QComboBox* MakeColorList(ColorList which, ColorSwatch* swatch, const char* tooltip);
  QPushButton* MakeButton(const char* caption, const char* tooltip, std::function<void()> command);
  QPushButton* MakeDisabledButton(const char* caption, const char* tooltip);
  QPushButton* MakeOpenFileButton(TextField field);

  // Runs a command of the controller and shows the state afterwards.
  void Run(const std::function<void()>& command);
  // A command that reads the input file: the window takes no input meanwhile,
  // only the console does.
  void WhileReading(const std::function<void()>& command);
  // Load or Reload, then the status bar tells what the read found.
  void ReadInputFile(void (Controller::*command)());
  QPushButton* MakeStartButton(launch::WatchedProgram program, const char* tooltip);
  void CommitFocusedField();
  void ToggleGraphics();
  void UpdateFileMenu();
  void ShowFields();

  Controller& controller_;
  std::vector<TextBinding> textFields_;
  std::vector<NumberBinding> numberFields_;
  std::vector<AngleBinding> angleFields_;
  std::vector<CheckBinding> checkBoxes_;
  std::vector<ColorBinding> colorLists_;
  std::vector<VectorTable*> vectorTables_;

  QScrollArea* scrollArea_ = nullptr;
  QComboBox* setList_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* consoleButton_ = nullptr;
  QPushButton* mgedButton_ = nullptr;
  QPushButton* graphicsToggle_ = nullptr;
  QLineEdit* commandLine_ = nullptr;
  QLineEdit* numberOfTracks_ = nullptr;
  QCheckBox* overwritePrompt_ = nullptr;
  QLineEdit* portField_ = nullptr;
  QPushButton* chooseTrackFile_ = nullptr;  // only while the track data file name is custom
  std::vector<QWidget*> trackOptions_;  // enabled with "Show particle tracks"
  AxesPicture* axes_ = nullptr;
  MaterialsTable* materials_ = nullptr;
  QWidget* graphicsArea_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* reloadAction_ = nullptr;
  QAction* activateConsoleAction_ = nullptr;
  QAction* closeConsoleAction_ = nullptr;
  std::function<void()> afterShowState_;
  GeometryViewWindow* geometryView_ = nullptr;
  View3dWindow* view3d_ = nullptr;
  FilteringTabs* filteringTabs_ = nullptr;
  std::unique_ptr<QtTrackReadingRunner> trackReadingRunner_;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt
