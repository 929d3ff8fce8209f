#pragma once
// The member-list editors: one window over the rules of its family. Each
// master of the exchange chosen has its list in the grid; Scan Monitor adds
// the monitoring time of the master.
#include "editors/EditorDialog.h"
#include "editors/MemberRules.h"

class QComboBox;
class SpinField;
class GridWidget;

class CDlgMembers : public EditorDialog {
    Q_OBJECT
public:
    CDlgMembers(QWidget* owner, const EditorContext& context, MemberFamily family);

    const MemberCopy& Copy() const { return copy_; }
    QComboBox* Selector() const { return selector_; }
    QComboBox* MasterList() const { return master_; }
    SpinField* TimeField() const { return time_; }  // Scan Monitor only
    GridWidget* Grid() const { return grid_; }
    int Exchange() const { return exchange_; }
    int Master() const { return masterShown_; }

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void DeleteAllRows() override;
    // The master shown, from the working copy.
    void PrintCopy() override;

private:
    // A new exchange or master chosen: checked, then shown.
    void OnSelection(QComboBox* changed);
    void Select(int exchange, int master);
    void ShowRow(int row);
    void ShowTime();

    MemberCopy copy_;
    QComboBox* selector_ = nullptr;
    QComboBox* master_ = nullptr;
    SpinField* time_ = nullptr;
    GridWidget* grid_ = nullptr;
    int exchange_ = 1;
    int masterShown_ = 1;
    bool filling_ = false;
};

class CDlgScan : public CDlgMembers {
    Q_OBJECT
public:
    CDlgScan(QWidget* owner, const EditorContext& context) : CDlgMembers(owner, context, MemberFamily::Scan) {}
};

class CDlgGroup : public CDlgMembers {
    Q_OBJECT
public:
    CDlgGroup(QWidget* owner, const EditorContext& context) : CDlgMembers(owner, context, MemberFamily::Group) {}
};

class CDlgMeeting : public CDlgMembers {
    Q_OBJECT
public:
    CDlgMeeting(QWidget* owner, const EditorContext& context) : CDlgMembers(owner, context, MemberFamily::Meeting) {}
};
