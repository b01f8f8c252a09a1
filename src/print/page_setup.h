// The Print Setup dialog's rules: the printers, the papers of the chosen
// printer and the orientation, kept apart from the printer system so any
// printer (a PDF file included) is set up the same way.
#pragma once

#include <string>
#include <vector>

namespace torvel {

struct PaperChoice {
    std::string Name; // as shown
    int Key = 0;      // the paper's identity on the platform side
    bool operator==(const PaperChoice&) const = default;
};

struct PageSetupState {
    std::vector<std::string> Printers;
    int Printer = 0;
    std::vector<PaperChoice> Papers;
    int Paper = 0;
    bool Portrait = true;
};

// Another printer was chosen: its papers replace the list. The paper chosen so
// far stays when the new printer has it, else the printer's default paper,
// else the first.
void PrinterChanged(PageSetupState& state, std::vector<PaperChoice> papers, int defaultKey);

// The chosen paper's key, or fallback when the list is empty.
int ChosenPaperKey(const PageSetupState& state, int fallback);

} // namespace torvel
