#include "app/AccessibleNames.h"

#include "ui_Unit1.h"

#include "widgets/dxfCheckBox/CheckBoxAccessible.h"

void AccessibleNames::apply(Ui::TForm1& ui)
{
    // The pages: what their pictures say at the top.
    ui.Page1_1->setAccessibleName(QStringLiteral("Лабораторная работа: измерение параметров операционного усилителя"));
    ui.Page1->setAccessibleName(QStringLiteral("Перед выполнением лабораторной работы необходимо зарегистрироваться"));
    ui.Page1_2->setAccessibleName(QStringLiteral("Краткие теоритические сведения"));
    ui.Page2->setAccessibleName(QStringLiteral("Тестирование"));
    ui.Page3->setAccessibleName(ui.OutlookGroup1->Caption());

    // Registration: the captions of the boxes the fields lie in.
    ui.EFIO->setAccessibleName(QStringLiteral("Ф.И.О."));
    ui.EShifr->setAccessibleName(QStringLiteral("Шифр"));
    ui.WebBrowser1->setAccessibleName(ui.Page1_2->accessibleName());

    // The test: the words the picture writes over the two buttons, and each
    // answer box named by its answer.
    ui.glSpeedButton1->setAccessibleDescription(QStringLiteral("Подтвердите ответ"));
    ui.dxfColorButton1->setAccessibleDescription(QStringLiteral("отказ от работы"));
    CheckBoxAccessible::setLabel(ui.dxf1, ui.glStaticText1);
    CheckBoxAccessible::setLabel(ui.dxf2, ui.glStaticText2);
    CheckBoxAccessible::setLabel(ui.dxf3, ui.glStaticText3);
    CheckBoxAccessible::setLabel(ui.dxf4, ui.glStaticText4);
    ui.dxfTimer1->setAccessibleName(QStringLiteral("Осталось секунд"));

    // The bench.
    TdxfCheckBox* switches[] = {ui.ChS1, ui.ChS2, ui.ChS3, ui.ChS4, ui.ChS5, ui.ChS6, ui.ChS7, ui.ChS8, ui.ChS9};
    for (int n = 0; n < 9; ++n)
        switches[n]->setAccessibleName(QStringLiteral("S%1").arg(n + 1));
    ui.SpeedButton1->setAccessibleName(QStringLiteral("Питание"));
    ui.TB1->setAccessibleName(ui.StaticText4->Caption());
    ui.TB2->setAccessibleName(ui.StaticText1->Caption() + ui.StaticText2->Caption());
    ui.STP1->setAccessibleName(ui.Label3->Caption());
    ui.STP2->setAccessibleName(ui.Label5->Caption());
    ui.RichEdit1->setAccessibleName(ui.OutlookGroup2->Caption());
}
