#include "app/Unit1.h"

#include "ui_Unit1.h"

#include "bench/Bench.h"
#include "platform/DataDir.h"
#include "platform/EFOpenError.h"
#include "widgets/controls/ControlAlign.h"
#include "widgets/controls/PageZoom.h"
#include "widgets/controls/Dialogs.h"
#include "widgets/controls/ErrorReport.h"
#include "widgets/controls/PrintDialogSetup.h"
#include "app/AccessibleNames.h"
#include "app/BenchPrint.h"
#include "app/FormFonts.h"
#include "widgets/controls/ProgramEnd.h"
#include "journal/Registration.h"
#include "platform/TColor.h"
#include "admission/run/TestRun.h"
#include "widgets/common/ControlZoom.h"

#include <QDate>
#include <QGuiApplication>
#include <QPixmap>
#include <QPrinter>
#include <QTimer>

namespace {

// The client area of the stored form: the size every page is designed at.
constexpr QSize StoredClientSize(733, 562);

// Where start-up puts the diagram's panel, picture and overlays, in the
// panel's coordinates.
constexpr QSize PanelSize(559, 266);
constexpr QPoint PicturePos(3, 3);
constexpr QRect OverlayPlaces[9] = {
    {9, 75, 60, 113}, {214, 140, 36, 72}, {299, 113, 53, 26}, {271, 78, 77, 33}, {388, 142, 70, 46},
    {423, 81, 66, 30}, {402, 4, 117, 35}, {521, 124, 35, 64}, {248, 109, 29, 27},
};

} // namespace

