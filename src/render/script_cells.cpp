#include "render/script_cells.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/format_text.h"
#include "render/arbn_edges.h"
#include "render/cell_references.h"
#include "render/clipping_iteration.h"
#include "render/empty_cells.h"
#include "render/region_test.h"
#include "render/script_bodies.h"

namespace tessarin::render {

using input::CellRecord;
using input::SurfaceKind;
using input::SurfaceRecord;
using input::Vec3;

namespace {

// How far beyond a plane a corner may lie and still count as on the solid
// for the arbn checks: wider than MGED's tolerance, so that its rounding
// cannot tip the verdict.
constexpr double kArbnSlack = 10 * kMgedDistanceTolerance;

// Where the cell meets the world.
struct WorldContact {
  bool empty = false;
  bool touches = false;   // some world face cuts the cell
  bool cut = false;       // the cut-away plane cuts the cell
  std::array<bool, kWorldFaces> clippable{};
};

class CellWriter {
 public:
  explicit CellWriter(ScriptScene& scene) : scene_(scene), subtracted_(scene.model.cells.size(), 0) {}

  void Write(int cellIndex) {
    const CellRecord& cell = scene_.model.cells[static_cast<std::size_t>(cellIndex)];
    cellIndex_ = cellIndex;
    references_.clear();
    for (int k = 0; k < cell.surfaceCount(); ++k) references_.push_back(ClassifyReference(scene_.model, cell, k));
    clipped_.assign(references_.size(), false);
    copies_.clear();

    BuildTestCell();
    FindWorldContact();
    WriteTruncatedPrimitives(cell);
    WriteTransformedMacrobodies(cell);
    const int start = WriteBase(cell);
    WriteElements(cell, start);
    WriteComplements(cell);
    scene_.text += scene_.sourceSuffix;
    scene_.text += "\n";
  }

 private:
  const SurfaceRecord& Surface(int index) const { return scene_.model.surfaces[static_cast<std::size_t>(index)]; }
  SurfaceRecord& MutableSurface(int index) { return scene_.model.surfaces[static_cast<std::size_t>(index)]; }
  int CellId() const { return scene_.model.cells[static_cast<std::size_t>(cellIndex_)].id; }
  bool Clipping() const { return scene_.set.nIterations > 0; }

  void BuildTestCell() {
    test_ = HalfSpaceList{};
    for (const CellReference& reference : references_) test_.Append(reference.surface, reference.sense);
    for (int k = 0; k < scene_.worldList.Count(); ++k) test_.Append(scene_.worldList.surfaces[static_cast<std::size_t>(k)], -1);
    RegionTestDetails details;
    contact_ = WorldContact{};
    contact_.empty = !RegionTest(scene_.clip, test_, &details);
    // Kept with the cell until the next read, for whoever wants a point of it.
    CellRecord& cell = scene_.model.cells[static_cast<std::size_t>(cellIndex_)];
    cell.hasInteriorPoint = !contact_.empty && test_.hasInteriorPoint;
    if (cell.hasInteriorPoint) cell.interiorPoint = test_.interiorPoint;
    if (contact_.empty && CellContainsNoPoint(scene_.clip, scene_.model, cell)) scene_.emptyCells.push_back(cell.id);
    if (contact_.empty || !details.anyRedundant) return;
    for (int k = test_.Count() - 1; k >= 0; --k)
      if (details.redundant[static_cast<std::size_t>(k)]) test_.RemoveAt(k);
  }

  void FindWorldContact() {
    if (contact_.empty) {
      contact_.touches = true;
      contact_.cut = scene_.set.useCutawayPlane != 0;
      return;
    }
    contact_.clippable.fill(true);
    for (int k = 0; k < test_.Count(); ++k) {
      const int surface = test_.surfaces[static_cast<std::size_t>(k)];
      const bool face = scene_.IsWorldFace(surface);
      if (!face && surface != scene_.Cutaway()) continue;
      if (!ReversedRegionExists(scene_.clip, test_, k)) continue;
      if (face) {
        contact_.touches = true;
        contact_.clippable[static_cast<std::size_t>(surface - scene_.firstBoundingPlane)] = false;
      } else {
        contact_.cut = true;
      }
    }
    if (contact_.touches) return;
    for (int k = test_.Count() - 1; k >= 0; --k)
      if (scene_.IsWorldFace(test_.surfaces[static_cast<std::size_t>(k)])) test_.RemoveAt(k);
  }

