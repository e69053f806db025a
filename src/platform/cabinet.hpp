#pragma once
// Reading Microsoft cabinet files (".cab"), through libmspack or, on Windows, the Setup API:
// the names stored in a cabinet and the extraction of stored files into files of our
// choosing. Nothing here decides where a file may go; the caller checks every name first.
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
    // Opens and reads the cabinet's file list. On failure `error` says the reader's reason.
    explicit Cabinet(const std::string& path);
    ~Cabinet();
    Cabinet(const Cabinet&) = delete;
    Cabinet& operator=(const Cabinet&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<CabinetFile>& files() const { return files_; }

    // In one pass, writes every stored file whose entry in `targets` (one per file, in the
    // order of files()) is not empty to that path, which must not be a link; the others are
    // skipped. "" on success, else the reason: the files before stay written, the failed one
    // may be left partly written.
    std::string Extract(const std::vector<std::string>& targets);

  private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::vector<CabinetFile> files_;
    std::string error_;
};

}  // namespace pemu::platform
