#pragma once
// Every text the engine shows, kept in one catalogue keyed by number, and the
// printf-style formatting used to fill in names and numbers.

#include <string>
#include <string_view>

namespace tessarin::engine {

enum class Msg : int {
  // Lexer and expression compiler.
  kTwoAssignments = 1,
  kVariableNameMissing,
  kOperatorBeforeAssignment,
  kConstantBeforeAssignment,
  kIllegalBeforeAssignment,
  kMayNotBeAssigned,
  kBuiltinBeforeAssignment,
  kFunctionParameterBeforeAssignment,
  kProgramBeforeAssignment,
  kArrayUsedIncorrectly,
  kEmptyAfterAssignment,
  kIdentifierHasSeparators,
  kBeginsWithOperator,
  kBeginsWithParenthesis,
  kBeginsWithComma,
  kEndsWithOperator,
  kEndsWithComma,
  kMismatchedParentheses,
  kMismatchedBrackets,
  kMismatchedParenthesesOrBrackets,
  kConditionHasAssignment,
  kMissingOperands,
  kMissingArguments,
  kTooManyOperands,
  kUnknownFunction,
  kUnknownArray,
  kMissingLeftBracket,
  kUnknownIdentifier,
  kUnknownGluedIdentifier,
  kUnknownSeparator,
  kMisplacedSeparator,
  kIllegalSequence,
  kParenthesisBeforeNumber,
  kParenthesisBeforeFunction,
  kParenthesisBeforeArray,
  kParenthesisBeforeLeftParenthesis,
  kParenthesisBeforeName,
  kIncorrectParentheses,
  kIncorrectComma,
  kIncorrectParenthesesOrComma,
  kTooFewIndices,
  kTooManyIndices,
  kIncorrectSyntax,
  kIncorrectExclamation,
  kTooFewArguments,
  kTooManyArguments,
  kMissingLeftParenthesis,
  kWrongArgumentBuiltin,
  kWrongArgumentSubroutine,
  kWrongArgumentFunction,
  kBoundConstant,
  kBoundExpression,
  kBoundReadOnly,
  kBoundSystemVariable,
  kLocConstant,
  kLocExpression,
  kLocReadOnly,
  kLocSystemVariable,
  kLocFunctionNotClosed,
  kLocOfLoc,
  // Statements and control flow.
  kBracesInForHeader,
  kForSemicolons,
  kForParentheses,
  kForEmptyCondition,
  kForFollowedByBrace,
  kBraceAfterStatement,
  kForBodyNeedsBraces,
  kMismatchedBraces,
  kConditionEmpty,
  kIncorrectKeywords,
  kBraceNotLast,
  kHigherLevelBrace,
  kUnusedFormalParameter,
  kResultMayBeUndefined,
  kMaybeUsedBeforeSet,
  kProgramCodeEmpty,
  kNestingTooDeep,
  // Programs, subroutines, global parameters.
  kNameEmpty,
  kNameHasSeparators,
  kNameBeginsWithNumber,
  kNameIsBuiltin,
  kNameIsSystemVariable,
  kNameIsArray,
  kProgramNameCoincides,
  kTooManyGlobals,
  kNoGlobalsDefined,
  kErrorsInProgram,
  kDuplicateFormal,
  kFormalIsSubroutineName,
  kFormalCoincidesWithGlobals,
  kAddressSyntax,
  kDimensionSyntax,
  kTooManyDimensions,
  kMissingRightBracket,
  kArrayAddressMissingParenthesis,
  kFunctionFormalSyntax,
  kFunctionFormalNeedsLoc,
  kFunctionFormalArrayDimensions,
  kFunctionFormalBracket,
  kFunctionFormalTooManyArguments,
  kFormalListNotClosed,
  // Running and diagnostics.
  kRuntimeArrayReported,
  kRuntimeArrayCalled,
  kRuntimeBuiltinReported,
  kRuntimeBuiltinCalled,
  kCallDepth,
  kIntegrationNesting,
  kTooManySubintervals,
  kTooManyMoments,
  kNoWorkMemory,
  kIntegratorCode1,
  kIntegratorCode2,
  kIntegratorCode3,
  kIntegratorCode4,
  kIntegratorCode5,
  kIntegratorCode6,
  kFloatingPointException,
  kZeroStep,
  kRootCode2,
  kRootCode3,
  kRootCode4,
  kCommandsNotAllowed,
  kArrayFrame,
  kIndexBaseFirst,
  kIndexBaseValue,
  kIndexBaseRemainder,
  kArrayLineKeyword,
  kArrayFormat,
  kArrayDimensionValue,
  kArrayRightBracket,
  kArrayTooManyDimensions,
  kTooManyArrays,
  kArrayTooLarge,
  kArrayAllocation,
  kArrayEqualsBrace,
  kArrayTooManyInitializers,
  kArrayElementValue,
  kNoArrays,
  kMatrixNotDouble,
  kMatrixNotSquare,
  kNotArrayAddress,
  kNoInputFile,
  kArrayNotFloating,
  kArrayNumberNotFloating,
  kCountsType,
  kEdgesNotSorted,
  kIndexArrayType,
  kIndexArrayShort,
  kArrayPassesEnd,
  kInterrupted,
  kHeaderNoError,
  kHeaderWarning,
  kHeaderSyntaxError,
  kHeaderRuntimeError,
  kEscapePressed,
  kEscapeAndQ,
  kEscapeCancelled,
  kTimeNotice,
  kTimeLimitReached,
  kNotAReference,
  kIndexOutOfBounds,
  kArrayNotAllocated,
  kReadOnlyArray,
  kBlockFrame,
  kCopyPassesEnd,
  kTextAfterFormalList,
  kWriteOutsideFolder,
  kReadOutsideFolder,
  kWriteLimitReached,
  kArrayMemoryLimit,
  kWriteNeedsPermission,
  kTooManyFilesCreated,
  // Why a file needs the user's yes, in the runtime error and the question.
  kReasonOutsideFolder,
  kReasonReadOutsideFolder,
  kReasonProtectedFolder,
  kReasonDotName,
  kReasonNotProgramsOwn,
  kReasonExecutable,
  kReasonHardLinks,
};

class MessageCatalogue {
 public:
  // The text of an entry; an unknown number gives an empty text.
  static std::string_view Lookup(int number);
};

inline std::string_view MessageText(Msg id) { return MessageCatalogue::Lookup(static_cast<int>(id)); }

// These two are written out where they are used rather than catalogued.
inline constexpr std::string_view kMissingClosingQuote = "Error: Missing closing double quote";
inline constexpr std::string_view kTextFunctionTwice =
    "Error: Functions %s, %s, %s, %s, %s, %s, %s, %s, %s and %s cannot be specified more than once in a single "
    "statement.";

namespace detail {
std::string FormatRaw(const char* format, ...);
inline const char* FormatArgument(const std::string& text) { return text.c_str(); }
inline const char* FormatArgument(const char* text) { return text; }
inline int FormatArgument(int value) { return value; }
inline int FormatArgument(char value) { return value; }
inline double FormatArgument(double value) { return value; }
}  // namespace detail

// printf-style formatting into a std::string; the catalogue's texts are
// fixed, so the arguments always match their conversions.
template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
  std::string owned(format);
  return detail::FormatRaw(owned.c_str(), detail::FormatArgument(args)...);
}
template <typename... Args>
std::string Format(Msg id, const Args&... args) {
  return Format(MessageText(id), args...);
}

// Names are quoted with at most 50 characters.
std::string QuotedName(std::string_view name);

}  // namespace tessarin::engine
