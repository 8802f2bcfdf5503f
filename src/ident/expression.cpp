// The expression checker: decides whether a formula typed by a user is well formed.
//
// A formula is made of variable names of one to three letters, unsigned decimal numbers,
// parentheses, seven infix signs (+ * / < > & |) and two prefix signs (- !), which may also
// stand between operands. The checker runs a fixed series of local tests, each a linear walk
// that looks at most one character before and after the one at hand; the first test that
// fails decides the code and the message. It builds no tree and evaluates nothing, so it
// accepts every formula that passes the local tests ('a(b)' and '(a+)' among them).
//
// Blanks (0x20) take no part in any test. The walks step over them instead of removing them
// from a fixed-size copy, so a formula of any length is checked whole, and the caller's text
// is never changed.
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "frame/internal/byte_classes.h"

namespace {

// What a character of a formula is to the tests.
enum class Symbol : unsigned char {
  kInvalid,
  kEnd,  // the terminator: the neighbour before the first and after the last character
  kBlank,
  kLetter,
  kDigit,
  kInfixSign,
  kPrefixSign,
  kDecimalPoint,
  kOpening,
  kClosing,
  kUnderscore,
};

// The accepted characters. Every byte not listed (tab, '=', ',', brackets, quotation marks,
// every byte of 0x80 and above, ...) is an invalid character.
constexpr corvix::ByteClassRow<Symbol> kSymbolRows[] = {
    {Symbol::kLetter, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"},
    {Symbol::kDigit, "0123456789"},
    {Symbol::kInfixSign, "+*/<>&|"},
    {Symbol::kPrefixSign, "-!"},
    {Symbol::kDecimalPoint, "."},
    {Symbol::kOpening, "("},
    {Symbol::kClosing, ")"},
    {Symbol::kUnderscore, "_"},
    {Symbol::kBlank, " "},
};

// The terminator cannot be listed in a row; it is set on its own.
constexpr corvix::ByteClassTable<Symbol> MakeSymbolTable() {
  corvix::ByteClassTable<Symbol> table = corvix::MakeByteClassTable(kSymbolRows, Symbol::kInvalid);
  table.ofByte[0] = Symbol::kEnd;
  return table;
}

constexpr corvix::ByteClassTable<Symbol> kSymbols = MakeSymbolTable();

Symbol SymbolOf(char unit) {
  return kSymbols[unit];
}

// A variable has at most this many letters; one more is reported with this limit + 1.
constexpr std::size_t kLongestVariable = 3;
constexpr int kVariableLetterLimit = static_cast<int>(kLongestVariable) + 1;

// The verdicts. Their numbers are not in the order in which the tests run.
constexpr long kValid = 1;
constexpr long kClosingWithoutOpening = -20;
constexpr long kLeftOpen = -21;
constexpr long kDigitThenLetter = -22;
constexpr long kAdjacentSigns = -23;
constexpr long kMisplacedPoint = -24;
constexpr long kStartsWithInfixSign = -25;
constexpr long kUndefinedVariable = -26;
constexpr long kEndsWithSign = -27;
constexpr long kLetterThenDigit = -28;
constexpr long kInvalidCharacter = -29;
constexpr long kVariableTooLong = -30;

struct VerdictMessage {
  long verdict;
  const char* text;
  bool namesLetterLimit;  // the text is a format that takes kVariableLetterLimit
};

// The messages hosts show, exactly as they have always read (blanks and spelling included).
constexpr VerdictMessage kMessages[] = {
    {kClosingWithoutOpening, "Closing parenthesis without opening parenthesis was found", false},
    {kLeftOpen, "Some parenthesis are still not closed", false},
    {kDigitThenLetter, "Numeric Value followed by Variable ", false},
    {kAdjacentSigns, "Two Adjacent sign detected.", false},
    {kMisplacedPoint, "Floating point could onlu be used in numeric values.", false},
    {kStartsWithInfixSign, "Regular Expression could not start whit this sign.", false},
    {kUndefinedVariable, "Undefined variable", false},
    {kEndsWithSign, "Right side should have a value.", false},
    {kLetterThenDigit, "Variable followed by Numeric Value ", false},
    {kInvalidCharacter, "Invalid Character detected.", false},
    {kVariableTooLong, "Variable Len should be less than %d characters.", true},
};

// Every message fits the caller's buffer with room to spare, so none is ever cut.
void WriteMessage(char* message, long verdict) {
  if (message == nullptr) return;
  for (const VerdictMessage& row : kMessages) {
    if (row.verdict != verdict) continue;
    if (row.namesLetterLimit) {
      std::snprintf(message, corvix::kMessageBytes, row.text, kVariableLetterLimit);
    } else {
      corvix::CopyTruncated(message, row.text, corvix::kMessageBytes);
    }
    return;
  }
}

const char* SkipBlanks(const char* text) {
  while (SymbolOf(*text) == Symbol::kBlank)
    ++text;
  return text;
}

// A character of the formula with its neighbours, blanks stepped over.
struct Step {
  Symbol before;
  Symbol current;
  Symbol after;
  char unit;
};

// Hands every character but the blanks, from the first to the last, to `test`; stops at and
// returns the first verdict that is not kValid.
template <class Test>
long WalkSteps(const char* text, Test&& test) {
  Symbol before = Symbol::kEnd;
  const char* at = SkipBlanks(text);
  while (*at != '\0') {
    const char* next = SkipBlanks(at + 1);
    const long verdict = test(Step{before, SymbolOf(*at), SymbolOf(*next), *at});
    if (verdict != kValid) return verdict;
    before = SymbolOf(*at);
    at = next;
  }
  return kValid;
}

bool IsSign(Symbol symbol) {
  return symbol == Symbol::kInfixSign || symbol == Symbol::kPrefixSign;
}

// The counter fails as soon as it would go below zero, so ')a(' is a closing parenthesis
// without an opening one, not a balanced text.
long CheckParentheses(const char* text, const char* /*variables*/) {
  std::size_t depth = 0;
  const long verdict = WalkSteps(text, [&depth](const Step& step) {
    if (step.current == Symbol::kOpening) ++depth;
    if (step.current == Symbol::kClosing) {
      if (depth == 0) return kClosingWithoutOpening;
      --depth;
    }
    return kValid;
  });
  if (verdict == kValid && depth > 0) return kLeftOpen;
  return verdict;
}

long CheckCharacters(const char* text, const char* /*variables*/) {
  return WalkSteps(text, [](const Step& step) {
    return step.current == Symbol::kInvalid ? kInvalidCharacter : kValid;
  });
}

// At one position the letter-then-digit test comes first, so 'a1b' is reported as -28.
long CheckLettersNextToDigits(const char* text, const char* /*variables*/) {
  return WalkSteps(text, [](const Step& step) {
    if (step.current == Symbol::kLetter && step.after == Symbol::kDigit) return kLetterThenDigit;
    if (step.current == Symbol::kDigit && step.after == Symbol::kLetter) return kDigitThenLetter;
    return kValid;
  });
}

// A prefix sign or a point may open the formula here; later tests judge the point.
long CheckFirstCharacter(const char* text, const char* /*variables*/) {
  return SymbolOf(*SkipBlanks(text)) == Symbol::kInfixSign ? kStartsWithInfixSign : kValid;
}

// A point at the end is left to the point test.
long CheckLastCharacter(const char* text, const char* /*variables*/) {
  return WalkSteps(text, [](const Step& step) {
    return step.after == Symbol::kEnd && IsSign(step.current) ? kEndsWithSign : kValid;
  });
}

long CheckVariableLength(const char* text, const char* /*variables*/) {
  std::size_t letters = 0;
  return WalkSteps(text, [&letters](const Step& step) {
    letters = step.current == Symbol::kLetter ? letters + 1 : 0;
    return letters > kLongestVariable ? kVariableTooLong : kValid;
  });
}

// An infix sign may be followed by a prefix sign ('a*-b'), a prefix sign by no sign at all
// ('a-+b' fails although 'a+-b' passes), and a point must stand between two digits.
long CheckSignsAndPoints(const char* text, const char* /*variables*/) {
  return WalkSteps(text, [](const Step& step) {
    if (step.current == Symbol::kInfixSign && step.after == Symbol::kInfixSign) {
      return kAdjacentSigns;
    }
    if (step.current == Symbol::kPrefixSign && IsSign(step.after)) return kAdjacentSigns;
    if (step.current == Symbol::kDecimalPoint &&
        (step.before != Symbol::kDigit || step.after != Symbol::kDigit)) {
      return kMisplacedPoint;
    }
    return kValid;
  });
}

// A name is defined when '#' + name + '#' occurs anywhere in the list ('#a#b#' defines a and
// b; '#abc#' does not define ab). Names are case-sensitive; a null list defines everything.
long CheckVariablesDefined(const char* text, const char* variables) {
  if (variables == nullptr) return kValid;
  char key[kLongestVariable + 3];  // '#', the letters, '#', terminator
  std::size_t letters = 0;
  return WalkSteps(text, [&](const Step& step) {
    if (step.current != Symbol::kLetter) return kValid;
    // The length test has already run, so a run never outgrows the key.
    if (letters < kLongestVariable) key[1 + letters++] = step.unit;
    if (step.after == Symbol::kLetter) return kValid;
    key[0] = '#';
    key[1 + letters] = '#';
    key[2 + letters] = '\0';
    letters = 0;
    return std::strstr(variables, key) == nullptr ? kUndefinedVariable : kValid;
  });
}

using ExpressionTest = long (*)(const char* text, const char* variables);

// The tests in the order in which they run; the first failure wins.
constexpr ExpressionTest kTestsInOrder[] = {
    CheckParentheses,          // -20, -21
    CheckCharacters,           // -29
    CheckLettersNextToDigits,  // -28, -22
    CheckFirstCharacter,       // -25
    CheckLastCharacter,        // -27
    CheckVariableLength,       // -30
    CheckSignsAndPoints,       // -23, -24
    CheckVariablesDefined,     // -26
};

}  // namespace

// Returns 1 for a formula that passes every test; otherwise the code of the first test that
// fails, with its message copied into `message` (512 bytes; not written when null). On
// success `message` keeps what it held. A null `expression` reads as empty (valid); a null
// `variables` list skips the lookup of variable names. Examples with the list '#a#b#':
// "(a + b)*2.5" -> 1, "a+c" -> -26, "a1" -> -28, "abcd" -> -30, "a+b)" -> -20.
long CMathOperation::VerifyRegExpString(char* expression, char* message, char* variables) {
  const char* text = expression != nullptr ? expression : "";
  for (ExpressionTest test : kTestsInOrder) {
    const long verdict = test(text, variables);
    if (verdict != kValid) {
      WriteMessage(message, verdict);
      return verdict;
    }
  }
  return kValid;
}
