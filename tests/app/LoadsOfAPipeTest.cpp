// Every way the program reads a file, given a named pipe that nobody
// writes: the read is refused at once with a message naming the file, and
// what was loaded before stays.

#include <gtest/gtest.h>

#include <functional>

#include "FileUsersFixture.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "platform/Consts.h"
#include "platform/Registry.h"
#include "support/Pipe.h"
#include "support/RegistryFile.h"
#include "widgets/QdCopyFile.h"

namespace {

struct TLoader {
    const char* Name;
    std::function<void(const String& Path)> Load;
};

class LoadsOfAPipe : public FileUsersTest {
protected:
    void SetUp() override { Plot->GetChannel(0)->AddXY(1, 2); }

    std::vector<TLoader> Loaders()
    {
        return {
            {"plot configuration", [this](const String& P) { Plot->LoadPropertiesFromFile(P); }},
            {"channel configuration", [this](const String& P) { Plot->GetChannel(0)->LoadPropertiesFromFile(P); }},
            {"plot data", [this](const String& P) { Plot->LoadDataFromFile(P); }},
            {"channel data", [this](const String& P) { Plot->GetChannel(0)->LoadDataFromFile(P, true); }},
            {"annotations", [this](const String& P) { Plot->LoadAnnotationsFromFile(P); }},
            {"translation table", [this](const String& P) { Plot->LoadTranslationsFromFile(P); }},
            {"component properties", [this](const String& P) { Led->LoadPropertiesFromFile(P); }},
            {"log append", [this](const String& P) {
                 Plot->SetLogFileName(P);
                 Plot->LogActivate(true);
             }},
            {"bitmap list", [this](const String& P) { Bitmaps->LoadFromFile(P); }},
            {"picture", [this](const String& P) { Plot->GetAnnotation(Plot->AddAnnotation())->ImageLoadFromFile(P); }},
            {"file copy", [](const String& P) {
                 TOwned<TQdCopyFile> copier(Create<TQdCopyFile>(nullptr));
                 copier->SetSourceFile(P);
                 copier->SetDestFile(P + ".copy");
                 copier->Execute();
             }},
            {"registry store", [](const String& P) {
                 const TRegistryFileScope file(HKEY_CURRENT_USER, P);
                 TRegistry().OpenKey("Software\\Themes", false);
             }},
        };
    }
};

}  // namespace

TEST_F(LoadsOfAPipe, EveryReadRefusesItAtOnceNamingIt)
{
    const String pipe = Scratch / "pipe.bmp";
    MakePipe(pipe);
    const String refusal = "« " + pipe + " » : " + SNotRegularFile;
    for (const TLoader& loader : Loaders()) {
        const String message = MessageOfPipeLoad(pipe, [&] { loader.Load(pipe); });
        EXPECT_NE(message.find(refusal), String::npos) << loader.Name << ": " << message;
    }
    EXPECT_EQ(Plot->GetChannel(0)->Count(), 1);
    EXPECT_EQ(FolderNames(Scratch.Path()), std::vector<std::string>{"pipe.bmp"});
}