  // Surfaces created by copying are numbered within the cell from 1.
  int CopyNumber(int surface) {
    for (std::size_t k = 0; k < copies_.size(); ++k)
      if (copies_[k] == surface) return static_cast<int>(k) + 1;
    copies_.push_back(surface);
    return static_cast<int>(copies_.size());
  }

  std::string Name(std::size_t position) {
    const CellReference& reference = references_[position];
    const SurfaceRecord& surface = Surface(reference.surface);
    const bool facet = reference.kind == ReferenceKind::ExplicitFacet;
    const int macrobodyId =
        reference.macrobody >= 0 ? scene_.model.macrobodies[static_cast<std::size_t>(reference.macrobody)].id : 0;
    if (surface.facetNumber <= 0) return platform::FormatText("S0%dC%d", CopyNumber(reference.surface), CellId());
    if (clipped_[position]) {
      if (facet) return platform::FormatText("S%dF%dC%d", macrobodyId, reference.facet, CellId());
      return platform::FormatText("S%dC%d", surface.facetNumber, CellId());
    }
    // Only a cylinder's or cone's lateral facet has an unclipped primitive of
    // the macrobody's own; a general macrobody's facet is its surface.
    if (facet && scene_.model.macrobodies[static_cast<std::size_t>(reference.macrobody)].kind !=
                     input::MacrobodyKind::General)
      return platform::FormatText("S%dF%d", macrobodyId, reference.facet);
    return platform::FormatText("S%d", surface.facetNumber);
  }

  // Whether the combination subtracts this surface's primitive.
  bool Subtracted(int surface) const {
    for (const CellReference& reference : references_)
      if (reference.surface == surface && reference.sense > 0 && reference.kind != ReferenceKind::WholeStandard &&
          Surface(surface).kind != SurfaceKind::Plane)
        return true;
    return false;
  }

  // Where a subtracted primitive must reach: everywhere the cell's other
  // bounds hold but those of the other subtracted primitives, which take
  // nothing out where they overlap this one. The world closes it.
  HalfSpaceList SubtractionRegion(int own) const {
    HalfSpaceList region;
    for (int k = 0; k < test_.Count(); ++k) {
      const int surface = test_.surfaces[static_cast<std::size_t>(k)];
      const int sense = test_.senses[static_cast<std::size_t>(k)];
      if (surface != own && sense > 0 && Subtracted(surface)) continue;
      region.Append(surface, sense);
    }
    for (int face = 0; face < kWorldFaces; ++face)
      if (region.Find(scene_.Face(face)) < 0) region.Append(scene_.Face(face), -1);
    return region;
  }

  // Pulls a cap towards the part of the cell's region its primitive must
  // hold; true when it moved.
  bool PullCap(int cap, const Vec3& point, const Vec3& normal, double travel, const CellReference& reference) {
    SurfaceRecord& plane = MutableSurface(cap);
    plane.point = point;
    plane.direction = normal;
    plane.planeConstant = -Dot(normal, point);
    if (reference.sense < 0) return ClipPlane(scene_.clip, test_, {cap, travel, scene_.set.nIterations, true, -1}) > 0;
    HalfSpaceList region = SubtractionRegion(reference.surface);
    return ClipPlane(scene_.clip, region, {cap, travel, scene_.set.nIterations, true, reference.surface}) > 0;
  }

