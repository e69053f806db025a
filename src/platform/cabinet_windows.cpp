#include <setupapi.h>
#include <windows.h>

#include <cwchar>

#include "platform/cabinet.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {
namespace {

// One pass of SetupIterateCabinetW: every stored file is listed, and written where `targets`
// says (skipped where it says nothing or holds no entry).
struct Pass {
    std::vector<CabinetFile>* listed = nullptr;
    const std::vector<std::string>* targets = nullptr;
    std::size_t index = 0;
    std::string error;  // ours, when we ended the pass
};

// A stored name as the cabinet holds it. The Setup API hands names over in UTF-16, decoded
// from the system's code page unless the cabinet marks them UTF-8; turned back into those
// bytes, a name without the mark is read as CP932 by the same rules as everywhere else,
// whatever code page this system has. A name that does not come back whole stays as given.
CabinetFile StoredName(const FILE_IN_CABINET_INFO_W& info) {
    constexpr WORD kNameIsUtf8 = 0x80;
    CabinetFile file{windows::Narrow(info.NameInCabinet), true,
                     static_cast<unsigned int>(info.FileSize)};
    if ((info.DosAttribs & kNameIsUtf8) != 0) return file;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, info.NameInCabinet, -1,
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 1) return file;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, info.NameInCabinet, -1, bytes.data(), size,
                        nullptr, &lossy);
    bytes.pop_back();  // the terminator
    if (lossy) return file;
    return {bytes, false, file.length};
}

UINT CALLBACK OnCabinet(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR) {
    auto* pass = static_cast<Pass*>(context);
    switch (notification) {
        case SPFILENOTIFY_FILEINCABINET: {
            auto* info = reinterpret_cast<FILE_IN_CABINET_INFO_W*>(param1);
            const std::size_t index = pass->index++;
            if (pass->listed) pass->listed->push_back(StoredName(*info));
            if (!pass->targets || index >= pass->targets->size() || (*pass->targets)[index].empty())
                return FILEOP_SKIP;
            std::wstring target = windows::Wide((*pass->targets)[index]);
            for (wchar_t& c : target)
                if (c == L'/') c = L'\\';
            // A longer path would be cut to fit and name some other file.
            if (target.size() >= MAX_PATH) {
                pass->error = (*pass->targets)[index] + ": the path is too long";
                SetLastError(ERROR_FILENAME_EXCED_RANGE);
                return FILEOP_ABORT;
            }
            std::wmemcpy(info->FullTargetName, target.c_str(), target.size() + 1);
            return FILEOP_DOIT;
        }
        case SPFILENOTIFY_FILEEXTRACTED: {
            const auto* paths = reinterpret_cast<const FILEPATHS_W*>(param1);
            return paths->Win32Error;
        }
        case SPFILENOTIFY_NEEDNEWCABINET:
        default:
            return NO_ERROR;
    }
}

// "" when the pass went through, else the reason.
std::string Iterate(const std::wstring& path, Pass& pass) {
    if (SetupIterateCabinetW(path.c_str(), 0, OnCabinet, &pass)) return "";
    const DWORD code = GetLastError();
    if (!pass.error.empty()) return pass.error;
    return windows::ErrorText(code == NO_ERROR ? ERROR_INVALID_DATA : code);
}

}  // namespace

struct Cabinet::Handles {
    std::wstring path;
};

Cabinet::Cabinet(const std::string& path) : handles_(std::make_unique<Handles>()) {
    handles_->path = windows::Wide(path);
    for (wchar_t& c : handles_->path)
        if (c == L'/') c = L'\\';
    Pass pass;
    pass.listed = &files_;
    error_ = Iterate(handles_->path, pass);
    if (!error_.empty()) files_.clear();
}

Cabinet::~Cabinet() = default;

std::string Cabinet::Extract(const std::vector<std::string>& targets) {
    if (!ok() || targets.size() > files_.size()) return windows::ErrorText(ERROR_INVALID_PARAMETER);
    Pass pass;
    pass.targets = &targets;
    return Iterate(handles_->path, pass);
}

}  // namespace pemu::platform
