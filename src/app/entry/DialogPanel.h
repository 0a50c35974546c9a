#pragma once
// TDialogPanel: one page of the data-entry dialogs. A page reads a TPlanData into its controls
// (DataToForm), writes them back (FormToData), compares itself with default data and restores it,
// and validates its controls. Hosts own the data; a page only holds references to it.
// TDialogTeamPanel is the base of the per-team detail pages. User-interface thread only.

#include <functional>
#include <memory>
#include <string>

#include <QString>
#include <QWidget>

namespace terminor {

class TPlanData;

class TDialogPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDialogPanel(QWidget* parent = nullptr);
    ~TDialogPanel() override;

    /// Places the page into the host's panel (which gets a layout when it has none).
    virtual void setPanel(QWidget* panelMain);
    /// Fills the controls from PlanData.
    virtual void DataToForm() {}
    /// Writes the controls into PlanData.
    virtual void FormToData() {}
    /// Fills the controls from PlanDataDefault; PlanData changes only at the next FormToData.
    virtual void toDefault() {}
    /// Whether the controls show the same content as PlanDataDefault.
    virtual bool isDefault() { return true; }
    /// Validates the controls; shows its own message and answers false on failure.
    virtual bool CheckData() { return true; }
    /// The page's caption (the tree node text and the window text); the window title by default.
    virtual QString getCaption() const { return windowTitle(); }

    /// Stores both references; neither is owned. `planDataDefault` may be null.
    void setPlanData(TPlanData* planData, const TPlanData* planDataDefault);
    TPlanData* planData() const { return PlanData; }
    const TPlanData* planDataDefault() const { return PlanDataDefault; }

    /// Raised whenever the user changes something on the page.
    std::function<void()> OnChange;
    /// Raises OnChange unless the page is filling its own controls.
    void DoChange();

    /// The page's own main panel; pages build their controls into it.
    QWidget* PanelMain = nullptr;

protected:
    /// While one of these lives, changes of the controls are the page's own filling and DoChange
    /// raises nothing. Nestable.
    class TFillGuard {
    public:
        explicit TFillGuard(TDialogPanel& panel) : Panel(panel) { ++Panel.FillDepth; }
        ~TFillGuard() { --Panel.FillDepth; }
        TFillGuard(const TFillGuard&) = delete;
        TFillGuard& operator=(const TFillGuard&) = delete;

    private:
        TDialogPanel& Panel;
    };
    bool isFilling() const { return FillDepth > 0; }

    TPlanData* PlanData = nullptr;
    const TPlanData* PlanDataDefault = nullptr;

private:
    int FillDepth = 0;
};

/// Base of the detail pages that edit one team.
class TDialogTeamPanel : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogTeamPanel(QWidget* parent = nullptr) : TDialogPanel(parent) {}

    using TDialogPanel::setPlanData;
    void setPlanData(const std::string& teamName, TPlanData* planData, const TPlanData* planDataDefault);
    const std::string& teamName() const { return TeamName; }

protected:
    std::string TeamName;
};

/// A page "class": creates a new page each time it is called.
using TDialogPanelClass = std::function<std::unique_ptr<TDialogPanel>()>;

/// The message boxes of the data-entry pages, replaceable so tests can answer them.
struct TDataEntryHooks {
    /// An information or error message with "OK".
    std::function<void(QWidget* parent, const QString& text)> ShowMessage;
    /// A confirmation with "Ja" and "Nein"; true for "Ja".
    std::function<bool(QWidget* parent, const QString& text)> AskYesNo;
};
/// The hooks in use (Qt message boxes unless a test replaced them).
TDataEntryHooks& DataEntryHooks();
/// The hooks of the program: Qt message boxes with German buttons.
TDataEntryHooks DefaultDataEntryHooks();
void ShowEntryMessage(QWidget* parent, const QString& text);
/// Runs an event handler of a page or dialog; an error is shown with its German text and false
/// returned. Handlers run through this so that no exception reaches Qt's event loop.
bool GuardedEntry(QWidget* parent, const std::function<void()>& handler);
bool AskEntryYesNo(QWidget* parent, const QString& text);

/// QString from and to the UTF-8 texts of the plan data.
inline QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string Ss(const QString& text) {
    return text.toStdString();
}

} // namespace terminor
