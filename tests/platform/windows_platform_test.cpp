// The Windows side of the platform layer, against the real system (Wine in the cross build):
// paths in UTF-16 under a Japanese user name, the replace that keeps the old file when it
// fails, the instance mutex and the file lock between two processes, process ids.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/codec.hpp"
#include "platform/file_lock.hpp"
#include "platform/file_system.hpp"
#include "platform/instance_lock.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {
namespace {

using windows::Wide;

// A folder of our own under the system's temporary folder, named in Japanese as a user
// name can be, removed at the end.
class JapaneseFolder {
  public:
    JapaneseFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        path_ = windows::PathFromWindows(temp) + "pemu-test-" +
                std::to_string(::GetCurrentProcessId()) + "/山田太郎/";
        EXPECT_TRUE(MakeFolders(path_)) << path_;
    }
    ~JapaneseFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(Wide(path_)).parent_path().parent_path(),
                                    ignored);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// Another process with a pipe to its standard input and one from its standard output.
class Child {
  public:
    explicit Child(const std::vector<std::string>& args) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE inRead = nullptr;
        HANDLE outWrite = nullptr;
        ::CreatePipe(&inRead, &toChild_, &inherit, 0);
        ::CreatePipe(&fromChild_, &outWrite, &inherit, 0);
        ::SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
        std::wstring line = L"\"" + Wide(PEMU_LOCK_PROBE) + L"\"";
        for (const std::string& a : args)
            line += L" \"" + Wide(a) + L"\"";
        STARTUPINFOW start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = inRead;
        start.hStdOutput = outWrite;
        start.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        started_ = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    nullptr, &start, &process_);
        ::CloseHandle(inRead);
        ::CloseHandle(outWrite);
    }
    ~Child() {
        if (started_) {
            ::TerminateProcess(process_.hProcess, 9);
            ::WaitForSingleObject(process_.hProcess, 10000);
            ::CloseHandle(process_.hProcess);
            ::CloseHandle(process_.hThread);
        }
        ::CloseHandle(toChild_);
        ::CloseHandle(fromChild_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return started_ != 0; }
    int pid() const { return static_cast<int>(process_.dwProcessId); }

    // The next line it writes (blocking: the probe always answers or ends).
    std::string ReadLine() {
        std::string line;
        char c = 0;
        DWORD n = 0;
        while (::ReadFile(fromChild_, &c, 1, &n, nullptr) && n == 1 && c != '\n')
            line += c;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    void Send(const std::string& line) {
        const std::string text = line + "\n";
        DWORD n = 0;
        ::WriteFile(toChild_, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    }
    // Ends it as a crash would: no code of its own runs.
    void Kill() {
        ::TerminateProcess(process_.hProcess, 9);
        Wait();
    }
    DWORD Wait() {
        ::WaitForSingleObject(process_.hProcess, 30000);
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    HANDLE toChild_ = nullptr;
    HANDLE fromChild_ = nullptr;
    PROCESS_INFORMATION process_{};
    BOOL started_ = FALSE;
};

// A mutex name no other test run shares.
std::string TestMutexName(const char* what) {
    return std::string("Ostrivel_PEMU.test.") + what + "." +
           std::to_string(::GetCurrentProcessId());
}

TEST(WindowsText, Cp932RoundTripsJapaneseAndReplacesWhatItCannotHold) {
    struct Case {
        std::string utf8;
        std::string cp932;
    };
    const Case cases[] = {
        {"山田太郎", "\x8E\x52\x93\x63\x91\xBE\x98\x59"},
        {"ｶﾀｶﾅ and ＡＢＣ", "\xB6\xC0\xB6\xC5 and \x82\x60\x82\x61\x82\x62"},
        {"子起動", "\x8E\x71\x8B\x4E\x93\xAE"},
        {"①～㈱", "\x87\x40\x81\x60\x87\x8A"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
    // Characters code page 932 has no place for, and bytes that are no UTF-8: one '?' each.
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b€c"),
              "a?b?c");
    EXPECT_EQ(Utf8ToCp932("x\xC3(y\xFF"), "x?(y?");
    // Bytes that are no CP932 character: one U+FFFD each, the rest read on.
    EXPECT_EQ(Cp932ToUtf8("a\x80"
                          "b\xA0\xFD\xFE\xFF"
                          "c"),
              "a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFDc");
    EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x82"), "\u3042\uFFFD") << "a lead byte at the end";
    EXPECT_EQ(Cp932ToUtf8("\x81\x20z"), "\uFFFD z") << "a lead byte before no trail byte";
}

TEST(WindowsFiles, DataFolderUnderAJapaneseUserNameWorks) {
    JapaneseFolder home;
    const std::string folder = home / "AppData/Roaming/Pemu/PemuFiles/_sys";
    ASSERT_TRUE(EnsureWritableFolder(folder)) << EnsureWritableFolder(folder).what;
    const std::string ini = folder + "/Pemu.ini";
    const std::string bytes = "[Tax]\r\nZeiritu=0.08\r\n";
    ASSERT_TRUE(WriteFileAtomically(ini, bytes));
    EXPECT_EQ(ReadWholeFile(ini).value_or(""), bytes);
    EXPECT_TRUE(FileExists(ini));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(CreateNewFile(folder + "/税率.txt"));
    const IoResult again = CreateNewFile(folder + "/税率.txt");
    EXPECT_FALSE(again);
    EXPECT_EQ(again.errorNumber, EEXIST) << again.what;
    const std::vector<FolderEntry> entries = ReadFolder(folder);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Pemu.ini");
    EXPECT_EQ(entries[1].name, "税率.txt");
    // The canonical form keeps the name, with '/' between folders.
    const std::string canonical = CanonicalPath(home / "AppData/Roaming/./Pemu/../Pemu");
    EXPECT_NE(canonical.find("/山田太郎/AppData/Roaming/Pemu"), std::string::npos) << canonical;
    EXPECT_EQ(canonical.find('\\'), std::string::npos) << canonical;
    EXPECT_TRUE(RenamePath(ini, folder + "/設定.ini"));
    EXPECT_TRUE(FileExists(folder + "/設定.ini"));
    EXPECT_TRUE(RemoveFile(folder + "/設定.ini"));
    EXPECT_FALSE(PathExists(folder + "/設定.ini"));
}

TEST(WindowsFiles, FailedReplaceKeepsTheOldFileAndLeavesNoTemporary) {
    JapaneseFolder dir;
    const std::string path = dir / "KenzanLog.txt";
    ASSERT_TRUE(WriteFileAtomically(path, "old log\r\n"));
    {
        // Another program holds the file open and lets nobody replace or delete it.
        HANDLE held = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const IoResult r = WriteFileAtomically(path, "new log\r\n");
        ::CloseHandle(held);
        EXPECT_FALSE(r);
        EXPECT_NE(r.what.find(path), std::string::npos) << r.what;
    }
    EXPECT_EQ(ReadWholeFile(path).value_or(""), "old log\r\n");
    EXPECT_EQ(ReadFolder(dir.path()).size(), 1u) << "the temporary file is gone";
    // A folder that does not exist: nothing is made anywhere.
    const IoResult missing = WriteFileAtomically(dir / "missing/Pemu.ini", "x");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.errorNumber, ENOENT) << missing.what;
    EXPECT_EQ(ReadFolder(dir.path()).size(), 1u);
    // Once the file is free the replace goes through.
    EXPECT_TRUE(WriteFileAtomically(path, "new log\r\n"));
    EXPECT_EQ(ReadWholeFile(path).value_or(""), "new log\r\n");
}

TEST(WindowsFiles, AbandonedTemporariesOfOneFileAreRemoved) {
    JapaneseFolder dir;
    const std::string path = dir / "Pemu.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "kept"));
    ASSERT_TRUE(CreateNewFile(path + ".tmp-abc123"));
    ASSERT_TRUE(CreateNewFile(dir / "Other.ini.tmp-abc123"));
    ASSERT_TRUE(CreateNewFile(path + ".tmp-toolongname"));
    RemoveAbandonedTemporaries(path);
    std::vector<std::string> names;
    for (const FolderEntry& e : ReadFolder(dir.path()))
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Other.ini.tmp-abc123", "Pemu.ini",
                                               "Pemu.ini.tmp-toolongname"}));
}

