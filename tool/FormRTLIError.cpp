#include "tool/FormRTLIError.h"

#include "tool/Application.h"
#include "tool/TdLang.h"
#include "tool/TdMapiMail.h"
#include "tool/TdMsgBox.h"

namespace {

enum { kReportId = 10, kCloseId = IDCANCEL, kMemoId = 12 };

const TLangText SReportButton = {{"&Report error", "Fout &rapporteren"}};
const TLangText SReportSubject = {{"Error report", "Foutrapport"}};
const TLangText SException = {{"Exception", "Exceptie"}};
const TLangText SIn = {{"In", "In"}};
const TLangText SMessage = {{"Message", "Bericht"}};
const TLangText SProgram = {{"Program", "Programma"}};
const TLangText SClose = {{"Close", "Sluiten"}};
const TLangText SQuestion = {{
    "Reporting the error may help us solving the problem for you. There will "
    "be sent system specific information (cpu, Windows version and memory "
    "size).\r\n\r\nWe would like you to fill in the included form in order to "
    "help you as efficient as possible.\r\n\r\n\r\nDo you want to report the "
    "error to Tidemar Software?",
    "Het rapporteren van de fout kan ons helpen het probleem voor u op te "
    "lossen. Er wordt systeemspecifieke informatie meegestuurd (cpu, "
    "Windows-versie en geheugengrootte).\r\n\r\nWij vragen u het bijgevoegde "
    "formulier in te vullen, zodat wij u zo effici\xebnt mogelijk kunnen "
    "helpen.\r\n\r\n\r\nWilt u de fout rapporteren aan Tidemar Software?",
    "", "", "", "",
    "Rapportering af fejlen kan hj\xe6lpe os med at l\xf8se problemet for dig. "
    "Der sendes systemspecifikke oplysninger (cpu, Windows-version og "
    "hukommelsesst\xf8rrelse).\r\n\r\nVi beder dig udfylde den vedlagte "
    "formular, s\xe5 vi kan hj\xe6lpe dig s\xe5 effektivt som muligt.\r\n\r\n\r\n"
    "Vil du rapportere fejlen til Tidemar Software?",
    ""}};
const TLangText SMailBody = {{
    "Form\r\n\r\nPersonal information:\r\n  - Name:\r\n  - Country:\r\n  - "
    "Telephone number:\r\n\r\n\r\nError information:\r\n  - When does the "
    "error occures?\r\n\r\n  - Is the error reproducable? If so, how?\r\n\r\n"
    "  - Details / remarks:",
    "Formulier\r\n\r\nPersoonlijke informatie:\r\n  - Naam:\r\n  - Land:\r\n"
    "  - Telefoonnummer:\r\n\r\n\r\nInformatie over de fout:\r\n  - Wanneer "
    "treedt de fout op?\r\n\r\n  - Is de fout reproduceerbaar? Zo ja, hoe?"
    "\r\n\r\n  - Bijzonderheden / opmerkingen:"}};

std::string WithoutAmpersand(std::string text) {
  size_t at = text.find('&');
  if (at != std::string::npos) text.erase(at, 1);
  return text;
}

}  // namespace

TFormRTLIError::TFormRTLIError(const Report& report) : report_(report) {
  SetFont(CreateFormFont(-11));
  CreateForm("TFormRTLIError", MsgDlgTypeCaption(mtError), 600, 366,
             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME,
             WS_EX_DLGMODALFRAME, GetActiveWindow(), nullptr);
  AddLabelPair(GetLangStr(SException), report.ClassName, 10, 16);
  AddLabelPair(GetLangStr(SIn), report.ExePath, 30, 16);
  AddLabelPair(GetLangStr(SProgram), report.ProgramText, 50, 16);
  AddLabelPair(GetLangStr(SMessage), report.Message, 70, 56);
  bool canReport = !report.ReportAddress.empty();
  if (canReport)
    AddControl("BUTTON", GetLangStr(SReportButton), WS_TABSTOP | BS_PUSHBUTTON,
               190, 134, 112, 25, kReportId);
  AddControl("BUTTON", GetLangStr(SClose),
             WS_TABSTOP | BS_DEFPUSHBUTTON, canReport ? 310 : 250, 134, 100, 25,
             kCloseId);
  SetDefaultButton(kCloseId);
  AddControl("EDIT", report.ReportText,
             WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 166,
             600, 200, kMemoId, WS_EX_CLIENTEDGE);
}

TFormRTLIError::~TFormRTLIError() { DeleteObject(Font()); }

void TFormRTLIError::AddLabelPair(const std::string& label,
                                  const std::string& value, int top, int height) {
  AddControl("STATIC", label + ":", SS_LEFT | SS_NOPREFIX, 10, top, 80, 16, 0);
  AddControl("STATIC", value, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 92, top,
             498, height, 0);
}

void TFormRTLIError::OnCommand(int id, int code, HWND /*control*/) {
  if (code != BN_CLICKED) return;
  if (id == kReportId) ButtonReportClick();
  if (id == kReportId || id == kCloseId) SetModalResult(mrOK);
}

void TFormRTLIError::ButtonReportClick() {
  if (MessageDlgCaption(WithoutAmpersand(GetLangStr(SReportButton)),
                        GetLangStr(SQuestion), mtConfirmation,
                        MsgButton(mbYes) | MsgButton(mbNo)) != mrYes)
    return;
  TMAPIMail mail;
  mail.To.push_back(report_.ReportAddress);
  mail.ShowDialog = true;
  mail.Subject = GetLangStr(SReportSubject) + ": " + report_.ProgramText +
                 " - " + report_.ClassName;
  mail.Body.push_back(GetLangStr(SMailBody));
  if (report_.LogPath.empty())
    mail.Body.push_back(report_.ReportText);
  else
    mail.Attachments.push_back(report_.LogPath);
  ULONG result = mail.Send(Handle());
  if (result > 1)
    MessageDlgCaption(Application.Title(), TMAPIMail::ErrorText(result),
                      mtCustom, MsgButton(mbOK));
}

void TFormRTLIError::ShowError(const std::string& exePath,
                               const std::string& programText,
                               const std::string& reportAddress,
                               const std::string& logPath,
                               const std::string& reportText,
                               const std::string& message,
                               const std::string& className) {
  TFormRTLIError form(
      {exePath, programText, reportAddress, logPath, reportText, message, className});
  form.ShowModal();
}
