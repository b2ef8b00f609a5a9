#include "install/PayloadCatalogue.h"
#include "base/Exceptions.h"
#include "install/SafeFile.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup {
namespace {

const std::string Folder = "C:\\Program Files\\Palvorne Lumivary";
const std::string Target = Folder + "\\Run.exe";

class PayloadCatalogueTest : public testing::Test {
protected:
    PayloadCatalogueTest() {
        Files.AddFile(Target, "old runner");
        Resources.Add("RUN", "new runner bytes");
        Resources.Add("MPEGDLL", std::string("\0\1\2\r\n\x1a\xff", 7));
    }

    std::string Message(const std::string& name, const std::string& path) {
        try {
            WritePayload(Resources, Files, name, path);
        } catch (const Exception& error) {
            return error.Message();
        }
        return "no error";
    }

    FakeFileSystem Files;
    FakeResources Resources;
};

TEST_F(PayloadCatalogueTest, NameInAnyCaseFindsTheSameBlock) {
    for (const std::string name : {"mpegdll", "MPEGDLL", "MpegDll"}) {
        const std::string path = Folder + "\\" + name + ".dll";
        WritePayload(Resources, Files, name, path);
        EXPECT_EQ(Files.Content(path), std::string("\0\1\2\r\n\x1a\xff", 7)) << name;
    }
}

TEST_F(PayloadCatalogueTest, ReplacesAnExistingFileWithTheBlockBytes) {
    WritePayload(Resources, Files, "RUN", Target);
    EXPECT_EQ(Files.Content(Target), "new runner bytes");
    EXPECT_EQ(Files.FileNames(), std::vector<std::string>{Target});
}

TEST_F(PayloadCatalogueTest, MissingBlockIsReportedWithTheNameAskedForAndWritesNothing) {
    EXPECT_EQ(Message("Uninstall", Folder + "\\Uninstall.exe"), "Resource Uninstall not found");
    EXPECT_EQ(Files.FileNames(), std::vector<std::string>{Target});
    EXPECT_TRUE(Files.Log.empty());
}

TEST_F(PayloadCatalogueTest, ShortWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    Files.FreeSpace = 5;
    EXPECT_EQ(Message("RUN", Target), "Stream write error");
    EXPECT_EQ(Files.Content(Target), "old runner");
    EXPECT_EQ(Files.FileNames(), std::vector<std::string>{Target});
}

TEST_F(PayloadCatalogueTest, HeldOpenTargetCannotBeCreatedAndStaysIntact) {
    Files.OpenFiles.insert(Target);
    EXPECT_EQ(Message("RUN", Target), "Cannot create file " + Target);
    EXPECT_EQ(Files.Content(Target), "old runner");
    EXPECT_EQ(Files.FileNames(), std::vector<std::string>{Target});
}

TEST_F(PayloadCatalogueTest, MissingFolderRaisesCannotCreateWithTheTargetPath) {
    const std::string path = "C:\\Nowhere\\Run.exe";
    EXPECT_EQ(Message("run", path), "Cannot create file " + path);
    EXPECT_FALSE(Files.FileExists(path));
}

TEST(SafeFileTest, WritesAnEmptyBlockAsAnEmptyFile) {
    FakeFileSystem files;
    files.AddFile("C:\\a\\empty.bin", "something");
    WriteFileSafely(files, "C:\\a\\empty.bin", {});
    EXPECT_EQ(files.Content("C:\\a\\empty.bin"), "");
}

TEST(SafeFileTest, DoubledBackslashReachesTheSameFile) {
    FakeFileSystem files;
    files.AddFile("C:\\Dest\\config.ini", "old");
    const std::string text = "new";
    WriteFileSafely(files, "C:\\Dest\\\\config.ini",
                    {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    EXPECT_EQ(files.Content("C:\\Dest\\config.ini"), "new");
    EXPECT_EQ(files.FileNames().size(), 1u);
}

} // namespace
} // namespace setup
