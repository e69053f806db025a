#pragma once
// The numbers of the formula calculator's messages: what the syntax check and the
// evaluation report, and where each is raised. The number itself is what the message text
// and pemu-calc show.
namespace pemu::formula {

enum class MessageNumber : int {
    kNone = 0,
    kFormulaTooLong = 1,  // more than kFormulaMax characters typed
    // Characters: parentheses, blanks, comments.
    kParenthesisNotClosed = 101,
    kNoExpression = 102,
    kTooLongAfterCharacters = 103,
    // Points and signs.
    kMisplacedPoint = 201,
    kTooLongCompletingFraction = 202,  // ".5" becomes "0.5"
    kTooLongCompletingInteger = 203,   // "5." becomes "5.0"
    kTooLongAfterPi = 301,
    // Roots.
    kNoNumberAfterRoot = 501,
    kMinusAfterRoot = 502,
    kOperatorAfterRoot = 503,
    kTooLongClosingRootNumber = 504,  // no message text
    kTooLongClosingRoot = 505,        // no message text
    // Exponent notation.
    kNotationTooLong = 601,
    kExpandedTooLong = 602,
    kExponentAtEdge = 621,
    kExponentWithoutMantissa = 622,
    kExponentWithoutDigits = 623,
    kExponentOutOfRange = 631,
    kExponentBeyondIntegerDigits = 632,
    // Token order.
    kNumberTooLong = 701,
    kNotAFunctionName = 702,
    kFunctionWithoutArgument = 703,
    kOperatorAfterBareArgument = 704,
    kNoExpressionBeforeClose = 705,
    kConsecutiveOperators = 706,
    kOperatorBeforeClose = 707,
    kLeadingOperator = 708,
    kOperatorAfterOpen = 709,
    kEmptyParentheses = 710,
    kLongUnknownName = 711,
    kTooLongWrappingArgument = 721,
    kTooLongWrappingSignedArgument = 722,
    // Evaluation.
    kTextTooLongInEvaluation = 801,
    kTextTooLong = 802,  // in the table; nothing raises it
    kOperandMissing = 811,
    kPowerTooLarge = 812,
    kZeroToTheZero = 813,
    kPowerBeyondInfinity = 814,  // in the table; nothing raises it
    kZeroBaseNegativeFraction = 815,
    kStackUnreadable = 816,
    kNegativeBaseFraction = 817,
    kRootOfNegative = 821,
    kArcSineArgument = 822,
    kArcCosineArgument = 823,
    kLogarithmOfNegative = 824,
    kLogarithmOfZero = 825,
    kValueTooLarge = 888,
    kFractionDigits = 982,  // in the table; nothing raises it
    kDivisionByZero = 999,
    kIntegerDigits = 2001,
};

constexpr int Number(MessageNumber number) {
    return static_cast<int>(number);
}

}  // namespace pemu::formula