TForm1::TForm1(Dialogs& dialogs, Clock& clock, ProgramEnd& programEnd, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , FDialogs(dialogs)
    , FClock(clock)
    , FProgramEnd(programEnd)
    , FJournal(Journal::DefaultFileName, clock)
    , FPrintDialog(std::make_unique<PrintDialogSetup>())
    , FPrintSetup(FPrintDialog.get())
{
    TColor::registerType();
    FormFonts::installSubstitutions();
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPixelSize(11);
    setFont(base);
    ui->setupUi(this);
    FormFonts::apply(this);
    AccessibleNames::apply(*ui);
    // Every page is designed at the stored client area and zooms with the
    // frame as one piece: pictures, controls and text, centred on the
    // page's own background.
    for (int i = 0; i < ui->Nb1->count(); ++i)
        PageZoom::apply(ui->Nb1->widget(i), StoredClientSize);
    // The book fills the window and follows its frame; on the pages the
    // pictures fill the stored client area, the outlook bar stands down its
    // left edge and the instructions fill their group.
    ControlAlign::apply(this);
    // The instructions view's own text in the stored form, the beginning of
    // the instructions: what the student sees whenever "1.rtf" cannot be read.
    FBuiltInInstructions = ui->RichEdit1->toPlainText();
    ui->dxfOutlookBar1->Loaded();

    // A sizeable frame with a caption bar but no system menu, hence no
    // close, minimise or maximise button: the program's own buttons are
    // the ways out.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, clBtnFace.toQColor());
    setPalette(pal);
    setAutoFillBackground(true);
    move(17, 0);
    resize(StoredClientSize);
    // Never smaller than the stored client area, which holds every control.
    setMinimumSize(StoredClientSize);

    ui->dxfTimer1->setClock(&FClock);
    ui->dxfOutlookBar1->setClock(&FClock);
    FJournal.setPause([this](int milliseconds) { waitForJournal(milliseconds); });
    createControllers();
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createControllers()
{
    // The one place where the stored form's names of the controls meet the
    // names the test and the bench give them for what they show.
    TestRun::Controls test;
    test.Number = ui->ST1;
    test.Question = ui->ST2;
    test.Answers = {ui->glStaticText1, ui->glStaticText2, ui->glStaticText3, ui->glStaticText4};
    test.Boxes = {ui->dxf1, ui->dxf2, ui->dxf3, ui->dxf4};
    test.Countdown = ui->dxfTimer1;
    TestRun::Window window;
    window.openBench = [this] {
        // A pass: the instructions as they stand now, then the bench. An
        // unreadable file is reported, and the bench opens all the same.
        loadInstructions();
        ui->Nb1->setActivePage(QStringLiteral("3"));
    };
    window.closeWindow = [this] { close(); };
    window.endProgram = [this] { FProgramEnd.endProgram(); };
    FTestRun = std::make_unique<TestRun>(test, FBank, FJournal, FGenerator, FClock, FDialogs, window);

    Bench::Controls bench;
    bench.Switches = {ui->ChS1, ui->ChS2, ui->ChS3, ui->ChS4, ui->ChS5, ui->ChS6, ui->ChS7, ui->ChS8, ui->ChS9};
    bench.Overlays = {ui->IS1, ui->IS2, ui->IS3, ui->IS4, ui->IS5, ui->IS6, ui->IS7, ui->IS8, ui->IS9};
    bench.Parameters = {ui->CB1, ui->CB2, ui->CB3, ui->CB4, ui->CB5, ui->CB6};
    bench.Power = ui->SpeedButton1;
    bench.Balance = ui->TB1;
    bench.InputLevel = ui->TB2;
    bench.Voltmeter1 = ui->STP1;
    bench.Voltmeter2 = ui->STP2;
    bench.Readings.Output = ui->Label2;
    bench.Readings.GeneratorOutput = ui->Label4;
    bench.Readings.U1 = ui->Label8;
    bench.Readings.U1Primed = ui->Label7;
    bench.Readings.U1DoublePrimed = ui->Label9;
    bench.Readings.OutputPrimed = ui->Label12;
    bench.Readings.OutputDoublePrimed = ui->Label13;
    bench.Results.GainBase = ui->Label20;
    bench.Results.GainExponent = ui->Label21;
    bench.Results.OffsetVoltage = ui->Label1;
    bench.Results.InputCurrent1 = ui->Label10;
    bench.Results.InputCurrent2 = ui->Label11;
    bench.Results.InputResistance = ui->Label14;
    bench.Results.OutputResistance = ui->Label15;
    bench.Results.CommonModeGain = ui->Label22;
    bench.Results.Rejection = ui->Label17;
    FBench = std::make_unique<Bench>(bench, FJournal, FGenerator, FClock, FDialogs);
}

void TForm1::handle(const std::function<void()>& handler)
{
    ErrorReport::run(FDialogs, handler);
}

template <typename Control, typename Signal, typename Handler>
void TForm1::bind(Control* control, Signal signal, Handler handler)
{
    connect(control, signal, this, [this, handler] { handle(handler); });
}

void TForm1::connectHandlers()
{
    bind(ui->dxfColorButton2, &TdxfColorButton::OnClick, [this] { dxfColorButton2Click(); });
    // "Регистрация" keeps its handler's name from when it was a bitmap button.
    bind(ui->dxfColorButton4, &TdxfColorButton::OnClick, [this] { BitBtn4Click(); });
    bind(ui->dxfColorButton3, &TdxfColorButton::OnClick, [this] { dxfColorButton3Click(); });
    // "OK" keeps its handler's name from when it was a bitmap button.
    bind(ui->glSpeedButton1, &TglSpeedButton::OnClick, [this] { BitBtn6Click(); });
    bind(ui->dxfTimer1, &TdxfTimer::OnEndOfTime, [this] { dxfTimer1EndOfTime(); });
    bind(ui->dxfColorButton1, &TdxfColorButton::OnClick, [this] { dxfColorButton1Click(); });
    bind(ui->BitBtn1, &TBitBtn::OnClick, [this] { BitBtn1Click(); });
    // The keyboard on the registration page: Enter in the name goes on to
    // the code, Enter in the code registers as "Регистрация" does.
    bind(ui->BitBtn2, &TBitBtn::OnClick, [this] { BitBtn2Click(); });
    connect(ui->EFIO, &QLineEdit::returnPressed, this, [this] { ui->EShifr->setFocus(Qt::TabFocusReason); });
    bind(ui->EShifr, &QLineEdit::returnPressed, [this] { BitBtn4Click(); });
    connect(ui->Nb1, &TNotebook::OnPageChanged, this, [this] { focusFirstControl(); });

    Bench* bench = FBench.get();
    bind(ui->SpeedButton1, &TSpeedButton::OnClick, [bench] { bench->SpeedButton1Click(); });
    bind(ui->TB1, &TTrackBar::OnChange, [bench] { bench->TB1Change(); });
    bind(ui->TB2, &TTrackBar::OnChange, [bench] { bench->TB2Change(); });
    bind(ui->ChS1, &TdxfCheckBox::OnClick, [bench] { bench->ChS1Click(); });
    bind(ui->ChS2, &TdxfCheckBox::OnClick, [bench] { bench->ChS2Click(); });
    bind(ui->ChS3, &TdxfCheckBox::OnClick, [bench] { bench->ChS3Click(); });
    bind(ui->ChS4, &TdxfCheckBox::OnClick, [bench] { bench->ChS4Click(); });
    bind(ui->ChS5, &TdxfCheckBox::OnClick, [bench] { bench->ChS5Click(); });
    bind(ui->ChS6, &TdxfCheckBox::OnClick, [bench] { bench->ChS6Click(); });
    bind(ui->ChS7, &TdxfCheckBox::OnClick, [bench] { bench->ChS7Click(); });
    bind(ui->ChS8, &TdxfCheckBox::OnClick, [bench] { bench->ChS8Click(); });
    bind(ui->ChS9, &TdxfCheckBox::OnClick, [bench] { bench->ChS9Click(); });
}

void TForm1::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Once the window is on screen, the pages the student has not seen yet
    // are made ready while the intro is read, so that each turn only paints.
    // A moment later, not at once: the intro reaches the screen first and
    // the program's start is not held up by pages that are not yet shown.
    if (!FPagesWarm) {
        FPagesWarm = true;
        QTimer::singleShot(WarmUpDelayMs, this, &TForm1::warmUpPages);
    }
}

void TForm1::warmUpPages()
{
    // Drawing a page once off screen polishes its controls, loads its
    // fonts and glyphs, reads its picture and renders the faces of its
    // buttons and clocks. The theory page is read in advance; registration
    // reads it again only if its file changes meanwhile.
    ui->WebBrowser1->navigate(DataDir::path(QStringLiteral("1.htm")));
    QWidget* pages[] = {ui->Page1, ui->Page1_2, ui->Page2, ui->Page3, ui->OutlookGroup2};
    for (QWidget* page : pages) {
        if (page != ui->OutlookGroup2)
            page->setGeometry(ui->Nb1->contentsRect());
        QPixmap scratch(page->size());
        page->render(&scratch);
    }
}

void TForm1::waitForJournal(int milliseconds)
{
    // A journal that another bench holds is waited for without freezing
    // the window: the time passes on the program's clock in short slices,
    // and between them the window is painted and the desktop's questions
    // are answered. The student's clicks and keys wait until the handler
    // has ended (a timer's end included, the test's countdown is stopped
    // before every write of the journal).
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::int64_t end = FClock.tickCount() + milliseconds;
    for (std::int64_t left = milliseconds; left > 0; left = end - FClock.tickCount()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        FClock.sleep(int(std::min<std::int64_t>(left, JournalWaitSliceMs)));
    }
    QGuiApplication::restoreOverrideCursor();
}

void TForm1::focusFirstControl()
{
    // The page's first control in tab order takes the focus, as if tabbed
    // to: the student types the name at once, its initial text selected.
    // The window's focus chain is its tab order, from the window on.
    QWidget* page = ui->Nb1->currentWidget();
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            // Selected even when the window gets the focus only later.
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->selectAll();
            return;
        }
    }
    // A page without such a control (the intro) leaves none of another
    // page focused.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void TForm1::loadInstructions()
{
    handle([this] {
        try {
            ui->RichEdit1->loadFromFile(DataDir::path(QStringLiteral("1.rtf")));
        } catch (const EFOpenError&) {
            // Not a blank group, nor the text of an earlier load: the
            // built-in beginning of the instructions, then the report.
            ui->RichEdit1->setPlainText(FBuiltInInstructions);
            throw;
        }
    });
}

