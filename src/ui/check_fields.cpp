#include "ui/check_fields.h"

namespace tessarin::ui {
namespace {

using settings::VIEWPARM;

int VIEWPARM::*MemberOf(CheckField field) {
  switch (field) {
    case CheckField::CreateLog: return &VIEWPARM::createLog;
    case CheckField::CheckSyntaxVarnholt: return &VIEWPARM::checkSyntax_Varnholt;
    case CheckField::QuitAfterChecking: return &VIEWPARM::quitAfterChecking;
    case CheckField::McnpStyleCommandLine: return &VIEWPARM::MCNP_style_cmdLine;
    case CheckField::CheckSyntaxTessarin: return &VIEWPARM::checkSyntax_Tessarin;
    case CheckField::CopyToClipboard: return &VIEWPARM::copyToClipboard;
    case CheckField::UseCutawayPlane: return &VIEWPARM::useCutawayPlane;
    case CheckField::RaytraceInGraphicsWindow: return &VIEWPARM::raytraceInGraphicsWindow;
    case CheckField::ShowWireframe: return &VIEWPARM::showWireframe;
    case CheckField::RaytraceInLingeringWindow: return &VIEWPARM::raytraceInLingeringWindow;
    case CheckField::ShowTracks: return &VIEWPARM::showTracks;
    case CheckField::ShowTrackSegments: return &VIEWPARM::showTrackSegments;
    case CheckField::ExtendEscapeTracks: return &VIEWPARM::extendEscapeTracks;
    case CheckField::KeepTrackDataInMemory: return &VIEWPARM::keepTrackDataInMemory;
    case CheckField::UseCustomTrackFileName: return &VIEWPARM::useCustomTrackFN;
  }
  return &VIEWPARM::useCustomTrackFN;
}

}  // namespace

bool IsThreeState(CheckField field) {
  return field == CheckField::CreateLog || field == CheckField::CheckSyntaxVarnholt;
}

int CheckFieldState(const VIEWPARM& set, CheckField field) { return set.*MemberOf(field); }

bool SetCheckField(VIEWPARM& set, CheckField field, int state) {
  int highest = IsThreeState(field) ? 2 : 1;
  if (state < 0 || state > highest) return false;
  int& stored = set.*MemberOf(field);
  if (stored == state) return false;
  stored = state;
  return true;
}

}  // namespace tessarin::ui