TEST(WindowsFolders, ProgramAndUserFoldersAreAbsoluteWithSlashes) {
    const std::string program = ExecutableFolder();
    ASSERT_GE(program.size(), 4u);
    EXPECT_EQ(program[1], ':') << program;
    EXPECT_EQ(program.back(), '/');
    EXPECT_EQ(program.find('\\'), std::string::npos) << program;
    EXPECT_TRUE(FileExists(program + "pemu_windows_platform_tests.exe")) << program;
    const std::optional<std::string> data = UserDataFolder();
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ((*data)[1], ':') << *data;
    EXPECT_NE(data->back(), '/');
    EXPECT_TRUE(FolderExists(*data)) << *data;
    EXPECT_EQ(RuntimeFolder().back(), '/');
    EXPECT_TRUE(FolderExists(RuntimeFolder())) << RuntimeFolder();
}

TEST(WindowsProcesses, SecondCopyBecomesTheChildThroughTheMutex) {
    const std::string name = TestMutexName("copies");
    {
        Child first({"instance", name});
        ASSERT_TRUE(first.started());
        EXPECT_EQ(first.ReadLine(), "primary");
        Child second({"instance", name});
        EXPECT_EQ(second.ReadLine(), "child");
        EXPECT_FALSE(InstanceLock::TryAcquire(RuntimeFolder(), name).held());
        second.Send("release");
        EXPECT_EQ(second.ReadLine(), "released");
        first.Kill();  // a crash: the system closes its handle, nobody stays a child for ever
    }
    Child third({"instance", name});
    EXPECT_EQ(third.ReadLine(), "primary");
    third.Send("release");
    EXPECT_EQ(third.ReadLine(), "released");
    EXPECT_EQ(third.Wait(), 0u);
    InstanceLock mine = InstanceLock::TryAcquire(RuntimeFolder(), name);
    EXPECT_TRUE(mine.held());
}

