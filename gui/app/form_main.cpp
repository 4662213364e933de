#include "gui/app/form_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/device/device_types.h"
#include "core/device/number_mask.h"
#include "core/link/command_history.h"
#include "core/link/priority_list.h"
#include "gui/app/velmar_aid.h"
#include "gui/app/version_refused_page.h"
#include "gui/device/header_page.h"
#include "gui/device/output_calibration_page.h"
#include "gui/device/px210_page.h"
#include "gui/device/px530_page.h"
#include "gui/device/service_calibration_page.h"
#include "gui/device/service_requests.h"
#include "gui/device/service_serial_page.h"
#include "gui/link/monitor_page.h"
#include "gui/modules/module_tabs.h"
#include "gui/views/about_page.h"
#include "gui/views/current_page_sizing.h"
#include "gui/views/indicator_controls.h"
#include "gui/views/layout_hold.h"
#include "gui/views/tab_page.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_typed.h"
#include "gui/views/window_placement.h"
#include "program/program_date.h"

namespace velmar {

namespace {
const char* const kTitle = "Beállító program a Velmar Kft. USB csatlakozós készülékeihez   v";

struct DevicePageInfo {
    const char* objectName;
    const char* caption;
};
// In the order of TForm1::devicePages.
constexpr DevicePageInfo kDevicePages[] = {
    {"TabSheet_310", "PX310"},
    {"TabSheet_330", "PX330"},
    {"TabSheet_210", "PX210USB"},
    {"TabSheet_510", "PX510USB"},
    {"TabSheet_350", "PX350"},
    {"TabSheet_370", "PX370"},
    {"TabSheet_530", "PX530, PX544 IP, PX546 IP"},
    {"TabSheet_580", "PX580"},
};

// The pages scroll up and down only: the area is as wide as the page in
// front needs, so a narrow screen gives one bar to scroll sideways, the
// window's, not one more under the pages.
class PageScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize minimumSizeHint() const override {
        QSize least = QScrollArea::minimumSizeHint();
        if (widget()) least.setWidth(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width());
        return least;
    }
    // The page without scrolling: the rest of the window keeps its own
    // size and the page gets what it needs.
    QSize sizeHint() const override {
        if (!widget()) return QScrollArea::sizeHint();
        return {minimumSizeHint().width(), widget()->minimumSizeHint().height()};
    }
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
    : QMainWindow(parent), transfer(recMBU, FBufferOut.data(), FBufferIn.data(), *this), hid_(hid),
      options_(std::move(options)), context_{recRX,
                                             recTX,
                                             recMBU,
                                             recGlobalVar,
                                             transfer,
                                             commands,
                                             engine,
                                             valueDestinations,
                                             DecimalSeparator,
                                             DateSeparator,
                                             bVelmarMode,
                                             bFoKimenetiModulVanNyitva,
                                             answering_,
                                             firmware,
                                             shownUnit,
                                             events,
                                             this,
                                             Form_IncDec,
                                             Form_IncDecEdit,
                                             options_.inform,
                                             options_.confirm} {
    setObjectName("TForm1");
    // The timers run from the window's start, before its pages are built:
    // the first poll tick after the link comes up is then not pushed back
    // by the building.
    TimerTimeOut = MakeTimer(this, "TimerTimeOut", 200, true);
    Timer_1sec = MakeTimer(this, "Timer_1sec", 1000, false);
    Timer_RxLED = MakeTimer(this, "Timer_RxLED", 100, true);
    Timer_Comm = MakeTimer(this, "Timer_Comm", 30, false);
    Timer_1sec->start();
    Timer_Comm->start();
    {
        // Its pages are laid out once, when the window is first shown, not
        // each time a tab widget shows one while they are built.
        const LayoutHold hold;
        BuildPages();
        ConnectSignals();
        FormCreate();
    }
}

TForm1::~TForm1() {
    delete moduleTabs;
    // The hook goes first, so no late event reaches a half-destroyed window.
    disconnect(&hid_, nullptr, this, nullptr);
}

void TForm1::BuildPages() {
    auto* central = new QWidget(this);
    pageArea_ = central;
    auto* layout = new QVBoxLayout(central);
    header = new HeaderPage(central);
    layout->addWidget(header);
    // The link is reached while the rest is built, once the header that
    // shows its state is there. The window hears of the instrument when its
    // creation connects, and the first request goes at the poll timer's
    // first tick after that: within a tick of the link coming up.
    hid_.Open();
    BuildHeaderBars();

    // The pages scroll where the screen is lower than a page: the window
    // never grows past the screen for a page.
    pageScroll_ = new PageScrollArea(central);
    pageScroll_->setObjectName("ScrollArea_Pages");
    pageScroll_->setFrameShape(QFrame::NoFrame);
    pageScroll_->setWidgetResizable(true);
    pageScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pageScroll_->setFocusPolicy(Qt::NoFocus);
    PageControl4 = new QTabWidget;
    PageControl4->setObjectName("PageControl4");
    pageScroll_->setWidget(PageControl4);
    layout->addWidget(pageScroll_, 1);
    for (std::size_t i = 0; i < devicePages.size(); ++i) {
        devicePages[i] = new QWidget;
        devicePages[i]->setObjectName(kDevicePages[i].objectName);
        PageControl4->addTab(devicePages[i], QString::fromUtf8(kDevicePages[i].caption));
    }
    moduleTabs = new ModuleTabs(devicePages);
    QWidget* page530 = devicePages[std::size_t(DevicePage::P530)];
    px530Page = new PX530Page(context_, page530);
    moduleTabs->AddBelowGroups(page530, px530Page);
    px210Page = new PX210Page(context_, devicePages[std::size_t(DevicePage::P210)]);
    // The pattern is the indicator pages' one; the PX530 page shows it.
    connect(px210Page->tests, &DisplayTestGroup::patternChosen, this, &TForm1::SetDisplayTestPattern);
    connect(px210Page->tests, &DisplayTestGroup::patternStepped, this, &TForm1::StepDisplayTestPattern);
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

    TabSheet_Velmar = new TabPage;
    TabSheet_Velmar->setObjectName("TabSheet_Velmar");
    auto* serviceLayout = new QVBoxLayout(TabSheet_Velmar);
    PageControl1 = new QTabWidget(TabSheet_Velmar);
    PageControl1->setObjectName("PageControl1");
    serviceLayout->addWidget(PageControl1);
    BuildServicePages();
    PageControl4->addTab(TabSheet_Velmar, "Velmar");
    // Its tab is shown by the window's activation, in service mode only:
    // until then neither the window's size nor the stack measures its pages.
    PageControl4->setTabVisible(PageControl4->indexOf(TabSheet_Velmar), false);
    PageControl4->setCurrentWidget(aboutPage);
    for (QTabWidget* tabs : findChildren<QTabWidget*>()) SizeToCurrentPage(tabs);

    velmarAid = new VelmarAidGroup(central);
    velmarAid->hide();
    layout->addWidget(velmarAid);
    setCentralWidget(central);
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
    InstallServiceRequests(context_, *this,
                           {[this] { Button_GyariSzamToEditsClick(); },
                            [this](uint8_t command) { outputCalibrationPage->DecodeAnswer(command); },
                            [this] { return serialPage->AcceptTypedIdentity(); },
                            [this] { return calibrationPage->AcceptTimerConstant(); }});
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(tooOldPage->exitButton(), &QPushButton::clicked, this, &TForm1::Button_ExitFromApplicationClick);
    connect(tooNewPage->exitButton(), &QPushButton::clicked, this, &TForm1::Button_ExitFromApplicationClick);
    connect(velmarAid, &VelmarAidGroup::commandsLabelClicked, this, [this] { ClearCommandHistory(recMBU); });
    connect(monitor->ui.Button_CommandsClear, &QPushButton::clicked, this,
            [this] { ClearCommandHistoryButNewest(recMBU); });
}

QString TForm1::ProgramDateText() const { return context_.ProgramDateText(); }

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
        if (!serviceModeFitted_)
            FitWindowToContent(kServiceModeHeight);
        else if (!isMaximized() && !isFullScreen())
            resize(width(), std::min(kServiceModeHeight, Room().height()));
        serviceModeFitted_ = true;
    } else {
        HideDevicePages();
        SelectDevicePage(recRX.uDevice);
    }

