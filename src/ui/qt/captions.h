#pragma once
// The captions and tooltips of the main window and the dialogs.

namespace tessarin::ui::qt::captions {

// Main window.
inline constexpr const char* kNewParameterSet = "New parameter set";
inline constexpr const char* kEditName = "Edit name";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kLoadInputFile = "Load Varnholt input file...";
inline constexpr const char* kOpenFile = "Open file";
inline constexpr const char* kReload = "Reload";
inline constexpr const char* kCreateLog = "Create a log file";
inline constexpr const char* kLogSuffix = "Log file name suffix:";
inline constexpr const char* kOutputSuffix = "Output file name suffix:";
inline constexpr const char* kCommandLine = "Command line:";
inline constexpr const char* kEdit = "Edit";
inline constexpr const char* kCommandLineTooLong =
    "(the command line would be longer than 1813 characters; shorten the additional arguments or paths)";
inline constexpr const char* kCustomTrackFile = "Custom track data file name";
inline constexpr const char* kTrackStats = "Track stats";
inline constexpr const char* kEllipsis = "...";
inline constexpr const char* kMakeRtScript = "Make RT script";
inline constexpr const char* kSelectFolder = "Select folder...";
inline constexpr const char* kMgedCommandLine = "MGED startup command line:";
inline constexpr const char* kSystemVariables = "System variables...";
inline constexpr const char* kRtSuffix = "RT file name suffix:";
inline constexpr const char* kOverwritePrompt = "Overwrite prompt";
// The RT script form: its caption and the choices, in the order of
// render::ScriptForm (Auto, Readable, Fast).
inline constexpr const char* kScriptForm = "Form:";
inline constexpr const char* kScriptFormAuto = "Automatic";
inline constexpr const char* kScriptFormReadable = "Readable";
inline constexpr const char* kScriptFormFast = "Fast";
inline constexpr const char* kCopyToClipboard = "Copy to clipboard";
inline constexpr const char* kCheckSyntax = "Check syntax";
inline constexpr const char* kResetAll = "Reset all";
inline constexpr const char* kAxesTitle = "Coordinate axes of the MGED Graphics Window";
inline constexpr const char* kViewSize = "View size (cm)";
inline constexpr const char* kViewCenter = "View center (cm)";
inline constexpr const char* kAzimuth = "Azimuth";
inline constexpr const char* kElevation = "Elevation";
inline constexpr const char* kTwist = "Twist";
inline constexpr const char* kPerspective = "Perspective";
inline constexpr const char* kDegrees = "(degrees)";
inline constexpr const char* kMaximumObjectSize = "Maximum object size /";
inline constexpr const char* kSourceSize = "Source size /";
inline constexpr const char* kOverViewSize = "/ view size:";
inline constexpr const char* kUseCutawayPlane = "Use a cut-away plane";
inline constexpr const char* kCutawayPoint = "A point on the cut-away plane (cm)";
inline constexpr const char* kCutawayNormal = "Normal vector of the cut-away plane";
inline constexpr const char* kBeamAxisColor = "Beam axis color";
inline constexpr const char* kBackgroundColor = "Background color";
inline constexpr const char* kWireframeView = "Wireframe view";
inline constexpr const char* kRaytrace = "Raytrace:";
inline constexpr const char* kInGraphicsWindow = "in the MGED Graphics Window";
inline constexpr const char* kInLingeringWindow = "in a lingering window";
inline constexpr const char* kPortNumber = "fbserv port number:";
inline constexpr const char* kIterations = "Number of iterations for optimal clipping of infinite 3D primitives:";
inline constexpr const char* kShowTracks = "Show particle tracks";
inline constexpr const char* kExtendEscapeTracks = "Extend the escape tracks";
inline constexpr const char* kVerticesTotal = "Max. number of vertices shown: total -";
inline constexpr const char* kVerticesTrack = ", track -";
inline constexpr const char* kShowTrackSegments = "Show track segments";
inline constexpr const char* kKeepTrackData = "Keep track data in memory";
inline constexpr const char* kTrackTypesAndColors = "Track types and colors...";
inline constexpr const char* kNumberOfTracks = "Number of tracks:";
inline constexpr const char* kRefresh = "Refresh";
inline constexpr const char* kDefaultFiltering = "Default filtering";
inline constexpr const char* kTrackFiltering = "Track filtering";
inline constexpr const char* kFilteringByTransport = "Filtering by transport parameters";
inline constexpr const char* kFilteringByParticleType = "Filtering by particle type";
inline constexpr const char* kFilteringPending = "Track filtering becomes available together with track data reading.";
inline constexpr const char* kMaterials = "Materials";
inline constexpr const char* kSimulation = "Simulation";
inline constexpr const char* kRtScriptGroup = "RT script and MGED";
inline constexpr const char* kViewGroup = "View";
inline constexpr const char* kCutawayGroup = "Cut-away plane";
inline constexpr const char* kColorsGroup = "Colors and raytracing";
inline constexpr const char* kTracksGroup = "Particle tracks";

// Menus.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kOpenMenu = "&Open...";
inline constexpr const char* kReloadMenu = "&Reload";
inline constexpr const char* kSaveMenu = "&Save";
inline constexpr const char* kSaveAsMenu = "Save &as...";
inline constexpr const char* kExitMenu = "E&xit";
inline constexpr const char* kConsoleMenu = "&Console";
inline constexpr const char* kConsoleTitle = "Tessarin console";
inline constexpr const char* kActivateConsoleMenu = "&Activate console window";
inline constexpr const char* kCloseConsoleMenu = "&Close console window";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kTessarinManualMenu = "Tessarin &user manual";
inline constexpr const char* kVarnholtManualMenu = "&Varnholt user manual";
inline constexpr const char* kAboutMenu = "&About Tessarin...";

// Tooltips.
inline constexpr const char* kTipSetList = "The name of the current parameter set";
inline constexpr const char* kTipDelete = "Delete the current parameter set";
inline constexpr const char* kTipInputFile = "The name of the Varnholt input file";
inline constexpr const char* kTipOutputFile = "The name of the Varnholt output file";
inline constexpr const char* kTipLogFile =
    "The name of the Varnholt log file with all input directives (including the ones generated by executing the "
    "user code embedded in the Varnholt input file)";
inline constexpr const char* kTipCommandLine = "The command line used to start Varnholt";
inline constexpr const char* kTipOutputSuffix =
    "The file name suffix cannot have spaces. The two-character string '%d', if present, will be replaced by the "
    "sequence number of the parameter set. Clear this box to enable customizing the Varnholt output file name.";
inline constexpr const char* kTipLogSuffix =
    "The file name suffix cannot have spaces. The two-character string '%d', if present, will be replaced by the "
    "sequence number of the parameter set. Clear this box to enable customizing the Varnholt log file name.";
inline constexpr const char* kTipRtSuffix =
    "The file name suffix cannot have spaces. The two-character string '%d', if present, will be replaced by the "
    "sequence number of the parameter set.";
inline constexpr const char* kTipResetAll =
    "Reset all graphical parameters of the current parameter set to their default values";
inline constexpr const char* kTipVerticesTotal =
    "The maximum total number of vertices in all tracks shown (if the actual total number of vertices is greater "
    "than this number, then some of the last tracks in the current set of tracks will not be shown in the MGED "
    "Graphics Window). Clear this box to remove the limitation.";
inline constexpr const char* kTipVerticesTrack =
    "The maximum number of vertices shown in a single track (if the actual number of vertices in a track is greater "
    "than this number, then some of the vertices will be skipped when drawing the track in the MGED Graphics "
    "Window). Clear this box to remove the limitation.";
inline constexpr const char* kTipCheckSyntax =
    "Check to enable reading the geometry information from the Varnholt input file and creating the RT script "
    "(otherwise, the input file will be processed only by the Varnholt executable after clicking \"Start "
    "Varnholt\").";
inline constexpr const char* kTipNewSet = "Create a new parameter set as a copy of the current one";
inline constexpr const char* kTipEditName = "Rename the current parameter set";
inline constexpr const char* kTipLoadInput = "Choose the Varnholt input file and read its geometry";
inline constexpr const char* kTipReload = "Read the Varnholt input file again";
inline constexpr const char* kTipCreateLog =
    "Checked: Varnholt writes a log file; unchecked: it does not; indeterminate: Varnholt's own default";
inline constexpr const char* kTipOpenFile = "Open the file named in the box beside this button";
inline constexpr const char* kTipStartVarnholt = "Start Varnholt in a console window with the command line below";
inline constexpr const char* kTipEditCommandLine = "Edit the Varnholt command-line arguments";
inline constexpr const char* kTipCustomTrack = "Check to enter the name of the track data file yourself";
inline constexpr const char* kTipTrackFile = "The name of the Varnholt track data file";
inline constexpr const char* kTipSelectTrackFile = "Choose the track data file";
inline constexpr const char* kTipTrackStats = "Show the statistics of the selected tracks";
inline constexpr const char* kTipMakeRtScript = "Write the RT script that MGED loads to draw the geometry and tracks";
inline constexpr const char* kTipScriptFolder = "Choose the folder of the RT script";
inline constexpr const char* kTipRtScript = "The RT script file";
inline constexpr const char* kTipStartMged = "Start the Multi-Device Geometry Editor (MGED)";
inline constexpr const char* kTipMged = "The program that starts MGED, optionally followed by its arguments";
inline constexpr const char* kTipLocateMged = "Locate the MGED executable file";
inline constexpr const char* kTipSystemVariables = "Edit the values of the ten system variables @0 to @9";
inline constexpr const char* kTipOverwritePrompt = "Ask before an existing RT script is overwritten";
inline constexpr const char* kTipScriptForm =
    "Readable: in, comb and r commands, which MGED loads in minutes for thousands of cells. Fast: the same "
    "database stored with put, loaded in seconds, and tracks as plot files. Automatic: readable up to 1000 "
    "cells, fast above. Kept with the program's settings for every parameter file.";
inline constexpr const char* kTipCopyToClipboard = "Copy the RT script to the clipboard after making it";
inline constexpr const char* kTipToggleGraphics = "Hide or show the graphical parameters below";
inline constexpr const char* kTipAxes = "The coordinate axes as MGED shows them for the current view angles";
inline constexpr const char* kTipViewSize = "The initial view size in centimetres (5e-12 to 1e300)";
inline constexpr const char* kTipViewCenter = "The centre of the view in centimetres";
inline constexpr const char* kTipAzimuth = "The view azimuth in degrees (-360 to 360)";
inline constexpr const char* kTipElevation = "The view elevation in degrees (-90 to 90)";
inline constexpr const char* kTipTwist = "The view twist in degrees (-360 to 360)";
inline constexpr const char* kTipPerspective = "The perspective angle in degrees (0 = no perspective, up to 90)";
inline constexpr const char* kTipMaximumObjectSize = "The ratio of the world size to the view size (3.5 to 1000)";
inline constexpr const char* kTipSourceSize =
    "The diameter of the source sphere divided by the view size (0 to 0.1; 0 = the source is not drawn)";
inline constexpr const char* kTipUseCutaway = "Cut the geometry with a plane";
inline constexpr const char* kTipCutawayPoint = "A point of the cut-away plane in centimetres";
inline constexpr const char* kTipCutawayNormal = "The normal vector of the cut-away plane (not all zero)";
inline constexpr const char* kTipBeamAxis = "The colour of the source beam axis; \"None\" draws no beam axis";
inline constexpr const char* kTipBackground = "The background colour of the raytraced image";
inline constexpr const char* kTipWireframe = "Show the geometry as a wireframe";
inline constexpr const char* kTipInGraphicsWindow = "Raytrace the image in the MGED Graphics Window";
inline constexpr const char* kTipInLingeringWindow = "Raytrace the image in a window of its own that stays open";
inline constexpr const char* kTipPort = "The port of the frame-buffer server of the lingering window (1 to 10000)";
inline constexpr const char* kTipIterations =
    "The number of iterations used to cut infinite primitives to a finite size (0 to 50)";
inline constexpr const char* kTipShowTracks = "Draw the particle tracks of the track data file";
inline constexpr const char* kTipExtendEscape = "Extend the last segment of the tracks that leave the geometry";
inline constexpr const char* kTipShowSegments = "Draw the selected track segments instead of whole tracks";
inline constexpr const char* kTipKeepTrackData = "Keep the track data in memory between readings";
inline constexpr const char* kTipTrackTypes = "Choose the track types shown and their colours";
inline constexpr const char* kTipNumberOfTracks = "The number of tracks that pass the filter";
inline constexpr const char* kTipRefresh = "Count the tracks that pass the filter";
inline constexpr const char* kTipDefaultFiltering = "Restore the default track filtering";
inline constexpr const char* kTipMaterials = "The colours and optical properties of the materials";

// Dialogs.
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kNewSetName = "Name of the new parameter set:";
inline constexpr const char* kNewSetNote = "The new parameter set will be a copy of the current parameter set.";
inline constexpr const char* kInsertAfter = "Insert the new parameter set after:";
inline constexpr const char* kCreate = "Create";
inline constexpr const char* kDoNotCreate = "Do not create";
inline constexpr const char* kSystemVariableName = "Name";
inline constexpr const char* kSystemVariableValue = "Value";

inline constexpr const char* kProgramGroup = "Varnholt";
inline constexpr const char* kFilesGroup = "Files";
inline constexpr const char* kExecutable = "Name of the Varnholt executable file:";
inline constexpr const char* kBrowse = "Browse...";
inline constexpr const char* kThreads = "Number of CPU threads:";
inline constexpr const char* kEndfFolder = "ENDF data folder:";
inline constexpr const char* kCheckSetup = "Check the simulation setup for errors";
inline constexpr const char* kQuitAfterChecking = "Quit after checking";
inline constexpr const char* kMcnpStyle = "MCNP-style command line (with \"in=\" and \"out=\")";
inline constexpr const char* kInputFile = "Input file:";
inline constexpr const char* kLogFile = "Log file:";
inline constexpr const char* kOutputSuffixNote =
    "(clear this box in order to enable entering a custom name of the Varnholt output file)";
inline constexpr const char* kOutputFile = "Output file:";
inline constexpr const char* kAltCrossSections = "Alternative cross sections information file:";
inline constexpr const char* kAdditionalArguments = "Additional arguments";
inline constexpr const char* kConsoleFolder = "Initial directory of the console window";
inline constexpr const char* kInputFileFolder = "Input file folder";
inline constexpr const char* kVarnholtFolder = "Varnholt executable folder";
inline constexpr const char* kTessarinFolder = "Tessarin executable folder";
inline constexpr const char* kCustom = "Custom";
inline constexpr const char* kTipThreads =
    "If this number is -1, then the number of CPU threads will not be specified on the command line (unless it is "
    "included in the additional arguments)";
inline constexpr const char* kTipEndf =
    "If this box is empty, then the ENDF folder will not be specified on the command line (unless it is included "
    "in the additional arguments). Enter \"./\" to indicate the Tessarin installation folder.";
inline constexpr const char* kTipCheckSetup =
    "If this checkbox is checked or indeterminate, then the input directives specified in the Varnholt input file "
    "will be checked for syntax and geometry errors. Otherwise, Varnholt will quit after running the user programs "
    "embedded in the input file.";
inline constexpr const char* kTipQuit =
    "If this checkbox is checked, Varnholt will quit after checking the simulation setup for syntax and geometry "
    "errors.";
inline constexpr const char* kTipMcnp =
    "If this checkbox is checked, then the Varnholt command-line keywords \"in\" and \"out\" will be replaced with "
    "\"in=\" and \"out=\", respectively.";
inline constexpr const char* kTipDialogSystemVariables =
    "Click this button to modify the values of the Varncode system variables. The non-zero system variables will be "
    "specified on the Varnholt command line. The system variables can be referenced in the user's programs embedded "
    "in the Varnholt input file.";

// About box links.
inline constexpr const char* kLinkHome = "https://github.com/tessarin/tessarin";
inline constexpr const char* kLinkEndfElectro = "https://www.nndc.bnl.gov/endf-b7.1/zips/ENDF-B-VII.1-electrons.zip";
inline constexpr const char* kLinkEndfPhoto = "https://www.nndc.bnl.gov/endf-b7.1/zips/ENDF-B-VII.1-photoat.zip";
inline constexpr const char* kLinkEndfRelax = "https://www.nndc.bnl.gov/endf-b7.1/zips/ENDF-B-VII.1-atomic_relax.zip";
inline constexpr const char* kLinkBrlcad = "https://brlcad.org";
inline constexpr const char* kLinkHomeText = "Tessarin web page";
inline constexpr const char* kLinkEndfElectroText = "ENDF/B-VII.1 electroatomic data";
inline constexpr const char* kLinkEndfPhotoText = "ENDF/B-VII.1 photoatomic data";
inline constexpr const char* kLinkEndfRelaxText = "ENDF/B-VII.1 atomic relaxation data";
inline constexpr const char* kLinkBrlcadText = "BRL-CAD web site";


// The question before saving over a parameter file changed on disk.
inline constexpr const char* kOverwriteButton = "Overwrite";
inline constexpr const char* kReloadButton = "Reload";
inline constexpr const char* kSaveAsButton = "Save as...";

}  // namespace tessarin::ui::qt::captions
