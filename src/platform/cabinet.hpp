#pragma once
// Reading Microsoft cabinet files (".cab") through libmspack: the names stored in a cabinet
// and the extraction of one stored file into a file of our choosing. Nothing here decides
// where a file may go; the caller checks every name first.
#include <memory>
#include <string>
#include <vector>

namespace pemu::platform {

struct CabinetFile {
    std::string name;       // as stored: '\' separates folders
    bool utf8Name = false;  // else the name is in the Windows code page of the maker
    unsigned int length = 0;
};

class Cabinet {
  public:
    // Opens and reads the cabinet's file list. On failure `error` says libmspack's reason.
    explicit Cabinet(const std::string& path);
    ~Cabinet();
    Cabinet(const Cabinet&) = delete;
    Cabinet& operator=(const Cabinet&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<CabinetFile>& files() const { return files_; }

    // Writes stored file `index` to `target` (which must not be a link). "" on success,
    // else libmspack's reason; a failed file may be left partly written at `target`.
    std::string Extract(std::size_t index, const std::string& target);

  private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::vector<CabinetFile> files_;
    std::string error_;
};

// libmspack's meaning of one of its error codes, in English ("bad or corrupt file format").
std::string CabinetErrorText(int code);

}  // namespace pemu::platform
