#include "gui/app/form_main.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/device/device_types.h"
#include "gui/app/velmar_aid.h"
#include "gui/modules/module_tabs.h"
#include "gui/app/version_refused_page.h"
#include "program/program_date.h"
#include "gui/device/header_page.h"
#include "core/device/number_mask.h"
#include "gui/device/service_requests.h"
#include "core/link/command_history.h"
#include "gui/link/monitor_page.h"
#include "core/link/priority_list.h"
#include "gui/views/about_page.h"
#include "gui/views/current_page_sizing.h"
#include "gui/views/px530_page.h"
#include "gui/views/px210_page.h"

namespace velmar {

namespace {
const char* const kTitle = "Beállító program a Velmar Kft. USB csatlakozós készülékeihez   v";

struct DevicePageInfo {
    const char* objectName;
    const char* caption;
};
// In the order of TForm1::devicePages.
constexpr DevicePageInfo kDevicePages[] = {
    {"TabSheet_310", "PX310"},    {"TabSheet_330", "PX330"}, {"TabSheet_210", "PX210USB"},
    {"TabSheet_510", "PX510USB"}, {"TabSheet_350", "PX350"}, {"TabSheet_370", "PX370"},
    {"TabSheet_530", "PX530, PX544 IP, PX546 IP"}, {"TabSheet_580", "PX580"},
};

QTimer* MakeTimer(QObject* parent, const char* name, int intervalMs, bool singleShot) {
    auto* t = new QTimer(parent);
    t->setObjectName(name);
    t->setInterval(intervalMs);
    t->setSingleShot(singleShot);
    return t;
}
}  // namespace

TForm1::TForm1(HidLibrary& hid, StartupOptions options, QWidget* parent)
    : QMainWindow(parent),
      transfer(recMBU, FBufferOut.data(), FBufferIn.data(), *this),
      hid_(hid),
      options_(std::move(options)) {
    setObjectName("TForm1");
    BuildPages();
    ConnectSignals();
    FormCreate();
}

TForm1::~TForm1() {
    delete moduleTabs;
    // The hook goes first, so no late event reaches a half-destroyed window.
    disconnect(&hid_, nullptr, this, nullptr);
}

void TForm1::BuildPages() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    header = new HeaderPage(central);
    layout->addWidget(header);
    BuildHeaderBars();

    PageControl4 = new QTabWidget(central);
    PageControl4->setObjectName("PageControl4");
    layout->addWidget(PageControl4, 1);
    for (std::size_t i = 0; i < devicePages.size(); ++i) {
        devicePages[i] = new QWidget;
        devicePages[i]->setObjectName(kDevicePages[i].objectName);
        PageControl4->addTab(devicePages[i], QString::fromUtf8(kDevicePages[i].caption));
    }
    moduleTabs = new ModuleTabs(devicePages);
    QWidget* page530 = devicePages[std::size_t(DevicePage::P530)];
    px530Page = new PX530Page(*this, page530);
    moduleTabs->AddBelowGroups(page530, px530Page);
    px210Page = new PX210Page(*this, devicePages[std::size_t(DevicePage::P210)]);
    aboutPage = new AboutPage;
    aboutPage->setObjectName("TabSheet_AboutTheSoftware");
    PageControl4->addTab(aboutPage, QString::fromUtf8("A programról"));
    tooOldPage = new VersionRefusedPage(false);
    tooOldPage->setObjectName("TabSheet_TooOld");
    PageControl4->addTab(tooOldPage, tooOldPage->tabCaption());
    tooNewPage = new VersionRefusedPage(true);
    tooNewPage->setObjectName("TabSheet_TooNew");
    PageControl4->addTab(tooNewPage, tooNewPage->tabCaption());
    for (QWidget* page : {static_cast<QWidget*>(tooOldPage), static_cast<QWidget*>(tooNewPage)})
        PageControl4->setTabVisible(PageControl4->indexOf(page), false);

