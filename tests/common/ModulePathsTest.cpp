#include "common/ModulePaths.h"

#include <gtest/gtest.h>

TEST(ModulePaths, FoldersFollowTheModuleTheHallAndTheClassId) {
    const auto paths =
        BuildModulePaths("/opt/kep", "/hall", "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}");
    EXPECT_EQ(paths.ModuleFolder, "/opt/kep/");
    EXPECT_EQ(paths.HallFolder, "/hall/");
    EXPECT_EQ(paths.FaceFolder, "/hall/Face/");
    EXPECT_EQ(paths.SoundFolder, "/opt/kep/Sound/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}/");
    EXPECT_EQ(paths.ImageFolder, "/opt/kep/Image/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}/");
    EXPECT_EQ(paths.SettingsFile, "/opt/kep/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}.ini");
}

TEST(ModulePaths, ASeparatorIsAddedOnlyWhenMissing) {
    const auto paths = BuildModulePaths("/opt/kep/", "/hall/", "{ABC}");
    EXPECT_EQ(paths.ModuleFolder, "/opt/kep/");
    EXPECT_EQ(paths.HallFolder, "/hall/");
    EXPECT_EQ(paths.FaceFolder, "/hall/Face/");
    EXPECT_EQ(paths.SettingsFile, "/opt/kep/{ABC}.ini") << "not a GUID: used as it stands";
    EXPECT_EQ(BuildModulePaths("/", "/", "{ABC}").SoundFolder, "/Sound/{ABC}/");
}

TEST(ModulePaths, TheClassIdIsWrittenUpperCase) {
    const auto paths = BuildModulePaths("/m", "/h", "{0031f69a-3715-4f10-8a9d-e0ea7b3ad7d7}");
    EXPECT_EQ(paths.SoundFolder, "/m/Sound/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}/");
    EXPECT_EQ(paths.ImageFolder, "/m/Image/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}/");
    EXPECT_EQ(paths.SettingsFile, "/m/{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}.ini");
}

TEST(ModulePaths, AnUnknownFolderStaysEmptyWithEverythingBelowIt) {
    const auto noHall = BuildModulePaths("/m/", "", "{X}");
    EXPECT_EQ(noHall.HallFolder, "");
    EXPECT_EQ(noHall.FaceFolder, "") << "not \"Face/\" below the working directory";
    EXPECT_EQ(noHall.SoundFolder, "/m/Sound/{X}/");
    const auto noModule = BuildModulePaths("", "/h", "{X}");
    EXPECT_EQ(noModule.ModuleFolder, "");
    EXPECT_EQ(noModule.SoundFolder, "");
    EXPECT_EQ(noModule.ImageFolder, "");
    EXPECT_EQ(noModule.SettingsFile, "");
    EXPECT_EQ(noModule.FaceFolder, "/h/Face/");
}
