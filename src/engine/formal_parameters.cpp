#include "engine/formal_parameters.h"

#include "engine/builtins.h"
#include "engine/messages.h"
#include "engine/names.h"

namespace tessarin::engine {
namespace {

constexpr int kMaxDimensions = 20;
constexpr std::size_t kMaxMessage = 2000;

class FormalListParser {
 public:
  FormalListParser(EngineTables& tables, int slotIndex, std::string_view text)
      : tables_(tables), slotIndex_(slotIndex), record_(tables.slots[slotIndex]->record) {
    // Comments are blanked out so that positions and line numbers stay.
    bool inComment = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c == '\n') inComment = false;
      if (!inComment && c == '/' && i + 1 < text.size() && text[i + 1] == '/') inComment = true;
      text_ += (inComment || c == '\r') ? ' ' : c;
    }
  }

  FormalListResult Parse() {
    SkipSpace();
    if (Peek() != '(') return Error(Msg::kFormalListNotClosed);
    ++pos_;
    SkipSpace();
    if (Peek() == ')') return Finish();
    while (true) {
      if (!ParseEntry()) return result_;
      SkipSpace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      if (Peek() == ')') return Finish();
      return Error(Msg::kFormalListNotClosed);
    }
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void SkipSpace() {
    while (!AtEnd() && (IsBlank(text_[pos_]) || text_[pos_] == '\n')) ++pos_;
  }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }
  int Line() const {
    int line = 0;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
    return line;
  }
  FormalListResult Error(Msg id) { return ErrorText(std::string(MessageText(id))); }
  FormalListResult ErrorText(std::string message) {
    result_.ok = false;
    result_.message = std::move(message);
    result_.line = Line();
    return result_;
  }
  bool Fail(Msg id) {
    Error(id);
    return false;
  }
  bool FailText(std::string message) {
    ErrorText(std::move(message));
    return false;
  }
  std::string ReadName() {
    std::size_t start = pos_;
    while (!AtEnd() && !IsSeparator(text_[pos_]) && text_[pos_] != '\n') ++pos_;
    return std::string(TrimBlanks(std::string_view(text_).substr(start, pos_ - start)));
  }
  bool AtLoc() {
    std::size_t save = pos_;
    SkipSpace();
    if (text_.compare(pos_, 3, "loc") != 0 && !SameName(std::string_view(text_).substr(pos_, 3), "loc")) {
      pos_ = save;
      return false;
    }
    std::size_t after = pos_ + 3;
    while (after < text_.size() && IsBlank(text_[after])) ++after;
    if (after < text_.size() && text_[after] == '(') {
      pos_ = after + 1;
      return true;
    }
    pos_ = save;
    return false;
  }

  bool ParseEntry() {
    SkipSpace();
    entryLine_ = Line();
    if (!AtLoc()) return AddName(ReadName(), kFormalValue);
    SkipBlanks();
    std::string name = ReadName();
    if (name.empty()) return Fail(Msg::kAddressSyntax);
    SkipBlanks();
    char c = Peek();
    if (c == ')') {
      ++pos_;
      return AddName(name, kFormalVariable);
    }
    if (c == '[') {
      int dimensions = 0;
      if (!ParseDimensions(dimensions)) return false;
      if (dimensions > kMaxDimensions) return Fail(Msg::kTooManyDimensions);
      SkipBlanks();
      if (Peek() != ')') return Fail(Msg::kArrayAddressMissingParenthesis);
      ++pos_;
      return AddName(name, kFormalFirstArray + dimensions - 1);
    }
    if (c == '(') {
      ++pos_;
      std::vector<int> codes;
      if (!ParseFunctionArguments(codes)) return false;
      SkipBlanks();
      if (Peek() != ')') return Fail(Msg::kFunctionFormalSyntax);
      ++pos_;
      return AddName(name, FunctionFormalKind(codes));
    }
    if (AtEnd() || c == '\n') return Fail(Msg::kMismatchedParentheses);
    return Fail(Msg::kAddressSyntax);
  }

  // After '[': counts the dimensions up to ']'.
  bool ParseDimensions(int& dimensions) {
    ++pos_;
    dimensions = 1;
    while (true) {
      if (AtEnd() || Peek() == '\n') return Fail(Msg::kMissingRightBracket);
      char c = text_[pos_++];
      if (c == ']') return true;
      if (c == ',') {
        ++dimensions;
      } else if (!IsBlank(c)) {
        return Fail(Msg::kDimensionSyntax);
      }
    }
  }

