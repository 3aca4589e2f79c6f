// The framed speed button: its look at rest, hovered and pressed, the
// repaints that hovering causes, the click with its modal result, and the
// linked control.
#include "widgets/glSpeedButton/TglSpeedButton.h"
#include "support/WidgetFixture.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>

namespace {

QRgb rgb(TColor colour)
{
    return colour.toQColor().rgb();
}

// Counts the paints of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

using fixture::enter;
using fixture::leave;

// The bounding box of the pixels of one colour inside the bevel.
QRect pixelsOf(const QImage& image, QRgb colour)
{
    return fixture::pixelsOf(image, colour, image.rect().adjusted(2, 2, -2, -2));
}

// The test page's "OK" button.
struct OkButton
{
    QWidget Form;
    TglSpeedButton* Button = new TglSpeedButton(&Form);

    OkButton()
    {
        Form.resize(400, 100);
        Button->setGeometry(56, 40, 267, 37);
        Button->setCaption("OK");
        QFont font = Button->font();
        font.setPixelSize(32);
        font.setBold(true);
        font.setItalic(true);
        Button->setFont(font);
        Button->setFontColor(clBlack);
        Button->setColor(clAqua);
        Button->setActiveColor(clAqua);
        Button->setFrameColor(clWhite);
    }
    QImage shot() const { return Button->grab().toImage(); }
};

} // namespace

class tst_TglSpeedButton : public QObject
{
    Q_OBJECT

private slots:
    void okButtonAtRest()
    {
        OkButton ok;
        const QImage image = ok.shot();
        QCOMPARE(image.pixel(0, 0), rgb(clWhite));     // frame
        QCOMPARE(image.pixel(266, 36), rgb(clWhite));
        QCOMPARE(image.pixel(1, 1), rgb(clBtnHighlight)); // raised bevel
        QCOMPARE(image.pixel(1, 34), rgb(clBtnHighlight));
        QCOMPARE(image.pixel(265, 1), rgb(clBtnShadow));
        QCOMPARE(image.pixel(200, 35), rgb(clBtnShadow));
        QCOMPARE(image.pixel(2, 2), rgb(clAqua));
        QCOMPARE(image.pixel(264, 34), rgb(clAqua));
        const QRect caption = pixelsOf(image, qRgb(0, 0, 0));
        QVERIFY(!caption.isNull());
        QVERIFY2(qAbs(caption.center().x() - 133) <= 3, qPrintable(QString::number(caption.center().x())));
    }

    void pressedLookFollowsThePointer()
    {
        OkButton ok;
        const QRect atRest = pixelsOf(ok.shot(), qRgb(0, 0, 0));
        enter(ok.Button);
        QTest::mousePress(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(ok.Button->Pressed());
        QImage image = ok.shot();
        QCOMPARE(image.pixel(1, 1), rgb(clBtnShadow)); // lowered
        QCOMPARE(image.pixel(265, 35), rgb(clBtnHighlight));
        QCOMPARE(pixelsOf(image, qRgb(0, 0, 0)), atRest.translated(1, 1));

        // Moved away while held: raised again, caption still shifted.
        QTest::mouseMove(ok.Button, QPoint(300, 20));
        QVERIFY(!ok.Button->Hover());
        image = ok.shot();
        QCOMPARE(image.pixel(1, 1), rgb(clBtnHighlight));
        QCOMPARE(pixelsOf(image, qRgb(0, 0, 0)), atRest.translated(1, 1));
        QTest::mouseMove(ok.Button, QPoint(100, 20));
        QVERIFY(ok.Button->Hover());
        QCOMPARE(ok.shot().pixel(1, 1), rgb(clBtnShadow));
        QTest::mouseRelease(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(!ok.Button->Pressed());
        QCOMPARE(pixelsOf(ok.shot(), qRgb(0, 0, 0)), atRest);
    }

    void rightButtonAlsoShowsPressed()
    {
        OkButton ok;
        QSignalSpy clicks(ok.Button, &TSpeedButton::OnClick);
        enter(ok.Button);
        QTest::mousePress(ok.Button, Qt::RightButton, {}, QPoint(100, 20));
        QCOMPARE(ok.shot().pixel(1, 1), rgb(clBtnShadow));
        QTest::mouseRelease(ok.Button, Qt::RightButton, {}, QPoint(100, 20));
        QCOMPARE(ok.shot().pixel(1, 1), rgb(clBtnHighlight));
        QCOMPARE(clicks.count(), 0);
    }

    void hoverColour()
    {
        OkButton ok;
        ok.Button->setActiveColor(clLime);
        enter(ok.Button);
        QCOMPARE(ok.shot().pixel(2, 2), rgb(clLime));
        leave(ok.Button);
        QCOMPARE(ok.shot().pixel(2, 2), rgb(clAqua));
    }

    void hoverRepaintsOnlyWhenTheLookChanges()
    {
        OkButton ok;
        ok.Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ok.Form));
        PaintCounter paints(ok.Button);
        enter(ok.Button);
        leave(ok.Button);
        QCoreApplication::processEvents();
        QCOMPARE(paints.Count, 0);
        ok.Button->setActiveColor(clLime);
        enter(ok.Button);
        QCoreApplication::processEvents();
        QCOMPARE(paints.Count, 1);
    }

