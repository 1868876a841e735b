// TLogonForm: the modal logon window shown before each connection. The user signs on by server
// account (method 1), by e-mail address and password (method 2) or by ID card (method 4); the
// window hands the typed values to the session when it closes and keeps one settings file per
// logon, which becomes the program's current settings file.
//
// Settings files during one logon: on opening, the file that is current (the previous logon's
// file) supplies the two check boxes and possibly the method; LoadIniFileData switches to
// "brenmoto.ini" and back to the previous logon's file; on closing, SaveIniFIleData switches to
// "brenmoto.ini" and then to the new logon's file, which stays current for the rest of the run.
#pragma once

#include <string>

#include "forms/forms_context.h"
#include "windows/dialog.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dravn {

class TLogonForm : public TDialogForm {
    Q_OBJECT
  public:
    explicit TLogonForm(FormsContext& forms, QWidget* parent = nullptr);

    // Shows the panel of the method and sizes the window; 0 takes "LogonMethod" of the current
    // settings file (2 when that is 0 too).
    void SetFormHeight(int method);
    // Fills the controls from "brenmoto.ini", then opens the logon's settings file (the name,
    // or "LogonInifile" when the name is empty).
    void LoadIniFileData(std::string name);
    // Stores the logon in "brenmoto.ini" (with the typed logon when saveToDisk), then opens the
    // named settings file.
    void SaveIniFIleData(const std::string& name, bool saveToDisk);

    // Event handlers, named after their controls.
    void LogonLabelClick();
    void RFIDClick();
    void ConnectButtonClick();
    void BitBtn1Click();
    void emailCloseUp();
    void LogonFieldChange();
    void EditButtonClick();
    void CleanImageClick();
    void Image1Click();

    // The settings file of a logon: server_database_user for a server logon, the e-mail address
    // for a user logon, the card code for a card logon (+ ".ini"); ".ini" for any other method.
    static std::string LogonFileName(int method, const std::string& server, const std::string& database,
                                     const std::string& user, const std::string& email,
                                     const std::string& card);

    // Panels from top to bottom, with their controls.
    TImage* Image1 = nullptr;

    QFrame* UserPanel = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* email = nullptr;
    QLabel* userpasswordLabel = nullptr;
    QLineEdit* userpassword = nullptr;
    TImage* EditButton = nullptr;
    TImage* CleanImage = nullptr;

    QFrame* ServerPanel = nullptr;
    QLabel* ServerLabel = nullptr;
    QLineEdit* Server = nullptr;
    QLabel* DatabaseLabel = nullptr;
    QLineEdit* Database = nullptr;
    QLabel* ServerUserLabel = nullptr;
    QLineEdit* ServerUser = nullptr;
    QLabel* ServerPasswordLabel = nullptr;
    QLineEdit* ServerPassword = nullptr;

    QFrame* RFIDPanel = nullptr;
    QLabel* RFIDkodeLabel = nullptr;
    QLineEdit* RFIDkode = nullptr;

    QFrame* Panel2 = nullptr;
    QPushButton* ConnectButton = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QCheckBox* SaveLogon = nullptr;

    QFrame* Panel1 = nullptr;
    QLabel* LocationLabel = nullptr;
    QComboBox* LocationCombo = nullptr;
    QCheckBox* UseLocalIP = nullptr;
    QCheckBox* cUseSSL = nullptr;
    TImage* LogonLabel = nullptr;
    TImage* RFID = nullptr;

    QFrame* BottomPanel = nullptr;
    QLabel* VersjonLabel = nullptr;
    QLabel* NoticeLabel = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* pLabel = nullptr;
    QLabel* Image3 = nullptr;

    static constexpr int ClientWidth = 601;
    static constexpr const char* MakerWebSite = "https://www.brenmoto.no/";

  protected:
    void FormShow() override;
    void FormClose() override;

  private:
    FormsContext& forms_;
};

// Creates the logon window, shows it modally with the caption and the method (0: the stored
// one), destroys it and returns CurrentLogonMethod.
int ShowLogonWindow(FormsContext& forms, const std::string& caption, int method);

}  // namespace dravn