  void WriteTruncatedPrimitives(const CellRecord&) {
    for (std::size_t k = 0; k < references_.size(); ++k) {
      const CellReference& reference = references_[k];
      if (reference.kind == ReferenceKind::WholeStandard) continue;
      const SurfaceRecord surface = Surface(reference.surface);
      if (surface.kind == SurfaceKind::Sphere && surface.facetNumber <= 0) {
        // A copied sphere has no primitive of its own elsewhere.
        const std::string name = Name(k);
        const Vec3 c = scene_.Scaled(surface.point);
        scene_.Append("in %s sph   %.15g %.15g %.15g   %.15g\n", name.c_str(), c.x, c.y, c.z,
                      scene_.scale * surface.radius);
        continue;
      }
      if (surface.kind != SurfaceKind::Cylinder && surface.kind != SurfaceKind::Cone) continue;
      const bool cylinder = surface.kind == SurfaceKind::Cylinder;
      double length = scene_.Extended((cylinder ? 4 : 2) * scene_.worldSize, surface.point);
      Vec3 base = cylinder ? surface.point - (length / 2) * surface.direction : surface.point;
      Vec3 top = base + length * surface.direction;
      if (Clipping() && !contact_.empty) {
        const bool baseMoved = PullCap(scene_.baseCap, base, -surface.direction, length, reference);
        const bool topMoved = PullCap(scene_.topCap, top, surface.direction, length, reference);
        if (baseMoved || topMoved) {
          clipped_[k] = true;
          base = Surface(scene_.baseCap).point;
          top = Surface(scene_.topCap).point;
          length = Norm(top - base);
        }
      }
      if (!clipped_[k] && surface.facetNumber > 0) continue;
      const std::string name = Name(k);
      if (cylinder) {
        WriteTruncatedPrimitive(scene_, name.c_str(), surface.kind, base, length * surface.direction, surface.radius,
                                surface.radius);
      } else {
        WriteConePiece(scene_, name.c_str(), surface.point, surface.direction, surface.tanHalfAngle,
                       Dot(base - surface.point, surface.direction), Dot(top - surface.point, surface.direction));
      }
    }
  }

  void WriteTransformedMacrobodies(const CellRecord& cell) {
    if (cell.copyRoot < 0) return;
    int previous = -1;
    for (const CellReference& reference : references_) {
      if (reference.kind != ReferenceKind::WholeStandard) {
        previous = -1;
        continue;
      }
      if (reference.macrobody == previous) continue;
      previous = reference.macrobody;
      const input::MacrobodyRecord& macrobody = scene_.model.macrobodies[static_cast<std::size_t>(reference.macrobody)];
      const std::string name = platform::FormatText("S%dC%d", macrobody.id, cell.id);
      WriteMacrobodyPrimitive(scene_, name.c_str(), macrobody,
                              &scene_.model.cellTransforms[static_cast<std::size_t>(cellIndex_)]);
    }
  }

  // Pulls the clippable world faces among `faces` towards `region`; true
  // when any moved.
  bool PullFaces(const std::vector<int>& faces, HalfSpaceList& region) {
    bool moved = false;
    for (int face : faces) {
      if (!contact_.clippable[static_cast<std::size_t>(face)]) continue;
      ClipRequest request{scene_.faceCopies[static_cast<std::size_t>(face)], scene_.worldSize, scene_.set.nIterations,
                          true, -1};
      moved = ClipPlane(scene_.clip, region, request) > 0 || moved;
    }
    return moved;
  }

  // Writes the base solid and "comb C<id> u ..."; returns the position of
  // the reference that starts the combination, or -1.
  int WriteBase(const CellRecord& cell) {
    scene_.ResetFaceCopies();
    bool planeReference = false;
    for (const CellReference& reference : references_)
      planeReference = planeReference || IsPlaneReference(scene_.model, reference);
    if (contact_.cut || planeReference) {
      WriteArbnBase(cell, planeReference);
      return -1;
    }
    if (contact_.touches) {
      const std::vector<int> allFaces{0, 1, 2, 3, 4, 5};
      if (Clipping() && PullFaces(allFaces, test_)) {
        auto at = [&](int face) { return scene_.scale * Surface(scene_.faceCopies[static_cast<std::size_t>(face)]).point; };
        scene_.Append("in World%d rpp   %.15g %.15g %.15g %.15g %.15g %.15g\n", cell.id, at(1).x, at(0).x, at(3).y,
                      at(2).y, at(5).z, at(4).z);
        scene_.Append("comb C%d u World%d", cell.id, cell.id);
      } else {
        scene_.Append("comb C%d u World", cell.id);
      }
      return -1;
    }
    for (std::size_t k = 0; k < references_.size(); ++k) {
      const CellReference& reference = references_[k];
      const bool ownInside = reference.kind != ReferenceKind::ExplicitFacet &&
                             reference.kind != ReferenceKind::WholeStandard && reference.sense < 0;
      if (!ownInside && reference.kind != ReferenceKind::WholeStandard) continue;
      scene_.Append("comb C%d u", cell.id);
      WriteElement(cell, k, true);
      return static_cast<int>(k);
    }
    // Not reached for a bounded cell; the world keeps the combination valid.
    scene_.Append("comb C%d u World", cell.id);
    return -1;
  }

