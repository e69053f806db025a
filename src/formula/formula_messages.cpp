// The message shown for each formula error code, as the window prints it.
#include <map>
#include <string>

#include "formula/formula_error.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {

namespace {

// UTF-8 here, CP932 once converted. Codes 504 and 505 have no text; 802, 814 and 982
// belong to the table although no path raises them.
const std::map<MessageNumber, std::string>& MessageTable() {
    static const std::map<MessageNumber, std::string> table = [] {
        const std::map<MessageNumber, const char*> utf8 = {
            {MessageNumber::kFormulaTooLong,
             "[E001][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kParenthesisNotClosed, "[E101][構文] ( が閉じられていません。"},
            {MessageNumber::kNoExpression, "[E102][構文] 有効な式が有りません。"},
            {MessageNumber::kTooLongAfterCharacters,
             "[E103][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kMisplacedPoint, "[E201][構文] 小数点が不正です。"},
            {MessageNumber::kTooLongCompletingFraction,
             "[E202][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kTooLongCompletingInteger,
             "[E203][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kTooLongAfterPi,
             "[E301][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kNoNumberAfterRoot, "[E501][構文] ルートの後に数値が有りません。"},
            {MessageNumber::kMinusAfterRoot, "[E502][構文] √の直後のマイナスが曖昧です。"},
            {MessageNumber::kOperatorAfterRoot, "[E503][構文] ルートの後に演算子が来ています。"},
            {MessageNumber::kNotationTooLong, "[E601][指数] 指数の表記が最大値を超えています。"},
            {MessageNumber::kExpandedTooLong,
             "[E602][指数] 指数を数値に直した際に、式全体の最大文字数を超えます。"},
            {MessageNumber::kExponentAtEdge, "[E621][指数] 指数の形式が不正です。"},
            {MessageNumber::kExponentWithoutMantissa, "[E622][指数] 指数の形式が不正です。"},
            {MessageNumber::kExponentWithoutDigits, "[E623][指数] 指数の形式が不正です。"},
            {MessageNumber::kExponentOutOfRange, "[E631][指数] 指数の範囲が最大値を超えています"},
            {MessageNumber::kExponentBeyondIntegerDigits,
             "[E632][指数] 指数が整数部の最大値を超えています。"},
            {MessageNumber::kNumberTooLong, "[E701][構文] 数値の最大表記文字数を超えています。"},
            {MessageNumber::kNotAFunctionName, "[E702][構文] 関数名では有りません。"},
            {MessageNumber::kFunctionWithoutArgument, "[E703][構文] 関数に引数が有りません。"},
            {MessageNumber::kOperatorAfterBareArgument,
             "[E704][構文] 括弧を省略した際の直後が演算子です。"},
            {MessageNumber::kNoExpressionBeforeClose,
             "[E705][構文] 右括弧の前が有効な式では有りません。"},
            {MessageNumber::kConsecutiveOperators, "[E706][構文] 連続した演算子が有ります。"},
            {MessageNumber::kOperatorBeforeClose, "[E707][構文] 右括弧の前が演算子です。"},
            {MessageNumber::kLeadingOperator, "[E708][構文] 先頭が演算子です。"},
            {MessageNumber::kOperatorAfterOpen, "[E709][構文] （の後が演算子です。"},
            {MessageNumber::kEmptyParentheses, "[E710][構文] 括弧の中が空白です。"},
            {MessageNumber::kLongUnknownName,
             "[E711][構文] 関数名では無い20文字以上の文字列が有ります。"},
            {MessageNumber::kTooLongWrappingArgument,
             "[E721][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kTooLongWrappingSignedArgument,
             "[E722][構文] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kTextTooLongInEvaluation,
             "[E801][計算] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kTextTooLong,
             "[E802][計算] 計算で使用出来る文字数の最大値を越えました。"},
            {MessageNumber::kOperandMissing, "[E811][計算] STACK READ ERROR"},
            {MessageNumber::kPowerTooLarge,
             "[E812][計算] 100乗より大きな計算は負荷が大きすぎます。"},
            {MessageNumber::kZeroToTheZero, "[E813][計算] 0の0乗は定義出来ません。"},
            {MessageNumber::kPowerBeyondInfinity,
             "[E814][計算] べき場の計算結果が無限大を越えました。"},
            {MessageNumber::kZeroBaseNegativeFraction,
             "[E815][計算] べき場の定義域が正しくありません。"},
            {MessageNumber::kStackUnreadable, "[E816][計算] STACK READ ERROR"},
            {MessageNumber::kNegativeBaseFraction,
             "[E817][計算] マイナスのべき場は計算出来ません。"},
            {MessageNumber::kRootOfNegative, "[E821][計算] 負数の平方根は計算出来ません。"},
            {MessageNumber::kArcSineArgument,
             "[E822][計算]ｱｰｸｻｲﾝの引数は-1～1でないといけません。"},
            {MessageNumber::kArcCosineArgument,
             "[E823][計算]ｱｰｸｺｻｲﾝの引数は-1～1でないといけません。"},
            {MessageNumber::kLogarithmOfNegative, "[E824][計算] logの引数が負数です。"},
            {MessageNumber::kLogarithmOfZero, "[E825][計算] logの引数0は定義出来ません。"},
            {MessageNumber::kValueTooLarge,
             "[E888][計算] 設定した整数部に対して、式中の値が大きすぎます。"},
            {MessageNumber::kFractionDigits, "[E982][桁数] 計算結果の少数部が範囲を超えました。"},
            {MessageNumber::kDivisionByZero, "[E000][計算] 0除算が発生しました。"},
            {MessageNumber::kIntegerDigits, "[E981][桁数] 計算結果の整数部が範囲を超えました。"},
        };
        std::map<MessageNumber, std::string> cp932;
        for (const auto& [code, text] : utf8)
            cp932.emplace(code, platform::Sjis(text));
        return cp932;
    }();
    return table;
}

}  // namespace

const std::string& FormulaMessage(MessageNumber code) {
    static const std::string none;
    const auto& table = MessageTable();
    const auto found = table.find(code);
    return found == table.end() ? none : found->second;
}

}  // namespace pemu::formula
