#include "Unit1.h"

#include "ui_Unit1.h"

#include "DataDir.h"
#include "Dialogs.h"
#include "ErrorReport.h"
#include "FormFonts.h"
#include "ProgramEnd.h"
#include "Registration.h"
#include "TColor.h"

TForm1::TForm1(Dialogs& dialogs, Clock& clock, ProgramEnd& programEnd, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , FDialogs(dialogs)
    , FClock(clock)
    , FProgramEnd(programEnd)
{
    TColor::registerType();
    FormFonts::installSubstitutions();
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPixelSize(11);
    setFont(base);
    ui->setupUi(this);
    FormFonts::apply(this);

    // A sizeable frame with a caption bar but no system menu, hence no
    // close, minimise or maximise button: the program's own buttons are
    // the ways out.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, clBtnFace.toQColor());
    setPalette(pal);
    setAutoFillBackground(true);
    move(17, 0);
    resize(733, 562);

    connectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::handle(const std::function<void()>& handler)
{
    ErrorReport::run(FDialogs, handler);
}

void TForm1::connectHandlers()
{
    auto bind = [this](auto* control, auto signal, void (TForm1::*handler)()) {
        connect(control, signal, this, [this, handler] { handle([this, handler] { (this->*handler)(); }); });
    };
    bind(ui->dxfColorButton2, &QPushButton::clicked, &TForm1::dxfColorButton2Click);
    bind(ui->dxfColorButton4, &QPushButton::clicked, &TForm1::BitBtn4Click);
    bind(ui->dxfColorButton3, &QPushButton::clicked, &TForm1::dxfColorButton3Click);
    bind(ui->BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
}

void TForm1::FormCreate()
{
    // 1. The instructions: a file that cannot be read is reported and
    // start-up goes on, so the window still opens on the intro page.
    handle([this] { ui->RichEdit1->loadFromFile(DataDir::path(QStringLiteral("1.rtf"))); });
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

    // The preparation of the admission test comes here, before the theory
    // page is shown.

    ui->WebBrowser1->navigate(DataDir::path(QStringLiteral("1.htm")));
    ui->Nb1->setActivePage(QStringLiteral("1_2"));
}

void TForm1::dxfColorButton3Click()
{
    ui->Nb1->setActivePage(QStringLiteral("2"));
}

void TForm1::BitBtn1Click()
{
    close();
}