  bool ParseFunctionArguments(std::vector<int>& codes) {
    SkipBlanks();
    if (Peek() == ')') {
      ++pos_;
      return true;
    }
    while (true) {
      if (codes.size() == 3) return Fail(Msg::kFunctionFormalTooManyArguments);
      SkipBlanks();
      if (AtLoc()) {
        SkipBlanks();
        if (ReadName().empty()) return Fail(Msg::kFunctionFormalSyntax);
        SkipBlanks();
        if (Peek() == '[') {
          int dimensions = 0;
          if (!ParseDimensions(dimensions)) return false;
          if (dimensions > 2) return Fail(Msg::kFunctionFormalArrayDimensions);
          if (Peek() != ')') return Fail(Msg::kFunctionFormalBracket);
          codes.push_back(1 + dimensions);
        } else {
          if (Peek() != ')') return Fail(Msg::kFunctionFormalSyntax);
          codes.push_back(1);
        }
        ++pos_;
      } else {
        if (ReadName().empty()) return Fail(Msg::kFunctionFormalSyntax);
        SkipBlanks();
        if (Peek() == '(') return Fail(Msg::kFunctionFormalNeedsLoc);
        codes.push_back(0);
      }
      SkipBlanks();
      char c = Peek();
      ++pos_;
      if (c == ')') return true;
      if (c == ',') continue;
      if (c == '\0' || c == '\n') return Fail(Msg::kMismatchedParentheses);
      return Fail(Msg::kFunctionFormalSyntax);
    }
  }

  bool AddName(const std::string& name, int kind) {
    const std::string label = "Parameter name";
    switch (CheckNameCharacters(name)) {
      case NameProblem::kEmpty: return FailText(Format(Msg::kNameEmpty, label));
      case NameProblem::kSeparators: return FailText(Format(Msg::kNameHasSeparators, label));
      case NameProblem::kBeginsWithDigit: return FailText(Format(Msg::kNameBeginsWithNumber, label));
      case NameProblem::kNone: break;
    }
    if (FindBuiltin(name)) return FailText(Format(Msg::kNameIsBuiltin, QuotedName(name)));
    if (FindSystemVariable(name) >= 0) return FailText(Format(Msg::kNameIsSystemVariable, QuotedName(name)));
    for (const std::string& earlier : record_.formalNames)
      if (SameName(earlier, name)) return FailText(Format(Msg::kDuplicateFormal, QuotedName(name)));
    if (SameName(name, record_.name)) return Fail(Msg::kFormalIsSubroutineName);
    std::string_view word;
    if (tables_.globals.Find(name) >= 0) {
      word = "global parameter";
    } else if (int program = tables_.FindProgram(name, slotIndex_ - 1); program >= 0) {
      word = tables_.slots[program]->record.kind == BlockKind::kSubroutine ? "subroutine" : "program";
    }
    if (!word.empty()) {
      if (collisionLine_ < 0) collisionLine_ = entryLine_;
      std::string entry = "\r\n" + std::string(word) + " \"" + name + "\"";
      if (collisions_.size() + entry.size() + 2 + MessageText(Msg::kFormalCoincidesWithGlobals).size() < kMaxMessage) {
        if (!collisions_.empty()) collisions_ += ", ";
        collisions_ += entry;
      }
    }
    record_.formalNames.push_back(name);
    record_.formalKinds.push_back(kind);
    return true;
  }

  FormalListResult Finish() {
    // The body begins on the next line; a statement after the list would be
    // lost without a word.
    ++pos_;
    SkipBlanks();
    if (!AtEnd() && Peek() != '\n') return Error(Msg::kTextAfterFormalList);
    --pos_;
    if (!collisions_.empty()) {
      result_.ok = false;
      result_.message = std::string(MessageText(Msg::kFormalCoincidesWithGlobals)) + collisions_ + ".\n";
      result_.line = collisionLine_;
      return result_;
    }
    result_.ok = true;
    result_.linesTaken = Line() + 1;
    return result_;
  }

  EngineTables& tables_;
  int slotIndex_;
  ProgramRecord& record_;
  std::string text_;
  std::size_t pos_ = 0;
  int entryLine_ = 0;
  int collisionLine_ = -1;
  std::string collisions_;
  FormalListResult result_;
};

}  // namespace

FormalListResult CompileFormalList(EngineTables& tables, int slotIndex, std::string_view blockText) {
  tables.slots[slotIndex]->record.formalNames.clear();
  tables.slots[slotIndex]->record.formalKinds.clear();
  return FormalListParser(tables, slotIndex, blockText).Parse();
}

}  // namespace tessarin::engine