    void clickRunsWhileDrawnPressed()
    {
        OkButton ok;
        bool pressedInHandler = false;
        enter(ok.Button);
        connect(ok.Button, &TSpeedButton::OnClick, this, [&] {
            leave(ok.Button); // a message box takes the pointer away
            pressedInHandler = ok.Button->Pressed() && ok.Button->Hover();
        });
        QTest::mouseClick(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(pressedInHandler);
        QVERIFY(!ok.Button->Pressed());
        QVERIFY(!ok.Button->Hover());
    }

    void modalResultGoesToTheForm()
    {
        OkButton ok;
        QTest::mouseClick(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(!ok.Form.property("ModalResult").isValid()); // 0 never touches the form

        ok.Button->setModalResult(2);
        QTest::mouseClick(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(ok.Form.property("ModalResult").toInt(), 2);
        ok.Form.setProperty("ModalResult", 0);
        QTest::mouseClick(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(ok.Form.property("ModalResult").toInt(), 2); // on every click

        ok.Form.setProperty("ModalResult", 0);
        ok.Button->setEnabled(false);
        QSignalSpy clicks(ok.Button, &TSpeedButton::OnClick);
        QTest::mouseClick(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(ok.Form.property("ModalResult").toInt(), 0);
    }

    void enabledFollowsToTheControl()
    {
        OkButton ok;
        auto* box = new QCheckBox(&ok.Form);
        ok.Button->setControl(box);
        QVERIFY(ok.Button->setProperty("Enabled", false));
        QVERIFY(!box->isEnabled());
        QVERIFY(pixelsOf(ok.shot(), qRgb(0, 0, 0)).isNull());
        QVERIFY(!pixelsOf(ok.shot(), rgb(clGrayText)).isNull());
        ok.Button->setEnabled(true);
        QVERIFY(box->isEnabled());

        delete box; // a destroyed control is forgotten
        QCOMPARE(ok.Button->Control(), nullptr);
        ok.Button->setEnabled(false);
    }

    void defaultStyleUsesTheStandardLook()
    {
        OkButton ok;
        ok.Button->setDefaultStyle(true);
        const QImage image = ok.shot();
        QCOMPARE(image.pixel(0, 0), rgb(clBtnHighlight));
        QCOMPARE(image.pixel(266, 36), rgb(cl3DDkShadow));
        QCOMPARE(image.pixel(5, 5), rgb(clBtnFace));
    }

    void glyphFirstFrameBesideTheCaption()
    {
        OkButton ok;
        QImage strip(16, 8, QImage::Format_RGB32);
        strip.fill(qRgb(255, 0, 255));
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x) {
                strip.setPixel(x, y, qRgb(255, 0, 0));
                strip.setPixel(8 + x, y, qRgb(0, 0, 255));
            }
        ok.Button->setGlyph(strip);
        ok.Button->setNumGlyphs(2);
        const QImage image = ok.shot();
        const QRect red = pixelsOf(image, qRgb(255, 0, 0));
        QCOMPARE(red.size(), QSize(4, 4));
        QCOMPARE(red.top(), (37 - 8) / 2 + 1 + 2);
        QVERIFY(pixelsOf(image, qRgb(0, 0, 255)).isNull());
        QVERIFY(pixelsOf(image, qRgb(255, 0, 255)).isNull()); // transparent
        QVERIFY(red.right() < pixelsOf(image, qRgb(0, 0, 0)).left());
    }

    void flatButtonShowsNoBevelAtRest()
    {
        OkButton ok;
        ok.Button->setFlat(true);
        QCOMPARE(ok.shot().pixel(1, 1), rgb(clAqua));
        QTest::mousePress(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(ok.shot().pixel(1, 1), rgb(clBtnHighlight)); // pressed, pointer away: raised
        QTest::mouseRelease(ok.Button, Qt::LeftButton, {}, QPoint(100, 20));
    }
};

QTEST_MAIN(tst_TglSpeedButton)
#include "tst_TglSpeedButton.moc"
