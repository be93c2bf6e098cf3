// Every way the program saves a whole file, on a disk that fills up during
// the save: the failure is reported with the saver's own message, the
// earlier file stays as it was and nothing is left beside it; with room
// again the same save replaces the file.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "FileUsersFixture.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/objects/kPlotTranslation.h"
#include "platform/Registry.h"
#include "support/FullDisk.h"
#include "support/MessageOf.h"
#include "support/RegistryFile.h"
#include "widgets/QdCopyFile.h"

namespace {

struct TSaver {
    const char* Name;
    const char* Message;  // what the failure says
    std::function<void(const String& Path)> Save;
};

constexpr char kStreamWrite[] = "Erreur d'écriture du flux";

// The user's registry in another file for the length of a save.
void WriteRegistryValue(const String& Path)
{
    const TRegistryFileScope file(HKEY_CURRENT_USER, Path);
    TRegistry registry;
    registry.OpenKey("Software\\Themes", true);
    registry.WriteString("Current", "Night");
}

class SavesOnAFullDisk : public FileUsersTest {
protected:
    void SetUp() override
    {
        Plot->SetBounds(0, 0, 60, 40);
        Plot->GetChannel(0)->AddXY(1, 2);
        Plot->GetAnnotation(Plot->AddAnnotation());
        Plot->Master().TranslationManager()->CreateObject();
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->SetSize(4, 4);
        Bitmaps->Add(bitmap.get());
        Scratch.WriteBytes("source.bin", std::string(300, 'S'));
        std::filesystem::create_directory(Scratch.Path() / "out");
    }

    std::vector<TSaver> Savers()
    {
        return {
            {"bitmap export", kStreamWrite, [this](const String& P) { Plot->SaveImageToBitmap(P); }},
            {"JPEG export", kStreamWrite, [this](const String& P) { Plot->SaveImageToJPEG(P, 90, false); }},
            {"PNG export", kStreamWrite, [this](const String& P) { Plot->SaveImageToPNG(P, 6); }},
            {"metafile export", kStreamWrite, [this](const String& P) { Plot->SaveImageToMetaFile(P); }},
            {"component properties", "Error Saving Properties - Erreur d'écriture du flux",
             [this](const String& P) { Led->SavePropertiesToFile(P); }},
            {"plot configuration", kStreamWrite, [this](const String& P) { Plot->SavePropertiesToFile(P); }},
            {"plot data", "Error Saving Data - Erreur d'écriture du flux",
             [this](const String& P) { Plot->SaveDataToFile(P); }},
            {"annotations", kStreamWrite, [this](const String& P) { Plot->SaveAnnotationsToFile(P); }},
            {"translation table", kStreamWrite, [this](const String& P) { Plot->SaveTranslationsToFile(P); }},
            {"new log", kStreamWrite, [this](const String& P) {
                 Plot->SetLogFileName(P);
                 Plot->LogActivate(false);
                 Plot->LogDeactivate();
             }},
            {"bitmap list", kStreamWrite, [this](const String& P) { Bitmaps->SaveToFile(P); }},
            {"registry store", "Impossible d'écrire la valeur", WriteRegistryValue},
            {"file copy", kStreamWrite, [this](const String& P) {
                 TOwned<TQdCopyFile> copier(Create<TQdCopyFile>(nullptr));
                 copier->SetSourceFile(Scratch / "source.bin");
                 copier->SetDestFile(P);
                 copier->Execute();
             }},
        };
    }
};

}  // namespace

TEST_F(SavesOnAFullDisk, EverySaveKeepsTheEarlierFileWhole)
{
    const String target = Scratch / "out/target";
    const std::string earlier = "the earlier file, whole";
    for (const TSaver& saver : Savers()) {
        Scratch.WriteBytes("out/target", earlier);
        {
            TFullDisk disk(10);
            EXPECT_NE(MessageOf([&] { saver.Save(target); }).find(saver.Message), String::npos) << saver.Name;
        }
        EXPECT_EQ(Scratch.ReadBytes("out/target"), earlier) << saver.Name;
        EXPECT_EQ(FolderNames(Scratch.Path() / "out"), std::vector<std::string>{"target"}) << saver.Name;

        saver.Save(target);
        EXPECT_NE(Scratch.ReadBytes("out/target"), earlier) << saver.Name;
        EXPECT_EQ(FolderNames(Scratch.Path() / "out"), std::vector<std::string>{"target"}) << saver.Name;
    }
}