    if (recGlobalVar.bFirstRun) {
        recGlobalVar.bFirstRun = false;
        const QString exeName = QFileInfo(options_.executablePath).fileName();
        if (options_.claimOnlyInstance && !options_.claimOnlyInstance(exeName)) {
            // Also on standard error, for a copy started from a terminal.
            qInfo("%s: A program egy példánya már fut!", qPrintable(exeName));
            if (options_.inform)
                options_.inform(
                    QString::fromUtf8("A program egy példánya már fut!\r\n"
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
    if (!refreshRestorePending_) restoreMaximized_ = isMaximized();
    refreshRestorePending_ = true;
    showMinimized();
    RestoreAfterRefresh();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->repaint();
    // A window manager carries the two requests out when it gets to them,
    // and may minimise after it has restored: until it has settled, every
    // minimised state it reports is undone, and once more at the end.
    QTimer::singleShot(kRefreshSettleMs, this, [this] {
        refreshRestorePending_ = false;
        if (isMinimized()) RestoreAfterRefresh();
    });
}

void TForm1::RestoreAfterRefresh() { restoreMaximized_ ? showMaximized() : showNormal(); }

void TForm1::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && refreshRestorePending_ && isMinimized())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized()) RestoreAfterRefresh();
            },
            Qt::QueuedConnection);
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || (e->type() == QEvent::Show && recGlobalVar.bFirstRun)) {
        const bool handled = QMainWindow::event(e);
        FormActivate();
        return handled;
    }
    const bool handled = QMainWindow::event(e);
    // The content's needs changed (a longer name, a larger page): the window
    // grows with it as far as the screen allows, and stays wholly on it.
    // Only then: a window the user moved partly off the screen stays there.
    if (e->type() == QEvent::LayoutRequest && isVisible() && !isMaximized() && !isFullScreen() &&
        minimumSizeHint() != keptLeast_) {
        KeepInsideAvailableArea(this, nullptr, false);
        keptLeast_ = minimumSizeHint();
    }
    return handled;
}

