// Win32FileSystem and ChangeDriveAndDirectory on the real file system of a
// Wine prefix.
#include <windows.h>

#include <direct.h>
#include <stdio.h>
#include <time.h>

#include <string>

#include <gtest/gtest.h>

#include "base/paths.h"
#include "app/win32/win32_file_system.h"

namespace tessaly {
namespace {

const char kScratch[] = "C:\\Tessaly Files";

class WineFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(kScratch, nullptr);
    ASSERT_TRUE(files.Exists(kScratch));
  }
  std::string In(const char* name) const { return std::string(kScratch) + "\\" + name; }
  void WriteFile(const std::string& path) {
    FILE* f = fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fputs("x", f);
    fclose(f);
  }
  Win32FileSystem files;
};

TEST_F(WineFileSystem, MakesAFolderOnceAndSeesIt) {
  const std::string folder = In("Made");
  RemoveDirectoryA(folder.c_str());
  EXPECT_FALSE(files.Exists(folder.c_str()));
  EXPECT_TRUE(files.MakeDirectory(folder.c_str()));
  EXPECT_TRUE(files.Exists(folder.c_str()));
  EXPECT_FALSE(files.MakeDirectory(folder.c_str()));
  EXPECT_FALSE(files.MakeDirectory(In("No Parent\\Child").c_str()));
}

TEST_F(WineFileSystem, FindsAFileWithItsWriteTimeAndRemovesIt) {
  const std::string file = In("Tessaly11.cab");
  WriteFile(file);
  const Time32 now = static_cast<Time32>(time(nullptr));
  Time32 written = 0;
  ASSERT_TRUE(files.FindFirst(In("Tessaly1*.cab").c_str(), &written));
  EXPECT_LE(written > now ? written - now : now - written, 120);
  EXPECT_TRUE(files.IsWritable(file.c_str()));
  EXPECT_TRUE(files.Remove(file.c_str()));
  EXPECT_FALSE(files.Exists(file.c_str()));
  EXPECT_FALSE(files.Remove(file.c_str()));
  EXPECT_FALSE(files.FindFirst(In("Tessaly1*.cab").c_str(), &written));
}

TEST_F(WineFileSystem, ReadOnlyFileIsNotWritable) {
  const std::string file = In("locked.txt");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteFile(file);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(files.Exists(file.c_str()));
  EXPECT_FALSE(files.IsWritable(file.c_str()));
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WineFileSystem, ModuleFileNameIsTheRunningExecutable) {
  char path[kPathSize];
  ASSERT_TRUE(files.ModuleFileName(path, sizeof path));
  char expected[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, expected, sizeof expected), 0u);
  EXPECT_STREQ(path, expected);
}

TEST_F(WineFileSystem, ModuleFileNameThatDoesNotFitFails) {
  char path[8];
  EXPECT_FALSE(files.ModuleFileName(path, sizeof path));
  EXPECT_STREQ(path, "");
}

TEST_F(WineFileSystem, ChangeDriveAndDirectoryMakesTheFolderCurrent) {
  const std::string folder = In("Current");
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(_chdrive(26) == 0);  // start from Z:, where the build lives
  ASSERT_TRUE(ChangeDriveAndDirectory(files, folder.c_str()));
  EXPECT_EQ(_getdrive(), 3);
  char cwd[MAX_PATH];
  ASSERT_NE(_getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_STREQ(cwd, folder.c_str());
  EXPECT_FALSE(ChangeDriveAndDirectory(files, In("Missing").c_str()));
}

}  // namespace
}  // namespace tessaly
