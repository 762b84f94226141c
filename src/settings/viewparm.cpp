#include "settings/viewparm.h"

namespace tessarin::settings {

namespace {

void CopyGraphicalSettings(const VIEWPARM& from, VIEWPARM& to) {
  to.nThreads = from.nThreads;
  to.maximumObjectSizeRatio = from.maximumObjectSizeRatio;
  to.sourceSizeRatio = from.sourceSizeRatio;
  to.viewSize = from.viewSize;
  to.viewCenter = from.viewCenter;
  to.azimuth = from.azimuth;
  to.elevation = from.elevation;
  to.twist = from.twist;
  to.perspective = from.perspective;
  to.useCutawayPlane = from.useCutawayPlane;
  to.cutawayPlanePoint = from.cutawayPlanePoint;
  to.cutawayPlaneNormal = from.cutawayPlaneNormal;
  to.portNum = from.portNum;
  to.nIterations = from.nIterations;
  to.unitEnergy = from.unitEnergy;
  to.unitDistance = from.unitDistance;
  to.raytraceInGraphicsWindow = from.raytraceInGraphicsWindow;
  to.showWireframe = from.showWireframe;
  to.raytraceInLingeringWindow = from.raytraceInLingeringWindow;
  to.showTracks = from.showTracks;
  to.showTrackSegments = from.showTrackSegments;
  to.extendEscapeTracks = from.extendEscapeTracks;
  to.keepTrackDataInMemory = from.keepTrackDataInMemory;
  to.nVerticesTotalMax = from.nVerticesTotalMax;
  to.nVerticesTrackMax = from.nVerticesTrackMax;
  to.trackColorRGB = from.trackColorRGB;
  to.beamAxisColorRGB = from.beamAxisColorRGB;
  to.backgroundColorRGB = from.backgroundColorRGB;
  to.rows = from.rows;
}

}  // namespace

VIEWPARM DefaultParameterSet() { return VIEWPARM{}; }

void ResetToDefaults(VIEWPARM& set, bool graphicsOnly) {
  if (graphicsOnly)
    CopyGraphicalSettings(VIEWPARM{}, set);
  else
    set = VIEWPARM{};
}

}  // namespace tessarin::settings
