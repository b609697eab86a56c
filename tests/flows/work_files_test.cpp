// The work-file test and delete in a project directory of their own.
#include "flows/work_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/os.h"
#include "project_dir.h"

namespace {

using Names = std::vector<std::string>;

TEST(WorkFilePresent, MatchesNamesAndPatternsWithoutRegardToCase) {
    ProjectDir project;
    project.Write("autorunfile.tmp");
    project.Write("xt1.TMP");

    EXPECT_TRUE(WorkFilePresent("Autorunfile.tmp"));
    EXPECT_TRUE(WorkFilePresent("AUTORUNFILE.TMP"));
    EXPECT_TRUE(WorkFilePresent("XT?.TMP"));
    EXPECT_TRUE(WorkFilePresent("xt1.tmp"));
    EXPECT_TRUE(WorkFilePresent("*.tmp"));
}

// Windows's own search lets a '?' before the dot match no character too, so only the
// longer name is a case for every platform.
TEST(WorkFilePresent, QuestionMarkStandsForOneCharacterNotTwo) {
    ProjectDir project;
    project.Write("XT12.tmp");

    EXPECT_FALSE(WorkFilePresent("XT?.TMP"));
    EXPECT_TRUE(WorkFilePresent("XT??.TMP"));
}

TEST(WorkFilePresent, CountsDirectoriesAndNothingElse) {
    ProjectDir project;
    EXPECT_FALSE(WorkFilePresent("return.tmp"));
    EXPECT_FALSE(WorkFilePresent("*"));

    project.MakeSubdirectory("RETURN.TMP");
    EXPECT_TRUE(WorkFilePresent("return.tmp"));
    EXPECT_FALSE(WorkFilePresent("REDRAW.tmp"));
}

TEST(DeleteWorkFiles, DeletesEveryMatchInAnyCaseAndKeepsTheRest) {
    ProjectDir project;
    for (const char* name :
         {"cfg1.tmp", "CFG2.TMP", "Cfg3.Tmp", "CFG1.BLK", "CFG12.TMP", "XCFG1.TMP"}) {
        project.Write(name);
    }

    DeleteWorkFiles("CFG?.TMP");

    EXPECT_EQ(project.Entries(), (Names{"CFG1.BLK", "CFG12.TMP", "XCFG1.TMP"}));
}

TEST(DeleteWorkFiles, WithoutAMatchChangesNothing) {
    ProjectDir project;
    project.Write("REDRAW.tmp.old");

    DeleteWorkFiles("REDRAW.tmp");
    DeleteWorkFiles("$wat*.tub");

    EXPECT_EQ(project.Entries(), (Names{"REDRAW.tmp.old"}));
}

TEST(DeleteWorkFiles, KeepsAReadOnlyFileAndDeletesTheOthers) {
    ProjectDir project;
    project.Write("$wat1.tub");
    project.Write("$wat2.tub");
    project.Write("$watA.tub");
    project.MakeReadOnly("$wat2.tub");

    DeleteWorkFiles("$wat*.tub");

    EXPECT_EQ(project.Entries(), (Names{"$wat2.tub"}));
}

TEST(DeleteWorkFiles, KeepsADirectoryThatMatchesAndGoesOn) {
    ProjectDir project;
    project.MakeSubdirectory("XT1.tmp");
    project.Write("XT2.tmp");
    project.Write("XT3.tmp");

    DeleteWorkFiles("XT?.TMP");

    EXPECT_EQ(project.Entries(), (Names{"XT1.tmp"}));
}

// The platform's search also matches alternative short names: "TEMP0001.TIFF" is found by
// "TEMP*.TIF" on Windows, but its own name is not one the pattern names.
TEST(DeleteWorkFiles, DeletesOnlyEntriesWhoseOwnNameMatches) {
    ProjectDir project;
    project.Write("TEMP0001.TIF");
    project.Write("temp0002.tif");
    project.Write("TEMP0001.TIFF");
    project.Write("TEMP0003.PCXA");
    project.Write("TEMP0003.PCX");

    DeleteWorkFiles("TEMP*.TIF");
    DeleteWorkFiles("TEMP*.PCX");

    EXPECT_EQ(project.Entries(), (Names{"TEMP0001.TIFF", "TEMP0003.PCXA"}));
}

// A Chinese name made through the seam lies in the file system's own encoding: GBK on
// Windows, UTF-8 on POSIX, where the last byte of "中" would pair with the '.' if the name
// were read as GBK below the seam.
TEST(DeleteWorkFiles, ReadsNamesInTheFileSystemsEncoding) {
    ProjectDir project;
    os::File chinese;
    ASSERT_EQ(chinese.CreateForWriting("中.tmp"), os::kSuccess);
    chinese.Close();
    project.Write("keep.txt");

    EXPECT_TRUE(WorkFilePresent("?.tmp"));
    DeleteWorkFiles("*.tmp");

    EXPECT_EQ(project.Entries(), Names{"keep.txt"});
}

}  // namespace
