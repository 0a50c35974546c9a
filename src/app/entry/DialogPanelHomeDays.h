#pragma once
// TDialogPanelHomeDays, "Wunschtermine": per team (TDialogPanelHomeDaysDetail) a week grid of the
// season in which every cell holds the short text of one day's wish (home kick-off, options,
// "FREI"). Cells are typed directly or edited in "Wunschtermin" (popup or double click). The grid
// is written in FormToData; before writing would lose anything (a cell that does not read, a date
// the grid cannot show) CheckData asks whether to go on. User-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "app/entry/DialogPanelMultiTeams.h"
#include "data/HomeDay.h"
#include "data/WishGrid.h"

class QAction;
class QMenu;
class QTableWidget;

namespace terminor {

class TWishGridDelegate;

class TDialogPanelHomeDaysDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelHomeDaysDetail(QWidget* parent = nullptr);
    ~TDialogPanelHomeDaysDetail() override;

    void DataToForm() override;
    /// Writes the records of the cells that read. A grid that still shows what it was filled with
    /// from the plan data writes nothing, so that looking at a team loses nothing.
    void FormToData() override;
    /// Fills the grid from the default's records of the team.
    void toDefault() override;
    /// The records writing would leave are the default's.
    bool isDefault() override;
    /// Double dates come in pairs of neighbouring days; then, when writing would lose entries,
    /// asks whether to go on ("Nein" stays on the page).
    bool CheckData() override;

    /// Normalises, as editing starts in a cell, the cell edited before and the cell itself.
    void EditStarting(int row, int column);
    /// "Bearbeiten...": the dialog "Wunschtermin" for the cell.
    void EditCell(int row, int column);
    /// "Löschen": empties the cell.
    void DeleteCell(int row, int column);
    /// Enables "Löschen" for a non-empty current cell.
    void UpdatePopup();

    /// The weeks shown.
    const TWishGridWeeks& weeks() const { return *FWeeks; }
    /// The texts of all cells (a cell being typed in counts with its typed text).
    TWishGridTexts GridTexts();
    /// The lines of what writing the grid now would lose.
    std::vector<std::string> Losses();

    QTableWidget* GridHomeDays = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* MenuEdit = nullptr;
    QAction* MenuDelete = nullptr;

private:
    /// What FormToData writes.
    enum class TWrite { Nothing, FilledRecords, GridRecords };
    TWrite WriteKind(const TWishGridTexts& texts) const;
    /// The texts of all cells as the grid holds them (an open editor's text not yet included).
    TWishGridTexts CellTexts() const;
    /// The team's records once the page is written.
    THomeDayList RecordsAfterWrite(const TWishGridTexts& texts) const;
    THomeDayList DefaultRecords() const;
    void Fill(const THomeDayList& records, bool fromPlanData);
    void SetCellText(int row, int column, const std::string& text);
    void NormalizeCell(int row, int column);
    void FitColumns();

    TWishGridDelegate* Delegate = nullptr;
    std::unique_ptr<TWishGridWeeks> FWeeks;
    /// The records the grid was last filled with, what its cells then read as, and those no cell shows.
    THomeDayList FFilled;
    THomeDayList FFilledInGrid;
    std::vector<THomeDay> FHidden;
    bool FFilledFromPlanData = true;
    int FLastEditedRow = -1;
    int FLastEditedColumn = -1;
};

class TDialogPanelHomeDays : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelHomeDays(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
    QString getHeaderText() const override;
};

} // namespace terminor
