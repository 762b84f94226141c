#include "tracks/vtk_export.h"

#include <charconv>
#include <ostream>
#include <string>

namespace tessarin::tracks {
namespace {

// Shortest exact decimal form, independent of the locale.
template <class Number>
void WriteValues(std::ostream& out, const std::vector<Number>& values) {
  char text[32];
  std::size_t column = 0;
  for (const Number value : values) {
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    (void)error;
    out.write(text, end - text);
    out.put(++column % 12 == 0 ? '\n' : ' ');
  }
}

template <class Number>
void WriteArray(std::ostream& out, const char* type, const char* name, int components,
                const std::vector<Number>& values) {
  out << "        <DataArray type=\"" << type << "\" Name=\"" << name << "\"";
  if (components > 1) out << " NumberOfComponents=\"" << components << "\"";
  out << " format=\"ascii\">\n";
  WriteValues(out, values);
  out << "\n        </DataArray>\n";
}

}  // namespace

void PolyDataExport::AddPoint(const TrackVertex& vertex) {
  coordinates_.insert(coordinates_.end(), {vertex.x, vertex.y, vertex.z});
  energies_.push_back(vertex.energy);
}

void PolyDataExport::Add(const TrackInput& track, const SelectedSegment& segment, int) {
  if (segments_) {
    if (segment.interpolatedStart) AddPoint(segment.start);
    for (int i = segment.first; i <= segment.last; ++i) AddPoint(track.vertices[static_cast<std::size_t>(i)]);
    if (segment.interpolatedEnd) AddPoint(segment.end);
  } else {
    for (const TrackVertex& vertex : track.vertices) AddPoint(vertex);
  }
  lineEnds_.push_back(static_cast<std::int64_t>(energies_.size()));
  types_.push_back(track.type);
  generations_.push_back(track.generation);
  histories_.push_back(track.history + 1);
  trackNumbers_.push_back(track.track + 1);
}

bool PolyDataExport::Write(std::ostream& out) const {
  std::vector<std::int64_t> connectivity(energies_.size());
  for (std::size_t i = 0; i < connectivity.size(); ++i) connectivity[i] = static_cast<std::int64_t>(i);
  out << "<?xml version=\"1.0\"?>\n"
         "<VTKFile type=\"PolyData\" version=\"1.0\" byte_order=\"LittleEndian\" header_type=\"UInt64\">\n"
         "  <PolyData>\n"
      << "    <Piece NumberOfPoints=\"" << energies_.size() << "\" NumberOfVerts=\"0\" NumberOfLines=\""
      << lineEnds_.size() << "\" NumberOfStrips=\"0\" NumberOfPolys=\"0\">\n"
      << "      <PointData Scalars=\"energy\">\n";
  WriteArray(out, "Float64", "energy", 1, energies_);
  out << "      </PointData>\n      <CellData Scalars=\"type\">\n";
  WriteArray(out, "Int32", "type", 1, types_);
  WriteArray(out, "Int32", "generation", 1, generations_);
  WriteArray(out, "Int32", "history", 1, histories_);
  WriteArray(out, "Int32", "track", 1, trackNumbers_);
  out << "      </CellData>\n      <Points>\n";
  WriteArray(out, "Float64", "Points", 3, coordinates_);
  out << "      </Points>\n      <Lines>\n";
  WriteArray(out, "Int64", "connectivity", 1, connectivity);
  WriteArray(out, "Int64", "offsets", 1, lineEnds_);
  out << "      </Lines>\n    </Piece>\n  </PolyData>\n</VTKFile>\n";
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace tessarin::tracks
