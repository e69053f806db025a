#include "platform/product_record.hpp"
#include "platform/program_file.hpp"

namespace pemu::platform {

std::string ProgramFileName(std::string_view stem) {
    return std::string(stem);
}

std::optional<std::string> ProgramProductName(const std::string& programFile) {
    return RecordedProductName(programFile);
}

}  // namespace pemu::platform
