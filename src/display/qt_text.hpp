#pragma once
// Texts of the system as Qt shows them. Every caption goes through the CP932 bytes the
// system keeps, so a window shows exactly what the stored text holds.
#include <QString>
#include <string>
#include <string_view>

namespace pemu::display {

// CP932 bytes to a QString.
QString FromCp932(std::string_view cp932);

// A caption written in UTF-8 source: converted to CP932 once and shown from those bytes.
QString Caption(std::string_view utf8);

// A QString as CP932 bytes.
std::string ToCp932(const QString& text);

}  // namespace pemu::display
