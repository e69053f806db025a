// Any bytes as a program file whose product record is looked for (the updater left in the
// data folder): a name found is a trimmed run of printable bytes that stands in the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "platform/product_record.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pemu::fuzz::Require;
    const std::string_view bytes = pemu::fuzz::Bytes(data, size);
    const auto name = pemu::platform::FindProductName(bytes);
    if (!name) return 0;
    Require(!name->empty() && bytes.find(*name) != std::string_view::npos);
    for (const char c : *name)
        Require(static_cast<unsigned char>(c) >= 0x20);
    Require(name->front() != ' ' && name->back() != ' ');
    return 0;
}
