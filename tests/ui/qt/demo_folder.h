#pragma once
// The demo's parameter set in a folder of a test's own, with the demo's
// input file or another model, and a model with faults to find in it.

#include <QApplication>
#include <QElapsedTimer>
#include <string>

#include "support/test_files.h"
#include "ui/controller.h"
#include "ui/qt/fault_list_panel.h"

namespace tessarin::ui::qt::testing {

// A slab two boxes share (C1 and C2 overlap for 0 <= x <= 0.5) and a ball
// cut from the box around them that no cell fills.
inline constexpr const char* kModelWithFaults =
    "COMPLEX_GEOMETRY 1\nM1 \"left\"\nM2 \"right\"\nM3 \"container\"\n"
    "S1 RPP -2 0.5 -2 2 -2 2\nS2 RPP 0 2 -2 2 -2 2\nS3 RPP -5 5 -5 5 -5 5\nS4 S 3.5 0 2.5 0.5\n"
    "C1 1 1 -1\nC2 2 1 -2\nC3 3 1 -3 +4 #1 #2\n";

inline ControllerEnvironment DemoEnvironment(const tessarin::testing::TempDir& folder, const std::string& model = "") {
  const std::string examples = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  using tessarin::testing::ReadWholeFile;
  tessarin::testing::WriteWholeFile(folder.File("demo.tesprm"), ReadWholeFile(examples + "demo.tesprm"));
  tessarin::testing::WriteWholeFile(folder.File("demo_lattice.inp"),
                                    model.empty() ? ReadWholeFile(examples + "demo_lattice.inp") : model);
  ControllerEnvironment environment;
  environment.programFolder = folder.path();
  environment.startupDirectory = folder.path();
  environment.parameterFileArgument = folder.File("demo.tesprm");
  return environment;
}

// Runs events until the panel's search ends (two minutes at most).
inline void WaitForSearch(const FaultListPanel& faults) {
  QElapsedTimer timer;
  timer.start();
  while (faults.Searching() && timer.elapsed() < 120000) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace tessarin::ui::qt::testing
