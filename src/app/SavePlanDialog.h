#pragma once
// TFormSavePlan ("Plan merken..."): names a schedule to remember, lists the remembered ones,
// deletes one of them and opens the storage directory. User-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace terminor {

class TFormSavePlan : public QDialog {
    Q_OBJECT
public:
    explicit TFormSavePlan(QWidget* parent = nullptr);

    /// Lists the names (in the given order, newest first) and remembers the storage directory.
    void SetValues(const std::string& directory, const std::vector<std::string>& savedPlanNames);
    /// The entered name, trimmed.
    std::string Name() const;
    /// The file of a remembered schedule: directory, "/", the escaped name, ".xml".
    std::string PlanFileName(const std::string& name) const;

    /// Checks the name; closes with OK when it is new or the user agrees to overwrite.
    void accept() override;
    /// "Löschen...": asks, then deletes the selected schedule's file and its entry.
    void DeleteSelected();

    /// Yes/No questions and notices; message boxes unless replaced (the tests answer them).
    std::function<bool(const QString& question)> AskYesNo;
    std::function<void(const QString& text)> ShowMessage;

    std::string CurrentPlanDirectory;
    QListWidget* ListPlans = nullptr;
    QLineEdit* EditName = nullptr;
    QLabel* LinkLabel1 = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* Lschen1 = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    void ListPlansClick(QListWidgetItem* item);
    void LinkLabel1Click();
};

/// Shows the dialog; true when the user confirmed, with the trimmed name in `name`.
bool ExecuteSavePlanDialog(QWidget* parent, const std::string& directory,
                           const std::vector<std::string>& savedPlanNames, std::string& name);

} // namespace terminor