  void WriteArbnBase(const CellRecord& cell, bool planeReference) {
    HalfSpaceList planes;
    for (int k = 0; k < scene_.worldList.Count(); ++k) {
      const int surface = scene_.worldList.surfaces[static_cast<std::size_t>(k)];
      if (surface == scene_.Cutaway() && !contact_.cut) continue;
      planes.Append(surface, -1);
    }
    for (const CellReference& reference : references_)
      if (IsPlaneReference(scene_.model, reference)) planes.Append(reference.surface, reference.sense);

    // Planes that enclose nothing make an arbn MGED cannot prepare; a cell
    // of no volume within the world is written empty instead.
    if (contact_.empty && !RegionTest(scene_.clip, planes)) {
      scene_.Append("comb C%d u World - World", cell.id);
      return;
    }
    if (contact_.empty || planeReference) Prune(planes);
    if (planes.Count() > 0 && Clipping()) {
      std::vector<int> faces;
      for (int surface : planes.surfaces)
        if (scene_.IsWorldFace(surface)) faces.push_back(surface - scene_.firstBoundingPlane);
      PullFaces(faces, contact_.empty ? planes : test_);
    }
    const bool omitCutaway = planes.Find(scene_.Cutaway()) >= 0 && !CutawayCutsFaces(planes);
    HalfSpaceList written;
    for (int k = 0; k < planes.Count(); ++k) {
      int surface = planes.surfaces[static_cast<std::size_t>(k)];
      if (omitCutaway && surface == scene_.Cutaway()) continue;
      if (Clipping() && scene_.IsWorldFace(surface))
        surface = scene_.faceCopies[static_cast<std::size_t>(surface - scene_.firstBoundingPlane)];
      written.Append(surface, planes.senses[static_cast<std::size_t>(k)]);
    }
    if (written.Count() == 0) {
      scene_.Append("comb C%d u World", cell.id);
      return;
    }
    // Nor when the planes as they are written enclose nothing.
    if (!FindArbnCorners(ArbnPlanes(written), kMgedDistanceTolerance / 10).any) {
      scene_.Append("comb C%d u World - World", cell.id);
      return;
    }
    if (Clipping()) KeepDrawable(written);
    else DropCornerless(written);
    scene_.Append("in ARBN%d arbn %d", cell.id, written.Count());
    for (int k = 0; k < written.Count(); ++k)
      AppendArbnPlane(scene_, Surface(written.surfaces[static_cast<std::size_t>(k)]),
                      written.senses[static_cast<std::size_t>(k)]);
    scene_.Append("\ncomb C%d u ARBN%d", cell.id, cell.id);
  }

  std::vector<ArbnPlane> ArbnPlanes(const HalfSpaceList& planes) const {
    std::vector<ArbnPlane> arbn;
    for (int k = 0; k < planes.Count(); ++k) {
      const SurfaceRecord& plane = Surface(planes.surfaces[static_cast<std::size_t>(k)]);
      const double outward = planes.senses[static_cast<std::size_t>(k)] < 0 ? 1 : -1;
      arbn.push_back({outward * plane.direction, -outward * scene_.scale * plane.planeConstant});
    }
    return arbn;
  }

  // A plane that makes no corner of the arbn (a world face pulled in no
  // further than a corner of the cell's planes, or pushed back out) makes
  // MGED drop the whole solid; it bounds nothing and goes.
  void DropCornerless(HalfSpaceList& written) const {
    const ArbnCorners corners = FindArbnCorners(ArbnPlanes(written), kMgedDistanceTolerance / 10);
    for (auto it = corners.cornerless.rbegin(); it != corners.cornerless.rend(); ++it)
      written.RemoveAt(static_cast<int>(*it));
  }

  // World faces pulled so close to the cell that two corners of the arbn
  // nearly meet make MGED call it non-convex: such faces go back out, a
  // little further each time, and at last to the world's faces.
  void KeepDrawable(HalfSpaceList& written) {
    constexpr int kBackOffs = 5;
    double margin = 20 * kMgedDistanceTolerance / scene_.scale;
    for (int attempt = 0; attempt <= kBackOffs; ++attempt, margin *= 4) {
      DropCornerless(written);
      if (ArbnEdgesDrawable(ArbnPlanes(written), kMgedDistanceTolerance, kArbnSlack)) return;
      for (int face = 0; face < kWorldFaces; ++face) {
        SurfaceRecord& copy = MutableSurface(scene_.faceCopies[static_cast<std::size_t>(face)]);
        const SurfaceRecord& original = Surface(scene_.Face(face));
        const double gap = Dot(original.direction, original.point - copy.point);
        const double back = attempt == kBackOffs ? gap : std::min(gap, margin);
        if (back <= 0) continue;
        copy.point = copy.point + back * copy.direction;
        copy.planeConstant = -Dot(copy.direction, copy.point);
      }
    }
    DropCornerless(written);
  }

