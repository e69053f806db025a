#pragma once
// Skin packages as the skin chooser sees them: folders of the package folder named
// PREFIX + author + "_" + name (or PREFIX + name), listed per part, sorted, checked when a
// name is typed, cleared by the set rule, and old saved combinations renamed. Text in and
// out is CP932; folder names on disk are UTF-8.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pemu::shell {

// The parts in tab order: 0 set, 1 panel, 2 buttons, 3 display panel, 4 digits, 5 marks.
inline constexpr int kPartCount = 6;
inline constexpr std::array<std::string_view, kPartCount> kPackagePrefixes{
    {"SET_", "PNL_", "BTN_", "DGP_", "DGN_", "DGM_"}};
inline constexpr std::size_t kPrefixLength = 4;
inline constexpr std::size_t kMaxListedPackages = 2000;
// A list entry holds this many bytes of name and author together.
inline constexpr std::size_t kListEntryBytes = 99;
// Saved before version 3 as combinations; now set skins.
inline constexpr std::string_view kOldCombinationPrefix = "HOZ_";

// The part (0..5) whose prefix `folderName` begins with, or -1.
int PartOfFolderName(std::string_view folderName);

struct PackageName {
    std::string name;    // CP932
    std::string author;  // CP932, empty without one
};
// The rest of a folder name after its prefix, split at the first "_" that is not the second
// byte of a double-byte character: author before it, name after it.
PackageName SplitPackageName(std::string_view cp932WithoutPrefix);

struct PackageEntry {
    std::string folder;  // the folder's name on disk
    PackageName shown;   // as the list shows it (cut to the entry width)
};

// The packages of one part in `skinPackageFolder`, sorted by name + ":" + author (CP932
// bytes), ascending or descending; at most kMaxListedPackages. An entry keeps its full
// folder name; a name and author longer than an entry are cut at a character boundary for
// the list only, the name keeping what room there is first.
std::vector<PackageEntry> ListPackages(const std::string& skinPackageFolder, int part,
                                       bool ascending);

// The files of a part in a skin folder ("imgButtonUp.bmp" and "imgButtonDown.bmp" for the
// buttons); none for the set.
std::vector<std::string> FilesOfPart(int part);
// The file whose presence in a package highlights the part in the applied-parts panel
// ("dummy.dummy" for the set: never present).
std::string_view HighlightFileOfPart(int part);

// Clear: the parts whose files leave the user skin and whose names are emptied. A part tab
// clears that part; the set tab clears the set entry and every part whose recorded name
// ends in "SET)" (the parts that came from a set), keeping parts applied on their own.
std::vector<int> PartsToClear(int tab, const std::array<std::string, kPartCount>& recorded);

// ---- Typed names (skin name and author) ---------------------------------------------------
enum class EntryProblem {
    kNone,
    kTooLong,             // more than 100 bytes
    kForbiddenCharacter,  // \ / : , ; * ? " < > | _ . (also a full-width colon, see below)
    kEmpty,               // nothing left once the blanks are gone: ask again, no message
};
struct EntryCheck {
    EntryProblem problem = EntryProblem::kNone;
    std::string text;  // the accepted text: blanks removed
};
// Checks a typed name. Full-width and half-width blanks are removed. A full-width colon
// would become ":", which no folder name may hold: it is refused like ":" itself.
EntryCheck CheckEntry(std::string_view cp932);
// The message shown for kTooLong and kForbiddenCharacter (CP932), "" otherwise.
std::string EntryProblemText(EntryProblem problem);
// 「text」 + line break + でよろしいですか？ (CP932).
std::string EntryConfirmText(std::string_view cp932);

// ---- Folder names -------------------------------------------------------------------------
// PREFIX + author + "_" + name as a folder name on disk (UTF-8).
std::string PackageFolderName(int part, std::string_view authorCp932, std::string_view nameCp932);
// What [Skin] records for a saved set: name + " (SET)".
std::string SetRecordName(std::string_view nameCp932);
// True when a user skin folder holds any of the files a saved set needs (panel, display
// panel, pressed keys, digits, marks).
bool HasAppliedSkinFiles(const std::string& userSkinFolder);

// Folders of the package folder saved as combinations by an old version ("HOZ_").
std::vector<std::string> OldCombinationFolders(const std::string& skinPackageFolder);
// Renames each to "SET" + the rest of its name; one whose new name is taken stays as it is.
// Returns the number renamed.
int ConvertOldCombinations(const std::string& skinPackageFolder);

}  // namespace pemu::shell
