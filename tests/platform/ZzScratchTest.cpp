#include <gtest/gtest.h>
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"
TEST(ZzScratch, Grab)
{
    auto* form = Create<TForm>(nullptr);
    form->SetClientWidth(320); form->SetClientHeight(220); form->Show();
    auto* pages = Create<TPageControl>(form);
    pages->SetBounds(10, 10, 300, 200); pages->SetParent(form);
    for (const char* c : {"&Axes", "Courbes", "Legende"}) { auto* s = Create<TTabSheet>(form); s->SetCaption(c); s->SetPageControl(pages); }
    auto* b = Create<TButton>(form); b->SetCaption("Bouton"); b->SetParent(pages->Pages(1)); b->SetBounds(10,10,75,25);
    pages->SetActivePageIndex(1);
    auto bmp = Testing::Grab(form);
    bmp->SaveToFile("/tmp/pc.bmp");
    form->Free();
}
