#pragma once
// The "Upload/Download" window: the upload page sends the whole setting data
// to the exchanges, the download page collects it into the model. The
// sequences decide every text; the window confirms, starts them and shows
// their messages. While a transfer runs it receives the setting texts.
#include <QDialog>

#include "link/TransferEngine.h"
#include "model/SettingData.h"

class LinkSession;
class QPushButton;
class QTabWidget;
class CPageComTx;
class CPageComRx;

class CSheetComm : public QDialog {
public:
    CSheetComm(QWidget* parent, LinkSession& link, SettingData& model);
    ~CSheetComm() override;

    QTabWidget* Tabs() const { return tabs_; }
    CPageComTx* UploadPage() const { return tx_; }
    CPageComRx* DownloadPage() const { return rx_; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* ExitButton() const { return exit_; }
    TransferEngine& Transfer() { return transfer_; }

    // The start button: the station check (upload), the exchange number, the
    // confirmation, then the sequence.
    void OnStart();

protected:
    void done(int result) override;

private:
    void ShowPage(int index);

    SettingData& model_;
    TransferEngine transfer_;
    QTabWidget* tabs_;
    CPageComTx* tx_;
    CPageComRx* rx_;
    QPushButton* start_;
    QPushButton* exit_;
};