void TForm1::closeEvent(QCloseEvent* e) {
    FormClose();
    QMainWindow::closeEvent(e);
}

void TForm1::FormClose() {
    QString error;
    // The INI goes beside the executable, or to the user's own folder where
    // the program's folder is not the user's to write; only when neither
    // can be written (a full disk) is the user told.
    if (WriteProgramIni(options_.executablePath, "Date", "Date",
                        options_.regional.DateTimeText(QDateTime::currentDateTime()), {}, &error)
            .isEmpty())
        Inform(QString::fromUtf8("A program INI fájlja nem írható: %1 (%2)")
                   .arg(QDir::toNativeSeparators(IniPathFor(options_.executablePath)), error));
}

QSize TForm1::Room() const {
    // The screen less its panels and less the window's frame.
    return AvailableAreaFor(this).size() - (frameGeometry().size() - geometry().size());
}

QSize TForm1::SizeForPage(QWidget* page) const {
    // Only the page in front counts for the page control's minimum: the
    // others' share is that page's minimum and this one's instead.
    const auto* stack = PageControl4->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const QSize pages = PageControl4->minimumSizeHint() - stack->minimumSizeHint() +
                        page->minimumSizeHint().expandedTo(page->minimumSize());
    // The window's content as built, also where it scrolls in the window:
    // the rest at its own size, the pages at theirs.
    int rest = pageArea_->sizeHint().height() - pageScroll_->sizeHint().height();
    if (const QWidget* menu = menuWidget()) rest += menu->sizeHint().height();
    const QMargins m = pageArea_->layout()->contentsMargins();
    return {std::max(pageArea_->minimumSizeHint().width(), pages.width() + m.left() + m.right()),
            rest + pages.height()};
}

void TForm1::FitWindowToContent(int height) {
    if (isMaximized() || isFullScreen()) return;
    // The pages' new size hints, not those the layouts kept from before.
    pageScroll_->updateGeometry();
    pageArea_->layout()->invalidate();
    pageArea_->updateGeometry();
    layout()->activate();
    // One size for the instrument: that of its largest page, so the window
    // does not jump when "A programról" or another of its pages comes to
    // the front. Its pages are those with a tab and the one in front.
    QSize size(std::max(pageArea_->sizeHint().width(), pageArea_->minimumSizeHint().width()), 0);
    for (int i = 0; i < PageControl4->count(); ++i) {
        QWidget* page = PageControl4->widget(i);
        if (page != PageControl4->currentWidget() && !PageControl4->isTabVisible(i)) continue;
        size = size.expandedTo(SizeForPage(page));
    }
    // Narrower than the screen: the window scrolls sideways, and its bar
    // takes room from the pages.
    if (size.width() > Room().width()) size.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The same instrument again: never smaller than it was, so the window
    // does not change size as its pages take turns in front.
    QWidget* instrumentPage = nullptr;
    for (QWidget* p : devicePages)
        if (PageControl4->isTabVisible(PageControl4->indexOf(p))) instrumentPage = instrumentPage ? nullptr : p;
    if (instrumentPage && instrumentPage == steadyPage_) size = size.expandedTo(steadySize_);
    steadyPage_ = instrumentPage;
    steadySize_ = size;
    if (height > 0) size.setHeight(height);
    // Within the screen; the pages scroll where it is lower than they are.
    resize(size.boundedTo(Room()));
    KeepInsideAvailableArea(this, nullptr, false);
}

}  // namespace velmar
