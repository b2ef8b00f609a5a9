#include "platform/win32/Win32FileSystem.h"
#include "base/Exceptions.h"
#include "install/SafeFile.h"
#include "platform/win32/Win32CodePage.h"
#include "tests/win32/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace setup {
namespace {

void Store(const std::string& path, const std::string& text) {
    const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr));
}

std::string Load(const std::string& path) {
    const TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return "<missing>";
    std::string text(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), text.data(), DWORD(text.size()), &read, nullptr);
    return text.substr(0, read);
}

void WriteText(IFileSystem& files, const std::string& path, const std::string& text) {
    WriteFileSafely(files, path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

class Win32FileSystemTest : public testing::Test {
protected:
    TTempFolder Temp{"engine-fs-"};
    Win32FileSystem Files{AnsiLeadBytes()};
    IFileSystem& Api = Files;
};

TEST_F(Win32FileSystemTest, SafeWriteReplacesAnExistingFileAndLeavesOnlyIt) {
    const std::string target = Temp / "config.ini";
    Store(target, "a much longer old content that must not survive");
    WriteText(Api, target, "new");
    EXPECT_EQ(Load(target), "new");
    EXPECT_EQ(Temp.Files(), std::vector<std::string>{"config.ini"});
}

TEST_F(Win32FileSystemTest, HeldOpenTargetIsNotReplacedAndNoTemporaryFileStays) {
    const std::string target = Temp / "Run.exe";
    Store(target, "old runner");
    {
        // As a running program holds its image: readable by others, not replaceable.
        const TFileHandle held(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        try {
            WriteText(Api, target, "new runner");
            FAIL() << "replaced a file held open";
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.Message(), "Cannot create file " + target);
            // Windows calls it a sharing violation, Wine an access denied.
            EXPECT_TRUE(error.ErrorCode() == ERROR_SHARING_VIOLATION ||
                        error.ErrorCode() == ERROR_ACCESS_DENIED)
                << error.ErrorCode();
        }
    }
    EXPECT_EQ(Load(target), "old runner");
    EXPECT_EQ(Temp.Files(), std::vector<std::string>{"Run.exe"});
}

TEST_F(Win32FileSystemTest, CreatedFileIsExclusiveUntilClosed) {
    const std::string path = Temp / "block.bin";
    Store(path, "previous content");
    const TResult<std::unique_ptr<IWriteStream>> stream = Api.OpenForWriting(path);
    ASSERT_TRUE(stream);
    ASSERT_NE(*stream, nullptr);
    EXPECT_TRUE((*stream)->Write("abc", 3));
    EXPECT_EQ(Api.OpenForWriting(path).Status().ErrorCode(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(Api.MoveOver(Temp / "missing", path).ErrorCode(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE((*stream)->Close());
    EXPECT_EQ(Load(path), "abc");
    EXPECT_EQ(Api.OpenForWriting(Temp / "no such folder\\x.bin").Status().ErrorCode(),
              ERROR_PATH_NOT_FOUND);
}

// The replacement Windows 95/98 get, whose MoveFileExA always fails.
TEST_F(Win32FileSystemTest, DeleteAndMoveReplacesOrPlacesAndKeepsAHeldFile) {
    const std::string target = Temp / "Run.exe";
    const std::string fresh = Temp / "Run.exe.new";
    Store(target, "old");
    Store(fresh, "new");
    EXPECT_TRUE(Win32FileSystem::DeleteAndMove(fresh, target));
    EXPECT_EQ(Load(target), "new");
    EXPECT_FALSE(Files.FileExists(fresh));

    const std::string placed = Temp / "PLVCPL.cpl";
    Store(fresh, "first");
    EXPECT_TRUE(Win32FileSystem::DeleteAndMove(fresh, placed)) << "no old file to delete";
    EXPECT_EQ(Load(placed), "first");

    Store(fresh, "newer");
    const TFileHandle held(CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(Win32FileSystem::DeleteAndMove(fresh, target).ErrorCode(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(Load(fresh), "newer") << "the complete new file is kept for the caller to remove";
}

TEST_F(Win32FileSystemTest, FoldersAreCreatedOneLevelAtATime) {
    const std::string parent = Temp / "Palvorne";
    EXPECT_FALSE(Api.MakeDirectory(parent + "\\Lumivary"));
    EXPECT_TRUE(Api.MakeDirectory(parent + "\\"));
    EXPECT_EQ(Api.MakeDirectory(parent).ErrorCode(), ERROR_ALREADY_EXISTS)
        << "an existing folder is a failure";
    EXPECT_TRUE(Api.MakeDirectory(parent + "\\Lumivary"));
    EXPECT_TRUE(Api.DirectoryExists(parent + "\\Lumivary"));
    EXPECT_FALSE(Api.FileExists(parent));
    RemoveDirectoryA((parent + "\\Lumivary").c_str());
    RemoveDirectoryA(parent.c_str());
}

TEST_F(Win32FileSystemTest, CopyOverwritesAndFailsWithoutASource) {
    Store(Temp / "logos.sys", "boot screen");
    Store(Temp / "logos.old", "older backup");
    EXPECT_TRUE(Api.CopyOver(Temp / "logos.sys", Temp / "logos.old"));
    EXPECT_EQ(Load(Temp / "logos.old"), "boot screen");
    EXPECT_EQ(Api.CopyOver(Temp / "logow.sys", Temp / "logow.old").ErrorCode(),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Api.FileExists(Temp / "logow.old"));
}

TEST_F(Win32FileSystemTest, WindowsDirectoryExistsAndHasNoTrailingBackslash) {
    const TResult<std::string> answered = Api.WindowsDirectory();
    ASSERT_TRUE(answered);
    const std::string& windows = *answered;
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(Api.DirectoryExists(windows));
}

} // namespace
} // namespace setup
