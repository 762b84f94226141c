#pragma once
// The check boxes of a parameter set. Three-state boxes store 0 unchecked,
// 1 checked and 2 indeterminate; the others 0 or 1.

#include "settings/viewparm.h"

namespace tessarin::ui {

enum class CheckField {
  CreateLog,            // three-state
  CheckSyntaxVarnholt,  // three-state
  QuitAfterChecking,
  McnpStyleCommandLine,
  CheckSyntaxTessarin,
  CopyToClipboard,
  UseCutawayPlane,
  RaytraceInGraphicsWindow,
  ShowWireframe,
  RaytraceInLingeringWindow,
  ShowTracks,
  ShowTrackSegments,
  ExtendEscapeTracks,
  KeepTrackDataInMemory,
  UseCustomTrackFileName,
};

[[nodiscard]] bool IsThreeState(CheckField field);
int CheckFieldState(const settings::VIEWPARM& set, CheckField field);

// True when the stored state changed; a state outside the box's range is
// refused.
[[nodiscard]] bool SetCheckField(settings::VIEWPARM& set, CheckField field, int state);

}  // namespace tessarin::ui
