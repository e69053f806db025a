#include "shell/version_info.hpp"

#include <cstdio>

#include "platform/codec.hpp"
#include "platform/product_info.hpp"

namespace pemu::shell {

std::string ProductText(std::string_view versionText) {
    return "Pemu Ver" + std::string(versionText);
}

std::string RunningProductText() {
    return ProductText(std::string_view(platform::kVersionText).substr(0, 9));
}

const std::array<std::string, 3>& NoticeLines() {
    static const std::array<std::string, 3> lines{
        platform::Sjis("(C) Pemu の開発者たち"),
        platform::Sjis("説明書: ヘルプ(H) > ヘルプ"),
        platform::Sjis("お問い合わせは配布元へ"),
    };
    return lines;
}

const std::array<std::string, 2>& DescriptionLines() {
    static const std::array<std::string, 2> lines{
        platform::Sjis("日本式の事務用電卓"),
        platform::Sjis("検算テープ・数式計算・税計算つき"),
    };
    return lines;
}

}  // namespace pemu::shell