    TabSheet_Velmar = new QWidget;
    TabSheet_Velmar->setObjectName("TabSheet_Velmar");
    auto* serviceLayout = new QVBoxLayout(TabSheet_Velmar);
    PageControl1 = new QTabWidget(TabSheet_Velmar);
    PageControl1->setObjectName("PageControl1");
    serviceLayout->addWidget(PageControl1);
    BuildServicePages();
    PageControl4->addTab(TabSheet_Velmar, "Velmar");
    PageControl4->setCurrentWidget(aboutPage);
    for (QTabWidget* tabs : findChildren<QTabWidget*>()) SizeToCurrentPage(tabs);

    velmarAid = new VelmarAidGroup(central);
    velmarAid->hide();
    layout->addWidget(velmarAid);
    setCentralWidget(central);
    FitWindowToContent();

    TimerTimeOut = MakeTimer(this, "TimerTimeOut", 200, true);
    Timer_1sec = MakeTimer(this, "Timer_1sec", 1000, false);
    Timer_RxLED = MakeTimer(this, "Timer_RxLED", 100, true);
    Timer_Comm = MakeTimer(this, "Timer_Comm", 30, false);
}

void TForm1::ConnectSignals() {
    connect(&hid_, &HidLibrary::hidEvent, this, &TForm1::HandleHidMessage);
    connect(&hid_, &HidLibrary::accessProblem, header, &HeaderPage::ShowAccessProblem);
    connect(TimerTimeOut, &QTimer::timeout, this, &TForm1::TimerTimeOutTimer);
    connect(Timer_1sec, &QTimer::timeout, this, &TForm1::Timer_1secTimer);
    connect(Timer_RxLED, &QTimer::timeout, this, &TForm1::Timer_RxLEDTimer);
    connect(Timer_Comm, &QTimer::timeout, this, &TForm1::Timer_CommTimer);
    connect(PageControl4, &QTabWidget::currentChanged, this, &TForm1::PageControl4Change);
    // A refused page has no tab: in front, the bar would show a sliver of
    // its hidden tab and tabs that lead nowhere.
    if (auto* stack = PageControl4->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        connect(stack, &QStackedWidget::currentChanged, this, [this] {
            QWidget* front = PageControl4->currentWidget();
            PageControl4->tabBar()->setVisible(front != tooOldPage && front != tooNewPage);
        });
    commands.SetBuilder(kStatusCommand, [this] { BuildStatusRequest(); });
    commands.SetDecoder(kStatusCommand, [this] { ProcessStatusAnswer(); });
    ConnectHeaderButtons();
    InstallServiceRequests(*this);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(tooOldPage->exitButton(), &QPushButton::clicked, this, &TForm1::Button_ExitFromApplicationClick);
    connect(tooNewPage->exitButton(), &QPushButton::clicked, this, &TForm1::Button_ExitFromApplicationClick);
    connect(velmarAid, &VelmarAidGroup::commandsLabelClicked, this, [this] { ClearCommandHistory(recMBU); });
    connect(monitor->ui.Button_CommandsClear, &QPushButton::clicked, this,
            [this] { ClearCommandHistoryButNewest(recMBU); });
}

QString TForm1::ProgramDateText() const { return velmar::ProgramDateText(DateSeparator); }

void TForm1::FormCreate() {
    DateSeparator = options_.regional.dateSeparator;
    DecimalSeparator = options_.regional.decimalSeparator;
    recGlobalVar = TGlobalVar{};
    recMSys.uConfigOfPCProgramBits = 1;
    setWindowTitle(QString::fromUtf8(kTitle) + ProgramDateText());
    // The window listens to the HID library from here on (connected above).
    hid_.Connect();
    // Nothing is read from the configuration file; opening it only tells
    // early whether it is there, and failures do not matter.
    recMBU.uDeviceType = 0;
    recMBU.bWaitForAnswer = false;
    recMBU.uLinkedCommand = 0;
    recMBU.uComInSec = 0;
    SetDecimalMask(recRX, 0);
    recMBU.uCommandLines.fill(0);
    recMBU.uCommandCountLines.fill(0);
    header->ui.PageControl5->setCurrentWidget(header->ui.TabSheet_NoComm);
    moduleTabs->SetModuleButtonCaptions();
    Timer_1sec->start();
    Timer_Comm->start();
}

void TForm1::FormActivate() {
    monitor->ui.GroupBox_MBU->setTitle("MBU3   v" + ProgramDateText());
    bVelmarMode = false;
    for (const QString& arg : options_.arguments)
        if (arg.toUpper() == "/QZKTRM") bVelmarMode = true;
    {
        const QSignalBlocker quiet(PageControl4);
        PageControl4->setTabVisible(PageControl4->indexOf(TabSheet_Velmar), bVelmarMode);
    }
    if (bVelmarMode) {
        velmarAid->show();
        // Its width from its pages once; the user's width after that.
        if (!serviceModeFitted_) FitWindowToContent(kServiceModeHeight);
        else resize(width(), kServiceModeHeight);
        serviceModeFitted_ = true;
    } else {
        HideDevicePages();
        SelectDevicePage(recRX.uDevice);
    }

    if (recGlobalVar.bFirstRun) {
        recGlobalVar.bFirstRun = false;
        const QString exeName = QFileInfo(options_.executablePath).fileName();
        if (options_.countProgramInstances && options_.countProgramInstances(exeName) > 1) {
            if (options_.inform)
                options_.inform(QString::fromUtf8("A program egy példánya már fut!\r\n"
                                                  "Használja a már futó programot\r\n"
                                                  "vagy azt zárja be és azután már el tudja indítani ezt is."));
            Button_ExitFromApplicationClick();
        }
    }
}

void TForm1::Button_ExitFromApplicationClick() {
    if (options_.terminate) options_.terminate();
}

void TForm1::Button_RefreshFormClick() {
    // Minimise and restore at once: every window of the program is drawn anew.
    const bool wasMaximized = isMaximized();
    showMinimized();
    wasMaximized ? showMaximized() : showNormal();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->repaint();
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || (e->type() == QEvent::Show && recGlobalVar.bFirstRun)) {
        const bool handled = QMainWindow::event(e);
        FormActivate();
        return handled;
    }
    return QMainWindow::event(e);
}

