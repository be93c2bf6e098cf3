#include "PlatformUnit.h"

#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ListBox.h"
#include "platform/Memo.h"
#include "platform/Menus.h"
#include "platform/Printers.h"
#include "platform/StdCtrls.h"

// The form data of platform/resources, compiled into the layer.
void RegisterResources_PLATFORM();

namespace pl {

namespace {

void RegisterCursorIdents()
{
    RegisterIntegerIdents("TCursor", {{crDefault, "crDefault"},   {crNone, "crNone"},
                                      {crArrow, "crArrow"},       {crCross, "crCross"},
                                      {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
                                      {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},
                                      {crSizeWE, "crSizeWE"},     {crUpArrow, "crUpArrow"},
                                      {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
                                      {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},
                                      {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
                                      {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
                                      {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
                                      {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"}});
}

}  // namespace

void InitializePlatformUnit()
{
    RegisterResources_PLATFORM();
    RegisterGraphicsIdents();
    RegisterCursorIdents();
    RegisterClasses({TForm::StaticClassInfo(), TPanel::StaticClassInfo(), TLabel::StaticClassInfo(),
                     TButton::StaticClassInfo(), TEdit::StaticClassInfo(), TComboBox::StaticClassInfo(),
                     TCheckBox::StaticClassInfo(), TImage::StaticClassInfo(), TTimer::StaticClassInfo(),
                     TMainMenu::StaticClassInfo(), TPopupMenu::StaticClassInfo(), TMenuItem::StaticClassInfo(),
                     TPageControl::StaticClassInfo(), TTabSheet::StaticClassInfo(), TListBox::StaticClassInfo(),
                     TGroupBox::StaticClassInfo(), TColorDialog::StaticClassInfo(), TFontDialog::StaticClassInfo(),
                     TOpenDialog::StaticClassInfo(), TSaveDialog::StaticClassInfo(), TPrintDialog::StaticClassInfo()});
    RegisterClasses({TMemo::StaticClassInfo()});
}

void FinalizePlatformUnit() { Free(SetPrinter(nullptr)); }

}  // namespace pl
