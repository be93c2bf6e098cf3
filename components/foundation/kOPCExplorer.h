#pragma once
// A small window, above the others, that lists the library's open server
// connections. Its layout is form data (resources/TkOPCExplorerForm.txt).

#include "platform/Forms.h"

class TImageList;
class TTreeView;

class TkOPCExplorerForm : public TForm {
    PL_CLASSINFO()
public:
    explicit TkOPCExplorerForm(TComponent* AOwner);

    // Lists afresh: "Groups" (image 1) and "Servers Connections" (image 0),
    // one child of the latter per open connection (image 2).
    void Refresh();

    TTreeView* TreeView = nullptr;
    TImageList* Images() const { return FImages; }

private:
    TImageList* FImages;
};

// Creates the shared explorer on first use (owned by the application),
// lists afresh and shows it.
TkOPCExplorerForm* ShowOPCExplorer();