void TForm1::closeEvent(QCloseEvent* e) {
    FormClose();
    QMainWindow::closeEvent(e);
}

void TForm1::FormClose() {
    WriteProgramIni(options_.executablePath, "Date", "Date",
                    options_.regional.DateTimeText(QDateTime::currentDateTime()));
}

void TForm1::FitWindowToContent(int height) {
    if (isMaximized() || isFullScreen()) return;
    // The pages' new size hints, not those the layouts kept from before.
    // The layout sets the window's minimum size, which a resize keeps to.
    centralWidget()->layout()->invalidate();
    centralWidget()->updateGeometry();
    layout()->activate();
    // A page control's size hint is that of its largest page with a tab,
    // the page "A programról" as well; its minimum follows the page in
    // front, and the pages stand at the top: that height is the content's.
    QSize size(std::max(sizeHint().width(), minimumSizeHint().width()), height > 0 ? height : minimumSizeHint().height());
    // Within the screen, less the window's frame, where there is one to ask;
    // a height given is kept.
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size() - (frameGeometry().size() - geometry().size());
        size.setWidth(std::min(size.width(), room.width()));
        if (height <= 0) size.setHeight(std::min(size.height(), room.height()));
    }
    resize(size.expandedTo(minimumSizeHint()));
}

void PositionFormToCenterOfMainForm(QWidget* dialog, const QWidget* mainWindow) {
    const QRect m = mainWindow->frameGeometry();
    const int top = m.top() + int(RoundHalfEven(m.height() / 2.0)) - int(RoundHalfEven(dialog->height() / 2.0));
    const int left = m.left() + int(RoundHalfEven(m.width() / 2.0)) - int(RoundHalfEven(dialog->width() / 2.0));
    dialog->move(left, top);
}

}  // namespace velmar
