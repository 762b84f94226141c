#include <cmath>
#include <cstdlib>

#include "engine/compiler.h"
#include "engine/messages.h"
#include "engine/names.h"

// The ARRAYS block: INDEX_BASE, the type keywords, the definitions with
// their dimensions and the initializer lists that may run over lines.

namespace tessarin::engine {
namespace {

constexpr double kMaxArrayBytes = 2147483647.0;
constexpr double kGigabyte = 1073741824.0;

bool EndOrBlank(std::string_view text, std::size_t at) { return at >= text.size() || IsBlank(text[at]); }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// Reads a decimal integer at `at` (digits only); false when there is none
// or it is too long to be one of the allowed values.
bool ReadDecimal(std::string_view text, std::size_t& at, std::int64_t& value) {
  std::size_t start = at;
  value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (at - start >= 12) return false;
    value = value * 10 + (text[at] - '0');
    ++at;
  }
  return at > start;
}

class ArraysBlock {
 public:
  ArraysBlock(const Compiler& compiler, ArrayTable& arrays) : compiler_(compiler), arrays_(arrays) {}

  // False with the message set when the line has an error.
  bool Line(std::string_view line) {
    if (std::size_t comment = line.find("//"); comment != std::string_view::npos) line = line.substr(0, comment);
    text_ = line;
    at_ = SkipBlanks(text_, 0);
    if (at_ >= text_.size()) return true;
    if (initializing_ >= 0) {
      if (!Initializers()) return false;
      if (initializing_ >= 0) return true;
      return AfterDefinition();
    }
    std::size_t wordEnd = at_;
    while (wordEnd < text_.size() && !IsBlank(text_[wordEnd])) ++wordEnd;
    std::string_view word = text_.substr(at_, wordEnd - at_);
    if (SameName(word, "INDEX_BASE")) return IndexBase(wordEnd);
    ElementType type;
    if (!ElementTypeFromKeyword(word, type) || wordEnd >= text_.size()) return Fail(Format(Msg::kArrayLineKeyword));
    type_ = type;
    at_ = wordEnd;
    return Definitions();
  }

  bool Finish() { return defined_ > 0 || Fail(Format(Msg::kNoArrays)); }
  const std::string& message() const { return message_; }

 private:
  bool Fail(std::string message) {
    message_ = std::move(message);
    return false;
  }

  bool IndexBase(std::size_t at) {
    if (defined_ > 0) return Fail(Format(Msg::kIndexBaseFirst));
    at = SkipBlanks(text_, at);
    std::int64_t value = 0;
    if (!ReadDecimal(text_, at, value) || !EndOrBlank(text_, at) || value > 1) return Fail(Format(Msg::kIndexBaseValue));
    if (SkipBlanks(text_, at) < text_.size()) return Fail(Format(Msg::kIndexBaseRemainder, static_cast<int>(value)));
    arrays_.indexBase = static_cast<int>(value);
    return true;
  }

  bool Definitions() {
    for (;;) {
      at_ = SkipBlanks(text_, at_);
      std::size_t bracket = text_.find('[', at_);
      if (bracket == std::string_view::npos) return Fail(Format(Msg::kArrayFormat));
      std::string name(text_.substr(at_, bracket - at_));
      if (name.find_first_of(" \t") != std::string::npos) return Fail(Format(Msg::kArrayFormat));
      IdentifierCheck check = compiler_.CheckIdentifier(name, IdentifierCheckKind::kArrayName, "Array name");
      if (!check.accepted) return Fail(Format(Msg::kArrayFrame, check.message));
      at_ = bracket + 1;
      if (!Define(name)) return false;
      at_ = SkipBlanks(text_, at_);
      if (at_ < text_.size() && text_[at_] == '=') {
        at_ = SkipBlanks(text_, at_ + 1);
        if (at_ >= text_.size() || text_[at_] != '{') return Fail(Format(Msg::kArrayEqualsBrace));
        ++at_;
        initializing_ = arrays_.size() - 1;
        filled_ = 0;
        if (!Initializers()) return false;
        if (initializing_ >= 0) return true;  // the list goes on on the next line
      }
      if (!AfterDefinition(true)) return false;
      if (at_ >= text_.size()) return true;
    }
  }

  // After a definition or its closing brace: a comma and the next one, or
  // the end of the line.
  bool AfterDefinition(bool inLoop = false) {
    at_ = SkipBlanks(text_, at_);
    if (at_ >= text_.size()) return true;
    if (text_[at_] != ',') return Fail(Format(Msg::kArrayFormat));
    ++at_;
    return inLoop || Definitions();
  }

