#include <cmath>
#include <limits>

#include "engine/array_algorithms.h"
#include "engine/machine.h"
#include "engine/references.h"

// Array elements, references to array parts, and the array built-ins. Every
// index, count and size is checked against the referenced storage: nothing
// is read or written outside it.

namespace tessarin::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// n + 0.5 truncated when at least 1 and not above `run`; else `run`.
std::int64_t CountOrRun(double n, std::int64_t run) {
  double t = std::trunc(n + 0.5);
  return t >= 1 && t <= static_cast<double>(run) ? static_cast<std::int64_t>(t) : run;
}

bool Floating(ElementType type) { return type == ElementType::kDouble || type == ElementType::kFloat; }

}  // namespace

void Machine::RecordArrayError(std::string_view name, Msg detail, int programSlot, int pc) {
  std::string quoted = QuotedName(name);
  std::string head = depth_ == 0 ? Format(Msg::kRuntimeArrayReported, quoted)
                                 : Format(Msg::kRuntimeArrayCalled, tables_.slots[programSlot]->record.name, quoted);
  RecordError(head + " " + std::string(MessageText(detail)), programSlot, pc);
}

bool Machine::ResolveElement(const ElementAccess& access, const double* slots, int programSlot, int pc,
                             ElementPlace& place) {
  const ArrayTable& arrays = tables_.arrays;
  int arrayIndex = access.array;
  std::int64_t offset = 0;
  int firstDimension = 0;
  std::string_view name;
  if (access.formal >= 0) {
    name = tables_.slots[programSlot]->record.formalNames[access.formal];
    std::optional<ArrayReference> reference = DecodeArrayReference(slots[access.formal]);
    if (!reference || reference->array >= arrays.size()) {
      RecordArrayError(name, Msg::kArrayNotAllocated, programSlot, pc);
      return false;
    }
    arrayIndex = reference->array;
    offset = reference->offset;
    // The formal's indices address the array's last dimensions.
    firstDimension = arrays.at(arrayIndex).dimensions - access.formalDimensions;
  } else {
    name = arrays.at(arrayIndex).name;
  }
  const ArrayRecord& array = arrays.at(arrayIndex);
  if (!array.storage) {
    RecordArrayError(name, Msg::kArrayNotAllocated, programSlot, pc);
    return false;
  }
  bool inside = firstDimension >= 0;
  for (std::size_t k = 0; inside && k < access.indices.size(); ++k) {
    int dimension = firstDimension + static_cast<int>(k);
    std::int64_t position = IndexPosition(slots[access.indices[k]], arrays.indexBase);
    inside = dimension < array.dimensions && position >= 0 && position < array.lengths[dimension];
    if (inside) offset += position * array.strides[dimension];
  }
  if (!inside || offset >= array.count) {
    RecordArrayError(name, Msg::kIndexOutOfBounds, programSlot, pc);
    return false;
  }
  place.where = array.Element(offset);
  place.type = array.type;
  return true;
}

std::optional<double> Machine::ReferToPart(const ElementAccess& access, const double* slots, int programSlot,
                                           int pc) {
  ArrayReference reference;
  if (access.indices.empty() && access.formal < 0) {
    reference.array = access.array;
    return EncodeArrayReference(reference);
  }
  // The part starts at the element that the given indices (and zeros for
  // the rest) name.
  ElementPlace place;
  if (!ResolveElement(access, slots, programSlot, pc, place)) return std::nullopt;
  if (access.formal >= 0) {
    ArrayReference passed = *DecodeArrayReference(slots[access.formal]);
    reference.array = passed.array;
    reference.fixed = tables_.arrays.at(passed.array).dimensions - access.formalDimensions +
                      static_cast<int>(access.indices.size());
  } else {
    reference.array = access.array;
    reference.fixed = static_cast<int>(access.indices.size());
  }
  const ArrayRecord& array = tables_.arrays.at(reference.array);
  reference.offset = (place.where - array.storage.get()) / ElementSize(array.type);
  return EncodeArrayReference(reference);
}

std::optional<Machine::ReferencedBytes> Machine::ResolveBytes(double value) {
  if (std::optional<ArrayReference> reference = DecodeArrayReference(value)) {
    if (reference->array >= tables_.arrays.size()) return std::nullopt;
    const ArrayRecord& array = tables_.arrays.at(reference->array);
    if (!array.storage || reference->offset >= array.count) return std::nullopt;
    return ReferencedBytes{array.Element(reference->offset),
                           static_cast<std::size_t>(array.RunLength(reference->offset) * ElementSize(array.type))};
  }
  double* variable = ResolveVariable(value);
  if (!variable) return std::nullopt;
  return ReferencedBytes{reinterpret_cast<unsigned char*>(variable), sizeof(double)};
}

std::optional<double> Machine::Indirect(double value) {
  if (std::optional<ArrayReference> reference = DecodeArrayReference(value)) {
    std::optional<ReferencedBytes> bytes = ResolveBytes(value);
    if (!bytes) return std::nullopt;
    return LoadElement(tables_.arrays.at(reference->array).type, bytes->data);
  }
  double* variable = ResolveVariable(value);
  if (!variable) return std::nullopt;
  return *variable;
}

