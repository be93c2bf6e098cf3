#include "app/ProgramEntry.h"

#include "app/JOV.h"
#include "platform/Forms.h"

namespace {

const char* const kUnknownErrorText = "Erreur inconnue";

// Never an empty box: without a text of its own the error gets a fixed one.
void ShowText(const String& Text) { Application->ShowException(Exception(Text.empty() ? kUnknownErrorText : Text)); }

}  // namespace

int WinMain()
{
    try {
        Application->Initialize();
        Application->MainFormOnTaskBar = true;
        Application->CreateForm(Form1);
        Application->Run();
    } catch (...) {
        ShowEscapedException(std::current_exception());
    }
    return 0;
}

void ShowEscapedException(std::exception_ptr Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const Exception& e) {
        if (e.Message().empty()) ShowText(String());
        else Application->ShowException(e);
    } catch (const std::exception& e) {
        ShowText(e.what());
    } catch (...) {
        ShowText(String());
    }
}
