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
        platform::Sjis("説明書: メニューのヘルプ(H)"),
        platform::Sjis("連絡先: README.md を参照"),
    };
    return lines;
}

}  // namespace pemu::shell