double Machine::RunArrayBuiltin(int builtin, const double* s, const std::int32_t* arguments, int programSlot, int pc,
                                bool& blockEnds) {
  auto fail = [&](Msg detail) {
    RecordBuiltinError(builtin, MessageText(detail), programSlot, pc);
    blockEnds = true;
    return kNaN;
  };
  auto failText = [&](const std::string& detail) {
    RecordBuiltinError(builtin, detail, programSlot, pc);
    blockEnds = true;
    return kNaN;
  };
  // The run of array argument i, or none (with the error recorded).
  auto run = [&](int i, ArrayRun& part) {
    std::optional<ArrayReference> reference = DecodeArrayReference(s[arguments[i]]);
    if (!reference || reference->array >= tables_.arrays.size()) {
      fail(Msg::kNotArrayAddress);
      return false;
    }
    ArrayRecord& array = tables_.arrays.at(reference->array);
    if (!array.storage || reference->offset >= array.count) {
      fail(Msg::kArrayNotAllocated);
      return false;
    }
    part = ArrayRun{&array, reference->fixed, reference->offset, array.RunLength(reference->offset)};
    return true;
  };
  auto value = [&](int i) { return s[arguments[i]]; };
  const int base = tables_.arrays.indexBase;
  ArrayRun a, b, c;
  switch (builtin) {
    case builtin::kSize: return run(0, a) ? static_cast<double>(a.length) : kNaN;
    case builtin::kSize2: return run(0, a) ? static_cast<double>(PartDimensionLength(a, value(1), base)) : kNaN;
    case builtin::kFind:
    case builtin::kFind2: {
      if (!run(1, a)) return kNaN;
      if (!Floating(a.array->type)) return fail(Msg::kArrayNotFloating);
      bool find2 = builtin == builtin::kFind2;
      std::int64_t n = a.length;
      if (find2 && value(3) >= 0.5) n = std::min<std::int64_t>(n, static_cast<std::int64_t>(std::min(value(3) + 0.5, 9e18)));
      bool bisect = find2 ? value(4) >= 1.5 : n >= 40;
      return FindInterval(a, n, value(0), value(2), base, bisect, interrupt_);
    }
    case builtin::kHist:
    case builtin::kHist2: {
      if (!run(0, a) || !run(1, b) || !run(2, c)) return kNaN;
      if (!Floating(a.array->type)) return failText(Format(Msg::kArrayNumberNotFloating, 1));
      if (!Floating(b.array->type)) return failText(Format(Msg::kArrayNumberNotFloating, 2));
      if (c.array->type != ElementType::kDouble && c.array->type != ElementType::kInt) return fail(Msg::kCountsType);
      bool hist2 = builtin == builtin::kHist2;
      std::int64_t values = hist2 ? CountOrRun(value(3), a.length) : a.length;
      bool accumulate = hist2 && std::trunc(value(4) + 0.5) != 0;
      std::int64_t counted = 0;
      if (!Histogram(a, values, b, c, accumulate, counted, interrupt_)) return fail(Msg::kEdgesNotSorted);
      return static_cast<double>(counted);
    }
    case builtin::kReadArray:
    case builtin::kReadArray2: {
      if (!run(0, a)) return kNaN;
      if (!files_.HasInput()) return fail(Msg::kNoInputFile);
      std::int64_t count = builtin == builtin::kReadArray2 ? CountOrRun(value(1), a.length) : a.length;
      return static_cast<double>(ReadNumbers(files_, a, count, interrupt_));
    }
    case builtin::kSort:
      if (!run(0, a)) return kNaN;
      SortRun(a, interrupt_);
      return 0.0;
    case builtin::kSort2: {
      if (!run(0, a) || !run(1, b)) return kNaN;
      if (b.array->type != ElementType::kInt) return fail(Msg::kIndexArrayType);
      if (b.length < a.length) return fail(Msg::kIndexArrayShort);
      // Its work storage counts with the arrays.
      if (!tables_.arrays.Fits(SortWithIndexWorkBytes(a)) || !SortWithIndex(a, b, base, interrupt_))
        return fail(Msg::kNoWorkMemory);
      return 0.0;
    }
    default: {  // Invert
      if (!run(0, a)) return kNaN;
      if (a.array->type != ElementType::kDouble) return fail(Msg::kMatrixNotDouble);
      std::int64_t n = 0;
      if (!SquarePart(a, n)) return fail(Msg::kMatrixNotSquare);
      double determinant = 0;
      InversionStatus status = InvertInPlace(a, n, interrupt_, determinant);
      if (status == InversionStatus::kNoMemory) return fail(Msg::kNoWorkMemory);
      if (status == InversionStatus::kInterrupted) {
        stopped_ = true;
        return kNaN;
      }
      return determinant;
    }
  }
}

}  // namespace tessarin::engine