void TForm1::FormCreate()
{
    // 1. The instructions: a file that cannot be read is reported and
    // start-up goes on, so the window still opens on the intro page.
    loadInstructions();

    // 2. The diagram's panel, picture and overlays at their places (in the
    // stored form's pixels, shown zoomed on a larger frame).
    ControlZoom::resize(ui->PSh, PanelSize);
    ControlZoom::setGeometry(ui->ISh, QRect(PicturePos, ControlZoom::designSize(ui->ISh)));
    TImage* overlays[9] = {ui->IS1, ui->IS2, ui->IS3, ui->IS4, ui->IS5, ui->IS6, ui->IS7, ui->IS8, ui->IS9};
    for (int i = 0; i < 9; ++i)
        ControlZoom::setGeometry(overlays[i], OverlayPlaces[i]);

    // 3. Both voltmeters empty.
    FBench->emptyMeters();

    // 4. The stored form marks the test page active; start-up overrides it.
    ui->Nb1->setActivePage(QStringLiteral("1_1"));
}

void TForm1::dxfColorButton2Click()
{
    ui->Nb1->setActivePage(QStringLiteral("1"));
}

void TForm1::BitBtn4Click()
{
    // Registration: finds the typed code in the journal or appends a new
    // student; the journal is left on the student's record. A failure
    // ends the handler here and the page stays on "1".
    Registration(ui->EFIO->text(), ui->EShifr->text(), FJournal).run();

    // The first question, the clock standing at 45 until it is answered.
    FTestRun->prepare();

    ui->WebBrowser1->navigate(DataDir::path(QStringLiteral("1.htm")));
    ui->Nb1->setActivePage(QStringLiteral("1_2"));
}

