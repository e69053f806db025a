#pragma once
// What the version dialog says: the product with the running version, and three notice
// lines (rights, where the manual is, where to write) and what the program is. Texts are CP932.
#include <array>
#include <string>
#include <string_view>

namespace pemu::shell {

// "Pemu Ver" immediately followed by `versionText`.
std::string ProductText(std::string_view versionText);
// The product text of this build: the version of the product record, at most 9 characters.
std::string RunningProductText();

// Rights notice, manual, contact.
const std::array<std::string, 3>& NoticeLines();
// What the program is, under the product text.
const std::array<std::string, 2>& DescriptionLines();

}  // namespace pemu::shell
