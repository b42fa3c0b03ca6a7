// A minimal host: it creates its components, hands them to the manager and opens a dialog.
//   corvane-example-host           opens the charge slip set window on a sample set and prints what came back
//   corvane-example-host --smoke   only initialises the manager and creates every dialog object (no window opens)
#include "ExampleCodeTables.h"
#include "ExampleLookups.h"
#include "ExampleServerLink.h"
#include "ExampleServerUtils.h"
#include "ExampleUtils.h"

#include <QApplication>

#include <CorvaneDialogsMgr.h>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;

    // The host keeps its components under their own types; the manager takes them, and temporaries, as they are.
    auto link = std::make_shared<ExampleServerLink>();
    link->replies["|GET|PREFS||"] = "ZOOM=100\r\n";
    auto utils = std::make_shared<ExampleUtils>();

    corvane::CorvaneDialogsMgr manager;
    manager.InitDialogsMgr(link, utils, std::make_shared<ExampleCodeTables>(), std::make_shared<ExampleLookups>(),
                           std::make_shared<ExampleServerUtils>());

    if (smoke) {
        // Each Get...Dlg refreshes the shared state and hands out a new object; none of them opens a window yet.
        auto stw = manager.GetSTWDlg();
        auto security = manager.GetSecurityDlg();
        auto collections = manager.GetCollectionDlg();
        auto chargeSlips = manager.GetChargeSlipSetDlg();
        auto altFees = manager.GetEditAltFeeDlg();
        auto fax = manager.GetFaxEmailDlg();
        chargeSlips->ReadOnly(true);
        const bool ready = stw && security && collections && chargeSlips && altFees && fax
            && chargeSlips->GetData().empty() && chargeSlips->Cancelled() && altFees->Cancelled();
        std::cout << "corvane-example-host: " << (ready ? "every dialog object created" : "a dialog is missing")
                  << '\n';
        return ready ? 0 : 1;
    }

    const std::string set = "Office visits\tPC\xE6\t\t99213\tOffice visit, established patient\xE6"
                            "Diagnoses\tDG\xE6\t\tE11.9\tType 2 diabetes mellitus";
    auto dialog = manager.GetChargeSlipSetDlg();
    dialog->ShowDialog(set);
    std::cout << (dialog->Cancelled() ? "cancelled" : "confirmed") << ": " << dialog->GetData() << '\n';
    return 0;
}