void TForm1::dxfColorButton3Click()
{
    ui->Nb1->setActivePage(QStringLiteral("2"));
}

void TForm1::BitBtn6Click()
{
    FTestRun->NextQuestion();
}

void TForm1::dxfTimer1EndOfTime()
{
    FTestRun->dxfTimer1EndOfTime();
}

void TForm1::dxfColorButton1Click()
{
    FTestRun->giveUp();
}

void TForm1::BitBtn1Click()
{
    if (FJournal.isOpen())
        FJournal.close();
    close();
}

void TForm1::BitBtn2Click()
{
    // "Печать экрана": the bench as it stands, with the student's name and
    // code from the working record and today's date, through the print
    // dialog. A cancelled dialog prints nothing; a failed print is
    // reported.
    const StudentRecord& student = FJournal.student();
    BenchPrint::Sheet sheet;
    sheet.Name = student.FIO.text();
    sheet.Code = student.Shifr.text();
    sheet.Date = QDate::currentDate();
    sheet.Bench = ui->OutlookGroup1;
    sheet.Page = ui->Page3;
    // Right of the outlook bar: the component values, the results and the
    // parameter boxes, without the two buttons under them.
    QRect column;
    for (QWidget* w : ui->Page3->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != ui->dxfOutlookBar1 && w != ui->BitBtn1 && w != ui->BitBtn2)
            column |= w->geometry();
    const int left = ui->dxfOutlookBar1->geometry().right() + 1;
    sheet.Results = QRect(left, 0, column.right() + 4 - left, column.bottom() + 5);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Стенд: %1, шифр %2").arg(sheet.Name, sheet.Code));
    if (!FPrintSetup->choose(printer, this))
        return;
    BenchPrint::print(printer, sheet);
}
