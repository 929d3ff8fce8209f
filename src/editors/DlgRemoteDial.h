#pragma once
// "Remote Dialing": an exchange, one of its masters and the number to dial,
// with the last five numbers to choose from. Stays open for the next dialing
// whatever became of the last; Esc does nothing.
#include <QDialog>
#include <memory>

#include "editors/EditorDialog.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class TransferEngine;

class CDlgRemoteDial : public QDialog {
    Q_OBJECT
public:
    CDlgRemoteDial(QWidget* owner, const EditorContext& context);
    ~CDlgRemoteDial() override;

    QSpinBox* ExchangeField() const { return exchange_; }
    QSpinBox* MasterField() const { return master_; }
    QComboBox* DialField() const { return dial_; }
    QPushButton* DialButton() const { return dialButton_; }
    TransferEngine* Transfer() const { return transfer_.get(); }

    void OnDial();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowHistory();
    void Finished();

    SettingData& model_;
    std::unique_ptr<TransferEngine> transfer_;
    QSpinBox* exchange_ = nullptr;
    QSpinBox* master_ = nullptr;
    QComboBox* dial_ = nullptr;
    QPushButton* dialButton_ = nullptr;
};
