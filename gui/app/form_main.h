#pragma once
// The main window: owns the link, the records and every page, and runs the
// whole exchange with the instrument on the GUI thread.

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "core/device/records.h"
#include "core/link/command_engine.h"
#include "core/link/command_registry.h"
#include "core/link/mbu.h"
#include "core/link/transfer.h"
#include "core/modules/module_map.h"
#include "core/views/value_destinations.h"
#include "gui/app/startup_options.h"
#include "gui/link/instrument_context.h"
#include "transport/hid_library.h"

class QTabWidget;
class QTimer;
class QLabel;
class QAbstractButton;
class QScrollArea;

namespace velmar {

class HeaderPage;
class MonitorPage;
class AboutPage;
class VersionRefusedPage;
class VelmarAidGroup;
class ModuleTabs;
class TForm_Keszulekcsere;
class TForm_Errors;
class SettingsFiles;
class TForm_IncDec;
class TForm_IncDecEdit;
class ModuleDialog;
class TForm_PXAI;
class TForm_PXAO;
class TForm_PXRL;
class TForm_PXMB;
class TForm_Password;
class TForm_PXRT;
class TForm_PXTR;
class TForm_Trend;
class PX530Page;
class PX210Page;
class TMBarGraph;
class Lamp;
class ServiceSerialPage;
class ServiceCalibrationPage;
class ServiceTestsPage;
class LimitOutputsPage;
class SettingsPage;
class SettingsSetView;
class OutputCalibrationPage;
struct OptionSlot;

class TForm1 : public QMainWindow, public TransferHost {
    Q_OBJECT
public:
    TForm1(HidLibrary& hid, StartupOptions options, QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // --- state owned by the main window
    std::array<uint8_t, 67> FBufferOut{};
    std::array<uint8_t, 65> FBufferIn{};
    TMBU recMBU;
    tRX recRX;
    tTX recTX;
    TGlobalVar recGlobalVar;
    tMSys recMSys;
    bool bVelmarMode = false;
    bool bFoKimenetiModulVanNyitva = false;
    QChar DateSeparator = '.';
    QChar DecimalSeparator = '.';
    PayloadTransfer transfer;
    CommandRegistry commands;
    // Commands asked for by the settings files and the journal.
    CommandEngine engine;
    ValueDestinations valueDestinations;  // where the value editors' results go
    QString firmware;  // of the instrument that answered last, as the header shows it
    // The measured value's unit as the header shows it: "?" until an answer
    // tells one, and kept when an answer does not.
    QString shownUnit = QStringLiteral("?");
    // What the pages and dialogs listen to: status answers, answered
    // commands, every settings block read or written.
    InstrumentEvents events;
    // What the pages and dialogs are handed instead of the main window.
    InstrumentContext& Context() { return context_; }

    // --- start-up, activation, shutdown
    void FormActivate();
    void ReactivateForm() { FormActivate(); }
    void Button_ExitFromApplicationClick();
    void Button_RefreshFormClick();
    // How long after a refresh a minimised state reported by the window
    // manager is still the refresh's own, and undone.
    static constexpr int kRefreshSettleMs = 1500;
    // The window at the size the largest of its pages with a tab asks for,
    // within the screen's available area; height, when given, instead of
    // theirs. The pages scroll where the screen is smaller.
    void FitWindowToContent(int height = 0);
    static constexpr int kServiceModeHeight = 800;
    QString ProgramDateText() const;
    // A message the user confirms with OK.
    void Inform(const QString& text) const { context_.Inform(text); }
    // A yes/no question; without anyone to ask (tools without a display) yes.
    bool Confirm(const QString& text) const { return context_.Confirm(text); }

    // --- link supervision
    bool HandleHidMessage(int event, HidHandle handle);
    void ShowHidIdentity();
    void ClearHidIdentity();
    [[nodiscard]] bool SendTxFrame() override;
    void ProcessRxFrame() override;
    void StartAnswerTimer() override;
    void StopAnswerTimer() override;
    void TimerTimeOutTimer();
    void Timer_1secTimer();
    void Timer_RxLEDTimer();
    void FlashRxLed();
    static uint8_t CounterDelta(uint8_t previous, uint8_t current) { return uint8_t(current - previous); }
    void EndTransfer() { transfer.EndTransfer(); }

    // --- transfer hooks
    void ProcessRxCommand(uint8_t command) override;
    void ShowAnswerLength(uint16_t length) override;
    void ShowTxBufferFull(bool full) override;

    // --- scheduler
    void Timer_CommTimer();
    void ScheduleCommand();
    void StartCommand(uint8_t command, bool forEngine = false);
    // Finds the request buttons of the priority list in the main window and
    // in the dialogs, once all of them exist.
    void ResolveRequestButtons(const QList<QWidget*>& dialogs);
    // The dialog of a module kind, once the dialogs exist.
    ModuleDialog* DialogOf(ModuleKind kind) const;
    // The settings set's view gets the parts the module dialogs hold.
    void HandSettingsSetParts();

    // --- status exchange
    void BuildStatusRequest();
    void ProcessStatusAnswer();

    // --- header
    void BuildHeaderBars();
    void RefreshHeader();
    void RefreshLimitLamps();
    void Button_ErrorDetailsClick();
    // A number with a mask and the system's decimal separator.
    QString FormatNumber(double value, const std::string& mask) const { return context_.FormatNumber(value, mask); }

    // --- pages
    void ShowNoCommPage();
    void ShowDevicePage(QWidget* page);
    void HideDevicePages();
    void SelectDevicePage(uint16_t deviceType);
    void ShowDeviceTypeName(uint16_t deviceType);
    void ShowOptInButtons(uint8_t code);
    void ShowOptOutPrimerButtons(uint8_t code);
    void ShowOptOutSecondaryButtons(uint8_t code);
    // Requests the settings of the device page in front.
    void ReadActivePageSettings();
    // The user brought another device page to the front.
    void PageControl4Change();
    // The display test pattern of the indicator pages, kept within 1..21
    // and shown on the PX530 page.
    void SetDisplayTestPattern(int pattern);
    void StepDisplayTestPattern(int step) { SetDisplayTestPattern(recGlobalVar.uKijelzoTeszt_PX530 + step); }
    void ShowDisplayTestPattern();
    void ShowVersionRefusedPage(bool tooNew);
    void CheckDeviceIdentity();
    void Button_GyariSzamToEditsClick();
    void CloseDeviceReplacedDialog();
    void ShowTxFrame();

    // --- the instrument the requests are meant for
    // The instrument of the last answer; none before the first.
    const std::optional<InstrumentKey>& AnsweringInstrument() const { return answering_; }
    // Pending requests that would change the instrument are given up, and
    // the user is told why: they were asked of an instrument that is gone.
    void DropPendingChanges(const QString& why);

    // --- service tab
    void ReadSerialPage();
    void Button_Auto5kHzCalculationClick();
    void PageControl1Change();

    // --- pages and widgets, reachable for the rest of the program
    HeaderPage* header = nullptr;
    MonitorPage* monitor = nullptr;
    VelmarAidGroup* velmarAid = nullptr;
    AboutPage* aboutPage = nullptr;
    VersionRefusedPage* tooOldPage = nullptr;
    VersionRefusedPage* tooNewPage = nullptr;
    QTabWidget* PageControl4 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet_Velmar = nullptr;
    std::array<QWidget*, 8> devicePages{};  // in DevicePage order: 310, 330, 210, 510, 350, 370, 530, 580
    ModuleTabs* moduleTabs = nullptr;
    PX210Page* px210Page = nullptr;
    TForm_Keszulekcsere* Form_Keszulekcsere = nullptr;  // created after the main window
    TForm_Errors* Form_Errors = nullptr;
    SettingsFiles* settingsFiles = nullptr;
    TForm_IncDec* Form_IncDec = nullptr;
    TForm_IncDecEdit* Form_IncDecEdit = nullptr;
    TForm_PXAI* Form_PXAI = nullptr;
    TForm_PXAO* Form_PXAO = nullptr;
    TForm_PXRL* Form_PXRL = nullptr;
    TForm_PXMB* Form_PXMB = nullptr;
    TForm_Password* Form_Password = nullptr;
    TForm_PXRT* Form_PXRT = nullptr;
    TForm_PXTR* Form_PXTR = nullptr;
    TForm_Trend* Form_Trend = nullptr;
    PX530Page* px530Page = nullptr;
    ServiceSerialPage* serialPage = nullptr;
    ServiceCalibrationPage* calibrationPage = nullptr;
    ServiceTestsPage* testsPage = nullptr;
    OutputCalibrationPage* outputCalibrationPage = nullptr;
    LimitOutputsPage* limitOutputsPage = nullptr;
    SettingsPage* settingsPage = nullptr;
    SettingsSetView* settingsSetView = nullptr;
    TMBarGraph* MBarGraph_OutputPercent1 = nullptr;
    TMBarGraph* MBarGraph_fPXAOKimenoErtek = nullptr;
    TMBarGraph* MBarGraph_OutputPercent2 = nullptr;
    TMBarGraph* MBarGraph_fPXAOKimenoErtek_2 = nullptr;

    QTimer* TimerTimeOut = nullptr;
    QTimer* Timer_1sec = nullptr;
    QTimer* Timer_RxLED = nullptr;
    QTimer* Timer_Comm = nullptr;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void FormCreate();
    void BuildPages();
    void BuildServicePages();
    void ConnectSignals();
    void FormClose();
    void RestoreAfterRefresh();
    QSize Room() const;
    QSize SizeForPage(QWidget* page) const;
    void ConnectHeaderButtons();
    void ShowErrorColours(uint8_t code);
    void ShowOptionButtons(const OptionSlot& slot, uint8_t code);
    void RefreshOutputBar(TMBarGraph* bar, uint8_t module, float value, uint8_t analogueType);

    bool RequestPending(std::size_t rank) const;
    // Each answer's header names its instrument: another one than before
    // drops what was asked of the last.
    void NoteAnsweringInstrument();

    std::vector<std::pair<Lamp*, int>> limitLamps_;  // lamp, limit output 0 or 1
    HidLibrary& hid_;
    std::vector<std::array<QAbstractButton*, 2>> requestButtons_;
    std::vector<bool> requestChanges_;  // per rank: its command changes the instrument
    std::optional<InstrumentKey> answering_;
    // Until an answer tells who is attached, nothing that changes an
    // instrument goes out: the link may have come back with another one.
    bool answeredSinceLinkUp_ = false;
    bool statusTurn_ = false;
    bool serviceModeFitted_ = false;
    QWidget* pageArea_ = nullptr;  // the window's content: header, pages, service aid
    QScrollArea* pageScroll_ = nullptr;
    QWidget* steadyPage_ = nullptr;  // the instrument's page the window was last sized for
    QSize steadySize_;
    QSize keptLeast_;  // the content's minimum when the window was last kept on the screen
    bool refreshRestorePending_ = false;  // a refresh's restore may still be undone by the window manager
    bool restoreMaximized_ = false;
    bool engineInFlight_ =
        false;  // the command under way is the engine's  // the status poll goes between the engine's commands
    StartupOptions options_;
    InstrumentContext context_;
};

}  // namespace velmar