  bool Define(const std::string& name) {
    auto array = std::make_unique<ArrayRecord>();
    array->name = name;
    array->type = type_;
    for (;;) {
      at_ = SkipBlanks(text_, at_);
      if (at_ >= text_.size()) return Fail(Format(Msg::kArrayRightBracket, QuotedName(name)));
      std::int64_t length = 0;
      if (!ReadDecimal(text_, at_, length) || length < 1 || length > kMaxDimensionLength ||
          !(at_ >= text_.size() || IsBlank(text_[at_]) || text_[at_] == ',' || text_[at_] == ']'))
        return Fail(Format(Msg::kArrayDimensionValue, QuotedName(name)));
      if (array->dimensions == kMaxArrayDimensions) return Fail(Format(Msg::kArrayTooManyDimensions, QuotedName(name)));
      array->lengths[array->dimensions++] = length;
      at_ = SkipBlanks(text_, at_);
      if (at_ >= text_.size()) return Fail(Format(Msg::kArrayRightBracket, QuotedName(name)));
      if (text_[at_] == ']') break;
      if (text_[at_] != ',') return Fail(Format(Msg::kArrayDimensionValue, QuotedName(name)));
      ++at_;
    }
    ++at_;
    if (arrays_.size() >= kMaxArrays) return Fail(Format(Msg::kTooManyArrays, kMaxArrays));
    double elements = 1;
    for (int d = array->dimensions - 1; d >= 0; --d) {
      array->strides[d] = static_cast<std::int64_t>(elements);
      elements *= static_cast<double>(array->lengths[d]);
    }
    double bytes = elements * ElementSize(array->type);
    if (bytes > kMaxArrayBytes)
      return Fail(Format(Msg::kArrayTooLarge, QuotedName(name), bytes / kGigabyte));
    if (!arrays_.Fits(static_cast<std::uint64_t>(bytes)))
      return Fail(Format(Msg::kArrayMemoryLimit, QuotedName(name),
                         (static_cast<double>(arrays_.bytes) + bytes) / kGigabyte,
                         static_cast<double>(arrays_.memoryLimit) / kGigabyte));
    array->count = static_cast<std::int64_t>(elements);
    array->storage.reset(static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(bytes), 1)));
    if (!array->storage) return Fail(Format(Msg::kArrayAllocation, QuotedName(name)));
    arrays_.Add(std::move(array));
    ++defined_;
    return true;
  }

  // Values up to the closing brace; initializing_ is -1 once it is found.
  bool Initializers() {
    ArrayRecord& array = arrays_.at(initializing_);
    for (;;) {
      while (at_ < text_.size() && (IsBlank(text_[at_]) || text_[at_] == ',')) ++at_;
      if (at_ >= text_.size()) return true;
      if (text_[at_] == '}') {
        ++at_;
        initializing_ = -1;
        return true;
      }
      std::string rest(text_.substr(at_));
      char* end = nullptr;
      double value = std::strtod(rest.c_str(), &end);
      std::size_t used = static_cast<std::size_t>(end - rest.c_str());
      bool decimal = IsDigit(rest[0]) || rest[0] == '.' || rest[0] == '+' || rest[0] == '-';
      char after = used < rest.size() ? rest[used] : ' ';
      if (used == 0 || !decimal || !(IsBlank(after) || after == ',' || after == '}'))
        return Fail(Format(Msg::kArrayElementValue, QuotedName(array.name)));
      if (filled_ >= array.count) return Fail(Format(Msg::kArrayTooManyInitializers, QuotedName(array.name)));
      StoreElement(array.type, array.Element(filled_++), value);
      at_ += used;
    }
  }

  const Compiler& compiler_;
  ArrayTable& arrays_;
  std::string_view text_;
  std::size_t at_ = 0;
  ElementType type_ = ElementType::kDouble;
  int defined_ = 0;
  int initializing_ = -1;  // the array whose initializer list is open
  std::int64_t filled_ = 0;
  std::string message_;
};

}  // namespace

int Compiler::DefineArrays(std::string_view blockText, std::string& message) {
  ArraysBlock block(*this, tables_.arrays);
  std::vector<std::string> lines = BlockLines(blockText);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!block.Line(lines[i])) {
      message = block.message();
      return static_cast<int>(i);
    }
  }
  if (!block.Finish()) {
    message = block.message();
    return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
  }
  return -1;
}

}  // namespace tessarin::engine
