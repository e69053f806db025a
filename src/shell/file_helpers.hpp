#pragma once
// Listing, copying and guarded deletion inside the data folder.
#include <cstddef>
#include <string>
#include <string_view>

namespace pemu::shell {

// Deletion is allowed only inside the data root. Paths are compared canonically (absolute,
// "..", "." and links resolved), so "<dataRoot>/../x" or a link out of the folder is refused.
class DataFolder {
  public:
    explicit DataFolder(std::string dataRoot);
    const std::string& dataRoot() const { return dataRoot_; }

    // The data root itself counts as inside.
    bool IsInsideDataRoot(const std::string& path) const;
    // True when the file existed inside the data root and was removed.
    bool DeleteDataFile(const std::string& path) const;
    // Files below `folder` first, then the folders bottom-up, then `folder` itself.
    // Nothing outside the data root; links are removed, never followed.
    bool DeleteTree(const std::string& folder) const;
    // As DeleteTree but keeps `folder`.
    bool EmptyTree(const std::string& folder) const;

  private:
    bool RemoveContents(const std::string& folder) const;
    std::string dataRoot_;
    std::string canonicalRoot_;
};

// True when the file exists; when not and `create` is set an empty file is made (the result
// stays false).
bool FileExistsOrCreate(const std::string& path, bool create);

// Copies every file of `source` into `target`, overwriting, and recurses into sub-folders,
// creating each first; names beginning with "." are skipped. Stops at the first file that
// cannot be read or written and returns false then.
bool CopyTree(const std::string& source, const std::string& target);

// As CopyTree, but an existing target file is left alone (first-run copy).
bool CopyMissing(const std::string& source, const std::string& target);

// Appends to `out` each matching name of `folder` followed by ':', sorted by name, skipping
// the first `skip` matches. `folders` lists folders, else files. A trailing '*' in `prefix`
// is dropped; a name matches when it begins with the prefix. When the next name would make
// `out` longer than outSize - 2 it stops and returns skip plus the names listed (where to
// resume); otherwise 0.
int ListEntries(std::string& out, std::size_t outSize, const std::string& folder, int skip,
                bool folders, std::string_view prefix);

// The product name compiled into one of our executables (a marked record in the file's
// bytes, see platform/product_record.hpp), trimmed; `out` unchanged when the file has none
// or cannot be read. Bounded to `size` - 1 characters.
void ReadProductName(std::string& out, const std::string& programFile, std::size_t size);

}  // namespace pemu::shell