  void Prune(HalfSpaceList& planes) {
    std::vector<int> candidates;
    for (int k = 0; k < planes.Count(); ++k) candidates.push_back(k);
    const std::vector<int> removable = PlanesNotCutting(scene_.clip, planes, candidates);
    for (auto it = removable.rbegin(); it != removable.rend(); ++it) {
      const int surface = planes.surfaces[static_cast<std::size_t>(*it)];
      if (scene_.IsWorldFace(surface))
        contact_.clippable[static_cast<std::size_t>(surface - scene_.firstBoundingPlane)] = true;
      planes.RemoveAt(*it);
    }
  }

  // Whether the cut-away plane removes anything from the box of the list's
  // (possibly pulled-in) world faces.
  bool CutawayCutsFaces(const HalfSpaceList& planes) {
    HalfSpaceList box;
    box.Append(scene_.Cutaway(), 1);
    for (int surface : planes.surfaces) {
      if (!scene_.IsWorldFace(surface)) continue;
      box.Append(Clipping() ? scene_.faceCopies[static_cast<std::size_t>(surface - scene_.firstBoundingPlane)] : surface,
                 -1);
    }
    return RegionTest(scene_.clip, box);
  }

  void WriteElement(const CellRecord& cell, std::size_t position, bool starting) {
    const CellReference& reference = references_[position];
    if (reference.kind == ReferenceKind::WholeStandard) {
      const int id = scene_.model.macrobodies[static_cast<std::size_t>(reference.macrobody)].id;
      if (std::find(macrobodiesWritten_.begin(), macrobodiesWritten_.end(), reference.macrobody) !=
          macrobodiesWritten_.end())
        return;
      macrobodiesWritten_.push_back(reference.macrobody);
      scene_.Append(starting ? " S%d" : " + S%d", id);
      if (cell.copyRoot >= 0) scene_.Append("C%d", cell.id);
      return;
    }
    if (IsPlaneReference(scene_.model, reference)) return;
    if (!starting) scene_.text += reference.sense < 0 ? " +" : " -";
    scene_.text += ' ';
    scene_.text += Name(position);
  }

  void WriteElements(const CellRecord& cell, int start) {
    for (std::size_t k = 0; k < references_.size(); ++k)
      if (static_cast<int>(k) != start) WriteElement(cell, k, false);
    macrobodiesWritten_.clear();
  }

  // A complemented cell takes every cell inside it along (they were
  // subtracted from it, so subtracting it alone would bring them back).
  void WriteComplements(const CellRecord& cell) {
    ++stamp_;
    std::vector<int> pending(cell.complementCells.rbegin(), cell.complementCells.rend());
    while (!pending.empty()) {
      const int index = pending.back();
      pending.pop_back();
      if (index < 0 || index >= static_cast<int>(subtracted_.size())) continue;
      if (subtracted_[static_cast<std::size_t>(index)] == stamp_) continue;
      subtracted_[static_cast<std::size_t>(index)] = stamp_;
      const CellRecord& inner = scene_.model.cells[static_cast<std::size_t>(index)];
      scene_.Append(" - C%d", inner.id);
      pending.insert(pending.end(), inner.complementCells.rbegin(), inner.complementCells.rend());
    }
  }

  ScriptScene& scene_;
  int cellIndex_ = 0;
  std::vector<CellReference> references_;
  std::vector<bool> clipped_;
  std::vector<int> copies_;
  std::vector<int> macrobodiesWritten_;
  HalfSpaceList test_;
  WorldContact contact_;
  std::vector<int> subtracted_;
  int stamp_ = 0;
};

}  // namespace

void WriteCells(ScriptScene& scene) {
  CellWriter writer(scene);
  for (int index = 0; index < static_cast<int>(scene.model.cells.size()); ++index) writer.Write(index);
}

}  // namespace tessarin::render
