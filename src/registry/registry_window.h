#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "registry/reg.h"
#include "registry/registry_scan.h"
#include "widgets/run_policy.h"
#include "widgets/string_align_grid.h"
#include "widgets/window.h"

namespace registry {

// The registry cleaner: Find walks the registry for values that name missing files and folders, the grid
// lists them, and Delete removes the chosen values after a question and a backup. Made once at start; its
// rows stay between two openings.
class TRegistryIkkuna : public widgets::Window {
  public:
    static constexpr int kHelpTopic = 107;

    TRegistryIkkuna();

    // The parts of the registry Find walks: the program's three unless a test points it elsewhere.
    std::vector<ScanRoot> ScanRoots;

    void btnStartClick();
    void btnStopClick();
    void btnSelectAllClick();
    void btnRemoveClick();
    void SuljeButtonClick();

    widgets::TStringAlignGrid& StringGrid1() { return *grid_; }
    bool Scanning() const { return scanning_; }

    std::unique_ptr<registry::Reg> Reg;
    int NextRow = 1;
    bool StopScan = false;
    bool FirstHit = true;

  protected:
    void FormShow() override;

  private:
    void FormCreate();
    void AddResultRow(const ResultRow& row, bool firstHit);
    // Trims the grid and writes the count; tell is false when an error ended the scan.
    void FinishScan(bool tell);
    void RemoveChosenRows(const std::vector<int>& chosen);
    void SetCountText();
    void ShowEmptyGrid();

    std::unique_ptr<widgets::TStringAlignGrid> grid_;
    bool scanning_ = false;
    widgets::RunPolicy findRun_;
    std::string lastStatus_;
};

// The window's Finnish captions and hints, applied over the English ones when Finnish is in use.
std::span<const widgets::TextSpec> RegistryFinnishTexts();

}  // namespace registry