TEST(WindowsProcesses, FileLockExcludesAnotherProcessUntilItEnds) {
    JapaneseFolder dir;
    const std::string path = dir / "KenzanLog.txt.lock";
    Child holder({"file", path});
    ASSERT_EQ(holder.ReadLine(), "held");
    FileLock waited = FileLock::Acquire(path, 100);
    EXPECT_EQ(waited.outcome(), FileLock::Outcome::kTimedOut) << waited.what();
    Child other({"file", path});
    EXPECT_EQ(other.ReadLine(), "busy");
    holder.Kill();
    FileLock after = FileLock::Acquire(path, 10000);
    EXPECT_TRUE(after.held()) << after.what();
    EXPECT_TRUE(FileExists(path)) << "the lock file stays for the next holder";
}

TEST(WindowsProcesses, ProcessIsRunningUntilItEnds) {
    EXPECT_TRUE(ProcessIsRunning(CurrentProcessId()));
    EXPECT_FALSE(ProcessIsRunning(0));
    EXPECT_FALSE(ProcessIsRunning(-5));
    int pid = 0;
    {
        Child probe({"pid"});
        pid = std::stoi(probe.ReadLine());
        EXPECT_EQ(pid, probe.pid());
        EXPECT_TRUE(ProcessIsRunning(pid));
        probe.Send("end");
        probe.Wait();
    }
    EXPECT_FALSE(ProcessIsRunning(pid));
}

}  // namespace
}  // namespace pemu::platform
