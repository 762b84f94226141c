#include "engine/messages.h"

#include <cstdarg>
#include <unordered_map>

#include "platform/format_text.h"

namespace tessarin::engine {
namespace {

const std::unordered_map<int, std::string_view>& Catalogue() {
  static const std::unordered_map<int, std::string_view> texts = {
      {int(Msg::kTwoAssignments), "Error: two assignment operators found in a single statement."},
      {int(Msg::kVariableNameMissing), "Error: a variable name missing before the assignment operator."},
      {int(Msg::kOperatorBeforeAssignment), "Error: no arithmetic operators may be used before the assignment operator."},
      {int(Msg::kConstantBeforeAssignment), "Error: numerical constants cannot appear before the assignment operator."},
      {int(Msg::kIllegalBeforeAssignment), "Error: illegal character sequence before the assignment operator."},
      {int(Msg::kMayNotBeAssigned), "Error: the identifier \"%s\" may not appear on the left-hand side of an assignment statement."},
      {int(Msg::kBuiltinBeforeAssignment), "Error: the identifier \"%s\" of a built-in function cannot appear before the assignment operator."},
      {int(Msg::kFunctionParameterBeforeAssignment), "Error: \"%s\" is a function identifier (a formal parameter) and it cannot appear before the assignment operator."},
      {int(Msg::kProgramBeforeAssignment), "Error: the identifier \"%s\" of a program cannot appear before the assignment operator."},
      {int(Msg::kArrayUsedIncorrectly), "The identifier \"%s\" of an array is used incorrectly."},
      {int(Msg::kEmptyAfterAssignment), "Error: empty string after the assignment operator."},
      {int(Msg::kIdentifierHasSeparators), "Error: identifier \"%s\" contains separators or special symbols."},
      {int(Msg::kBeginsWithOperator), "Error: the expression begins with an arithmetic or logical operator symbol."},
      {int(Msg::kBeginsWithParenthesis), "Error: the expression begins with a parenthesis."},
      {int(Msg::kBeginsWithComma), "Error: the expression begins with the comma."},
      {int(Msg::kEndsWithOperator), "Error: the expression ends with an arithmetic or logical operator symbol."},
      {int(Msg::kEndsWithComma), "Error: the expression ends with the comma."},
      {int(Msg::kMismatchedParentheses), "Error: mismatched parentheses."},
      {int(Msg::kMismatchedBrackets), "Error: mismatched brackets."},
      {int(Msg::kMismatchedParenthesesOrBrackets), "Error: mismatched parentheses or brackets."},
      {int(Msg::kConditionHasAssignment), "Error: \"if\", \"while\" or \"for\" operator condition statement cannot contain the assignment operator."},
      {int(Msg::kMissingOperands), "Missing operands or function arguments."},
      {int(Msg::kMissingArguments), "Incorrect syntax or missing function arguments."},
      {int(Msg::kTooManyOperands), "Too many operands or function arguments."},
      {int(Msg::kUnknownFunction), "Unknown function \"%s\"."},
      {int(Msg::kUnknownArray), "Unknown array \"%s\"."},
      {int(Msg::kMissingLeftBracket), "Error: missing left bracket after the array name \"%s\"."},
      {int(Msg::kUnknownIdentifier), "Unknown identifier \"%s\"."},
      {int(Msg::kUnknownGluedIdentifier), "Unknown identifier \"%c%s\"."},
      {int(Msg::kUnknownSeparator), "Unknown separator '%c'."},
      {int(Msg::kMisplacedSeparator), "Error: misplaced separator '%c'."},
      {int(Msg::kIllegalSequence), "Error: an illegal sequence of two binary operators, or an operator and a separator, or two separators found."},
      {int(Msg::kParenthesisBeforeNumber), "Error: the right parenthesis precedes a numerical constant."},
      {int(Msg::kParenthesisBeforeFunction), "Error: the right parenthesis precedes a function name."},
      {int(Msg::kParenthesisBeforeArray), "Error: the right parenthesis precedes an array name."},
      {int(Msg::kParenthesisBeforeLeftParenthesis), "Error: the right parenthesis precedes the left parenthesis."},
      {int(Msg::kParenthesisBeforeName), "Error: the right parenthesis cannot be followed by \"%s\"."},
      {int(Msg::kIncorrectParentheses), "Incorrect usage of parentheses."},
      {int(Msg::kIncorrectComma), "Incorrect usage of the comma (the comma can only be used to separate function arguments or array indices)."},
      {int(Msg::kIncorrectParenthesesOrComma), "Incorrect usage of parentheses or of the comma."},
      {int(Msg::kTooFewIndices), "Error: a reference to array \"%s\" has too few indices."},
      {int(Msg::kTooManyIndices), "Error: a reference to array \"%s\" has too many indices."},
      {int(Msg::kIncorrectSyntax), "Incorrect syntax."},
      {int(Msg::kIncorrectExclamation), "Error: incorrect usage of the character '!'."},
      {int(Msg::kTooFewArguments), "Error: a call to function \"%s\" has too few arguments."},
      {int(Msg::kTooManyArguments), "Error: a call to function \"%s\" has too many arguments."},
      {int(Msg::kMissingLeftParenthesis), "Error: missing left parenthesis after the function name \"%s\"."},
      {int(Msg::kWrongArgumentBuiltin), "Error: wrong argument type (built-in function \"%s\", argument No. %d)."},
      {int(Msg::kWrongArgumentSubroutine), "Error: wrong argument type (subroutine \"%s\", argument No. %d)."},
      {int(Msg::kWrongArgumentFunction), "Error: wrong argument type (function \"%s\", argument No. %d)."},
      {int(Msg::kBoundConstant), "Error: a constant is used as argument No. %d of function \"%s\"."},
      {int(Msg::kBoundExpression), "Error: an expression is used as argument No. %d of function \"%s\"."},
      {int(Msg::kBoundReadOnly), "Error: a read-only variable is used as argument No. %d of function \"%s\"."},
      {int(Msg::kBoundSystemVariable), "Error: the system variable \"%s\" is used as argument No. %d of function \"%s\"."},
      {int(Msg::kLocConstant), "Error: a constant is used as an argument of function \"loc\"."},
      {int(Msg::kLocExpression), "Error: an expression is used as an argument of function \"loc\"."},
      {int(Msg::kLocReadOnly), "Error: the read-only variable \"%s\" is used as an argument of function \"loc\"."},
      {int(Msg::kLocSystemVariable), "Error: the system variable \"%s\" is used as an argument of function \"loc\"."},
      {int(Msg::kLocFunctionNotClosed), "Error: the first character after function name \"%s\", which is used as argument of \"loc\", is not the right parenthesis."},
      {int(Msg::kLocOfLoc), "Error: location of the built-in function \"loc\" cannot be used as an argument of another function."},
      {int(Msg::kBracesInForHeader), "Error: braces are not allowed inside the \"for\" loop header."},
      {int(Msg::kForSemicolons), "Incorrect format of the \"for\" loop header: the number of semicolons is not equal to 2."},
      {int(Msg::kForParentheses), "Incorrect format of the \"for\" loop header: mismatched parentheses."},
      {int(Msg::kForEmptyCondition), "Incorrect format of the \"for\" loop header: the condition statement is empty."},
      {int(Msg::kForFollowedByBrace), "The header of a \"for\" loop cannot be followed by the right brace."},
      {int(Msg::kBraceAfterStatement), "The left brace cannot be placed after a statement."},
      {int(Msg::kForBodyNeedsBraces), "If the first keyword inside the body of a \"for\" loop is \"if\", \"while\" or \"for\", then the entire body of the loop must be enclosed by braces."},
      {int(Msg::kMismatchedBraces), "Error: mismatched braces."},
      {int(Msg::kConditionEmpty), "Error: \"if\", \"while\" or \"for\" operator condition statement is empty."},
      {int(Msg::kIncorrectKeywords), "Error: incorrect usage of keywords \"while\", \"for\" or \"if\" and \"else\"."},
      {int(Msg::kBraceNotLast), "Error: each right brace must be the last character of a line."},
      {int(Msg::kHigherLevelBrace), "Error: the right brace belonging to a higher-level \"if\", \"while\" or \"for\" operator must be on the next line."},
      {int(Msg::kUnusedFormalParameter), "Warning: formal parameter \"%s\" is not used."},
      {int(Msg::kResultMayBeUndefined), "Warning: the result may be undefined (some \"if\", \"else\", \"while\" or \"for\" blocks are empty, or some \"else\" blocks are missing)."},
      {int(Msg::kMaybeUsedBeforeSet), "Warning: variable \"%s\" may be used before its value is set (see previous \"if\", \"while\" or \"for\" operators)."},
      {int(Msg::kProgramCodeEmpty), "Error: the program code is empty."},
      {int(Msg::kNameEmpty), "%s cannot be empty."},
      {int(Msg::kNameHasSeparators), "%s cannot contain separators or special symbols."},
      {int(Msg::kNameBeginsWithNumber), "%s cannot begin with a number."},
      {int(Msg::kNameIsBuiltin), "Error: the name \"%s\" is already used to identify a built-in function."},
      {int(Msg::kNameIsSystemVariable), "Error: the name \"%s\" is already used to identify a system variable."},
      {int(Msg::kNameIsArray), "Error: the name \"%s\" is already used to identify an array."},
      {int(Msg::kProgramNameCoincides), "Error: the program name \"%s\" coincides with the name of a previously-defined %s."},
      {int(Msg::kTooManyGlobals), "Error: the number of global parameters is greater than %d.\n"},
      {int(Msg::kNoGlobalsDefined), "Warning: the \"PARAMETERS\" code does not define any global parameters."},
      {int(Msg::kErrorsInProgram), "There are errors in program \"%s\"."},
      {int(Msg::kDuplicateFormal), "Error: duplicate name \"%s\" found in the list of formal parameters."},
      {int(Msg::kFormalIsSubroutineName), "Error: the name of a formal parameter coincides with the subroutine name."},
      {int(Msg::kFormalCoincidesWithGlobals), "Error: the formal parameter names coincide with the names of the following global objects:"},
      {int(Msg::kAddressSyntax), "Syntax error in specification of an address of a variable, array or function."},
      {int(Msg::kDimensionSyntax), "Syntax error in specification of the number of array dimensions: only commas, spaces and tabs are allowed between brackets '[' and ']'."},
      {int(Msg::kTooManyDimensions), "Error: number of array dimensions is greater than 20."},
      {int(Msg::kMissingRightBracket), "Syntax error in specification of the number of array dimensions: missing right bracket ']'."},
      {int(Msg::kArrayAddressMissingParenthesis), "Syntax error in specification of an address of an array: missing right parenthesis after the right bracket ']'."},
      {int(Msg::kFunctionFormalSyntax), "Syntax error in specification of a function in the list of formal parameters."},
      {int(Msg::kFunctionFormalNeedsLoc), "In specification of arguments of a function, which is a formal parameter of another function, each left parenthesis '(' must be preceded by the identifier \"loc\"."},
      {int(Msg::kFunctionFormalArrayDimensions), "Arrays that are arguments of a function, which is itself a formal parameter, can have only one or two dimensions."},
      {int(Msg::kFunctionFormalBracket), "The right bracket ']' used in specification of an array that is a formal parameter of a function must be followed by the right parenthesis ')'."},
      {int(Msg::kFunctionFormalTooManyArguments), "A function that is used as a formal parameter of another function cannot have more than 3 arguments."},
      {int(Msg::kFormalListNotClosed), "The right parenthesis indicating the end of the list of formal parameters is absent."},
      {int(Msg::kRuntimeArrayReported), "Runtime error when referencing array \"%s\""},
      {int(Msg::kRuntimeArrayCalled), "Runtime error in program \"%s\" referencing array \"%s\""},
      {int(Msg::kRuntimeBuiltinReported), "Runtime error when executing the built-in function \"%s\""},
      {int(Msg::kRuntimeBuiltinCalled), "Runtime error in subroutine \"%s\" when executing the built-in function \"%s\""},
      {int(Msg::kCallDepth), "Runtime error: subroutine call depth (nesting level) exceeds %d. Stack overflow is possible."},
      {int(Msg::kIntegrationNesting), "Runtime error: number of nested calls to built-in integration, summation or iteration functions exceeds %d."},
      {int(Msg::kTooManySubintervals), "(the specified maximum number of subintervals is too large)."},
      {int(Msg::kTooManyMoments), "(the specified maximum number of Chebyshev moments is too large)."},
      {int(Msg::kNoWorkMemory), "(insufficient memory for work arrays)."},
      {int(Msg::kIntegratorCode1), "(error code 1: maximum number of subdivisions has been achieved)."},
      {int(Msg::kIntegratorCode2), "(error code 2: the occurrence of roundoff error is detected)."},
      {int(Msg::kIntegratorCode3), "(error code 3: extremely bad integrand behavior)."},
      {int(Msg::kIntegratorCode4), "(error code 4: the algorithm does not converge)."},
      {int(Msg::kIntegratorCode5), "(error code 5: the integral is probably divergent)."},
      {int(Msg::kIntegratorCode6), "(error code 6: the input is invalid)."},
      {int(Msg::kFloatingPointException), "(floating-point exception)."},
      {int(Msg::kZeroStep), "(last argument is equal to zero)."},
      {int(Msg::kRootCode2), "(error code 2: |F(B)| exceeds the input values |F(B)|, |F(C)|. It is likely that B is close to a pole of f)."},
      {int(Msg::kRootCode3), "(error code 3: no odd order root was found in the interval)."},
      {int(Msg::kRootCode4), "(error code 4: number of function evaluations exceeds 500)."},
      {int(Msg::kCommandsNotAllowed), "(the command was not run: commands of the system shell are not allowed in this reading of the input file; tessarin-cli runs them with --allow-system)."},
      {int(Msg::kInterrupted), "Execution of the program was interrupted by the user, or an unspecified runtime error occurred."},
      {int(Msg::kHeaderNoError), "******** Line No. %d of %s \"%s\", where the error was detected:\n"},
      {int(Msg::kHeaderWarning), "Line No. %d of %s \"%s\" with the syntax warning:\n"},
      {int(Msg::kHeaderSyntaxError), "Line No. %d of %s \"%s\" with the syntax error:\n"},
      {int(Msg::kHeaderRuntimeError), "Line No. %d of %s \"%s\", where the runtime error occurred:\n"},
      {int(Msg::kEscapePressed), "\nThe escape key has been pressed. Press Q to attempt to interrupt execution of the user program, or any other key except 'Esc' to cancel the escape key.\n"},
      {int(Msg::kEscapeAndQ), "\nThe 'Esc' and 'Q' keys have been pressed. Interrupting execution of the user program.\n"},
      {int(Msg::kEscapeCancelled), "\nThe escape key has been cancelled. Press 'Esc' again to attempt to interrupt execution of the user program.\n"},
      {int(Msg::kTimeNotice), "\nExecution time of the user program exceeds %g seconds. Press the escape key and then 'Q' to attempt to interrupt execution of the user program.\n"},
      {int(Msg::kTimeLimitReached), "\nThe user program has run for more than the time limit of %g seconds. Interrupting execution of the user program.\n"},
      {int(Msg::kNotAvailableYet), "(this built-in function is not available yet)."},
      {int(Msg::kNotAReference), "(the argument is not a valid reference to a variable)."},
      {int(Msg::kIndexOutOfBounds), "(index is out of bounds)."},
      {int(Msg::kArrayNotAllocated), "(array is not allocated)."},
      {int(Msg::kReadOnlyArray), "(an attempt to modify a read-only array)."},
      {int(Msg::kBlockFrame), "\n******** %s ********\n"},
      {int(Msg::kArraysNotAvailableYet), "Error: \"ARRAYS\" blocks are not supported by this version of Tessarin yet."},
      {int(Msg::kCopyPassesEnd), "(the number of bytes to copy passes the end of a referenced variable)."},
      {int(Msg::kTextAfterFormalList), "Error: the remainder of the line after the list of formal parameters is not empty (the body of a subroutine begins on the next line)."},
  };
  return texts;
}

}  // namespace

std::string_view MessageCatalogue::Lookup(int number) {
  const auto& texts = Catalogue();
  auto found = texts.find(number);
  return found == texts.end() ? std::string_view() : found->second;
}

namespace detail {
std::string FormatRaw(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = platform::FormatTextV(format, args);
  va_end(args);
  return text;
}
}  // namespace detail

std::string QuotedName(std::string_view name) { return std::string(name.substr(0, 50)); }

}  // namespace tessarin::engine
