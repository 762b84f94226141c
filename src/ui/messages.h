#pragma once
// Every text the controller and the dialogs show, in one place.

#include <string_view>

namespace tessarin::ui::messages {

inline constexpr std::string_view kApplicationName = "Tessarin";
inline constexpr std::string_view kVersion = "Tessarin v1.0.5.3";
inline constexpr std::string_view kDefaultParameterFileName = "Tessarin.tesprm";

inline constexpr std::string_view kDeleteQuestion = "Do you really want to delete parameter set No. %d?";
inline constexpr std::string_view kResetAllQuestion =
    "All graphical parameters of the current parameter set (colors, coordinates, angles, etc.) will be reset to "
    "their default values. Do you want to proceed?";
inline constexpr std::string_view kSaveChangesQuestion = "Do you want to save the changes?";
inline constexpr std::string_view kDiscardChangesQuestion = "Do you want to discard all unsaved changes?";
// Saving over a parameter file that another window or an editor changed.
inline constexpr std::string_view kChangedOnDiskQuestion =
    "File \"%s\" has been changed by another program since it was read or last saved.\n\n"
    "Overwrite it with the parameter sets shown here, reload it (the changes made here are lost), "
    "or save the parameter sets under another name?";
inline constexpr std::string_view kReadInPartQuestion =
    "File \"%s\" was read only in part: the parameter sets that could not be read would be lost "
    "if it were saved over.\n\n"
    "Do you want to save under another name instead?\n"
    "Yes: Save as.\nNo: save over the file.\nCancel: do not save.";
inline constexpr std::string_view kUnexpectedFailure =
    "An unexpected failure stopped the command:\n%s\n\n"
    "The program goes on with the parameter sets as they are now.";
inline constexpr std::string_view kConsoleBusy =
    "The console window cannot be closed while the input file is being processed.";
inline constexpr std::string_view kCheckSyntaxNeeded =
    "In order to read the geometry information contained in the Varnholt input file, check the checkbox \"Check "
    "syntax\".";
inline constexpr std::string_view kRunCommandQuestionStart =
    "A user program of the input file wants to run this command of the system shell:\n\n";
inline constexpr std::string_view kRunCommandQuestionEnd =
    "\n\nDo you allow the user programs to run commands while this input file is read?";
// The file, then why it needs the answer ("it is executable").
inline constexpr std::string_view kFileQuestionStart = "A user program of the input file wants to open this file:\n\n";
inline constexpr std::string_view kFileQuestionReason = "\n\nIt needs your permission: ";
inline constexpr std::string_view kFileQuestionEnd =
    ".\n\nDo you allow the user programs to read and write any file while this input file is read?";
inline constexpr std::string_view kManualOpenFailureStart = "File \"";
inline constexpr std::string_view kManualOpenFailureEnd = "\" could not be opened.";
inline constexpr std::string_view kOpenFileFailureStart = "An error occurred when attempting to open file \"";
inline constexpr std::string_view kOpenFileFailureEnd = "\".";

// A manual that is there, but nothing shows PDF files: "%s" is its path.
inline constexpr std::string_view kNoPdfViewer =
    "No PDF viewer was found to open the user manual. It is the file\n\n%s\n\nOpen it with a PDF viewer of your "
    "choice, or install one (together with xdg-utils, which opens each file with its program).";
// After kOpenFileFailureEnd when the file is there but nothing opens it.
inline constexpr std::string_view kNoProgramForFile = " No program that opens files of this kind was found.";

// The simulator's manual does not come with this program.
inline constexpr std::string_view kVarnholtManualMissing =
    "\n\nThe Varnholt user manual comes with the simulator. Copy it to this path to open it from the Help menu.";

inline constexpr std::string_view kOpenParameterFileTitle = "Open a parameter file";
inline constexpr std::string_view kSaveParameterFileTitle = "Save the parameter file";
inline constexpr std::string_view kParameterFileExtension = "*.tesprm";
inline constexpr std::string_view kParameterFileFilter = "Tessarin files (*.tesprm)|*.tesprm|All files (*.*)|*.*||";
inline constexpr std::string_view kTextFileFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*||";
// Input files are named *.inp as often as *.txt.
inline constexpr std::string_view kInputFileFilter =
    "Varnholt input files (*.inp;*.txt)|*.inp;*.txt|Input files (*.inp)|*.inp|Text files (*.txt)|*.txt|"
    "All files (*.*)|*.*||";
inline constexpr std::string_view kProgramFilter = "Programs (*)|*|All files (*.*)|*.*||";

inline constexpr std::string_view kSelectInputFileTitle = "Select the Varnholt input file";
inline constexpr std::string_view kSelectTrackFileTitle = "Select the track data file";
inline constexpr std::string_view kScriptFolderTitle = "Browse for the folder to place the output RT script";
inline constexpr std::string_view kLocateMgedTitle =
    "Locate the executable file of the Multi-Device Geometry Editor (MGED)";
inline constexpr std::string_view kLocateVarnholtTitle = "Locate a Varnholt executable file";
inline constexpr std::string_view kEndfFolderTitle = "Browse for the ENDF data folder";
inline constexpr std::string_view kSelectLogFileTitle = "Select the Varnholt log file";
inline constexpr std::string_view kSelectOutputFileTitle = "Select the Varnholt output file";
inline constexpr std::string_view kSelectAltCrossSectionsTitle =
    "Select the Varnholt alternative cross sections information file";
inline constexpr std::string_view kConsoleFolderTitle = "Browse for the initial folder of the console window";

inline constexpr std::string_view kHideGraphics = "Hide graphical parameters";
inline constexpr std::string_view kShowGraphics = "Show graphical parameters";

inline constexpr std::string_view kNewParmSetTitle = "New parameter set";
inline constexpr std::string_view kEditNameTitle = "Edit name of parameter set No. %d";
inline constexpr std::string_view kCmdLineTitle = "Varnholt command-line arguments";
inline constexpr std::string_view kSystemVarsTitle = "System variables";
inline constexpr std::string_view kAboutTitle = "About Tessarin";
inline constexpr std::string_view kAboutDescription =
    "Tessarin is a dialog-based \"shell\" program for running Monte Carlo simulations with Varnholt, organizing "
    "Varnholt input and output files and creating graphics rendering scripts for visualization of the simulation "
    "geometry and particle tracks.";
inline constexpr std::string_view kAboutNote =
    "The raytracing scripts created by Tessarin must be loaded by MGED (a part of the open-source software package "
    "BRL-CAD), which generates raytraced or wireframe images from 3D models using the constructive solid geometry "
    "technique.";

}  // namespace tessarin::ui::messages
