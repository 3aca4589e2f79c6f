// The hover static text: its colour under the pointer and while the watched
// control has the focus, the repaint over the old text, focusing the focus
// control, the options, and the justified and other alignments on screen.
#include "widgets/glLabel/TglStaticText.h"
#include "support/WidgetFixture.h"

#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QRgb Lime = qRgb(0, 255, 0);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Paper = qRgb(0, 0, 128);

// A page with a plain background that counts its paints.
class Page : public QWidget
{
public:
    Page()
    {
        resize(500, 200);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(Paper));
        setPalette(p);
    }
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
};

struct Fixture
{
    Page Form;
    TglStaticText* Text = new TglStaticText(&Form);
    QLineEdit* Edit = new QLineEdit(&Form);
    QLineEdit* Other = new QLineEdit(&Form);

    Fixture()
    {
        Text->setGeometry(10, 10, 300, 40);
        Text->setAutoSize(false);
        QFont font = Text->font();
        font.setPixelSize(16);
        font.setBold(true);
        Text->setFont(font);
        Text->setFontColor(clLime);
        Text->setActiveColor(clRed);
        Text->setCaption(QString("ууу ееее ннннн"));
        Edit->setGeometry(10, 100, 100, 20);
        Other->setGeometry(150, 100, 100, 20);
    }
    bool showActive()
    {
        Form.show();
        Form.activateWindow();
        return QTest::qWaitForWindowActive(&Form);
    }
};

using fixture::enter;
using fixture::leave;

bool has(const QImage& image, QRgb colour)
{
    return !fixture::pixelsOf(image, colour).isNull();
}

// The columns that hold pixels of a colour: first and last.
QPair<int, int> columnsOf(const QImage& image, QRgb colour)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == colour) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// What the window shows now, cut to the text.
QImage onScreen(Fixture& f)
{
    const QImage window = f.Form.windowHandle()->screen()->grabWindow(f.Form.winId()).toImage();
    return window.copy(f.Text->geometry());
}

} // namespace

class tst_TglStaticText : public QObject
{
    Q_OBJECT

private slots:
    void propertiesFromTheStoredForm()
    {
        TglStaticText t;
        QVERIFY(t.setProperty("Options", "ftoActiveWhileControlFocused|ftoIgnoreMouse"));
        QCOMPARE(t.Options(), TglStaticText::ftoActiveWhileControlFocused | TglStaticText::ftoIgnoreMouse);
        QVERIFY(t.setProperty("Options", "ftoBroadwiseLastLine"));
        QCOMPARE(t.Options(), TglStaticText::TglStTextOptions(TglStaticText::ftoBroadwiseLastLine));
        QVERIFY(t.setProperty("Alignment", "ftaCenter"));
        QCOMPARE(t.Alignment(), TglStaticText::ftaCenter);
        QVERIFY(t.setProperty("ActiveColor", "clScrollBar"));
        QCOMPARE(t.ActiveColor(), clScrollBar);
        QVERIFY(t.setProperty("Color", "clLime"));
        QCOMPARE(t.Color(), clLime);
        QVERIFY(t.setProperty("FontColor", "clAqua"));
        QCOMPARE(t.FontColor(), clAqua);
        QVERIFY(t.setProperty("FocusControlMethod", "fcmOnMouseUp"));
        QCOMPARE(t.FocusControlMethod(), TglCustomLabel::fcmOnMouseUp);
    }

    void activeColourWhileHovered()
    {
        Fixture f;
        QSignalSpy enters(f.Text, &TglCustomLabel::OnMouseEnter);
        QSignalSpy leaves(f.Text, &TglCustomLabel::OnMouseLeave);
        QImage shot = f.Text->grab().toImage();
        QVERIFY(has(shot, Lime) && !has(shot, Red));
        enter(f.Text);
        QVERIFY(f.Text->Active());
        shot = f.Text->grab().toImage();
        QVERIFY(has(shot, Red) && !has(shot, Lime));
        leave(f.Text);
        QVERIFY(!f.Text->Active());
        QCOMPARE(enters.count(), 1);
        QCOMPARE(leaves.count(), 1);
    }

    void hoverLeavesNoFringe()
    {
        // The text is anti-aliased: the colour change draws the background
        // under the text first, so after leaving the window shows what it
        // showed before the pointer came.
        Fixture f;
        f.Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Form));
        QCoreApplication::processEvents();
        const QImage before = onScreen(f);
        enter(f.Text);
        const QImage shown = onScreen(f);
        QVERIFY(has(shown, Red));
        QVERIFY(!has(shown, Lime));
        leave(f.Text);
        QCoreApplication::processEvents();
        QCOMPARE(onScreen(f), before);
    }

    void textIsDrawnAsTheFontDrawsIt_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::newRow("answer") << QString("Напряжение на выходе выйдет на насыщение") << 11 << false;
        QTest::newRow("question") << QString("Какие генераторы тока стоят на входах?") << 16 << true;
    }
    void textIsDrawnAsTheFontDrawsIt()
    {
        // A line that is not spread is one anti-aliased run, letter for
        // letter as the painter draws the caption in the control's font.
        QFETCH(QString, caption);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        Fixture f;
        QFont font = f.Text->font();
        font.setPixelSize(pixels);
        font.setBold(bold);
        f.Text->setFont(font);
        f.Text->setCaption(caption);
        f.Form.resize(700, 200);
        f.Text->resize(680, 40);
        const QImage shown = f.Form.grab(f.Text->geometry()).toImage().convertToFormat(QImage::Format_RGB32);

        QImage expected(f.Text->size(), QImage::Format_RGB32);
        expected.fill(Paper);
        QPainter p(&expected);
        p.setFont(font);
        p.setPen(QColor(Lime));
        p.drawText(0, QFontMetrics(font).ascent(), caption);
        p.end();
        QCOMPARE(shown, expected);
    }

    void underlinedActiveRepaintsTheBackgroundOnLeaving()
    {
        Fixture f;
        f.Text->setOptions(TglStaticText::ftoUnderlinedActive);
        f.Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Form));
        QCoreApplication::processEvents();
        enter(f.Text);
        f.Form.Paints = 0;
        leave(f.Text);
        QTRY_VERIFY(f.Form.Paints > 0);
        const QImage shown = onScreen(f);
        QVERIFY(has(shown, Lime) && !has(shown, Red));
        QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1), Paper);
    }

    void ignoreMouseNeverChangesTheColour()
    {
        Fixture f;
        f.Text->setOptions(TglStaticText::ftoActiveWhileControlFocused | TglStaticText::ftoIgnoreMouse);
        f.Text->setFocusControl(f.Edit);
        QVERIFY(f.showActive());
        QSignalSpy enters(f.Text, &TglCustomLabel::OnMouseEnter);
        enter(f.Text);
        QVERIFY(!f.Text->Active());
        f.Edit->setFocus();
        QTRY_VERIFY(f.Edit->hasFocus());
        QVERIFY(!f.Text->Active());
        QCOMPARE(enters.count(), 0);
    }

    void activeWhileTheControlIsFocused()
    {
        Fixture f;
        f.Text->setFocusControl(f.Edit);
        QVERIFY(f.showActive());
        f.Edit->setFocus();
        QTRY_VERIFY(f.Text->ControlFocused());
        QVERIFY(f.Text->Active());
        // While focused the pointer changes nothing.
        leave(f.Text);
        QVERIFY(f.Text->Active());
        enter(f.Text);
        f.Other->setFocus();
        QTRY_VERIFY(!f.Text->ControlFocused());
        QVERIFY(!f.Text->Active());
    }

    void watchFollowsTheFocusControl()
    {
        Fixture f;
        f.Text->setFocusControl(f.Edit);
        f.Text->setFocusControl(f.Other); // the watch moves off the edit
        QVERIFY(f.showActive());
        f.Edit->setFocus();
        QTRY_VERIFY(f.Edit->hasFocus());
        QVERIFY(!f.Text->ControlFocused());
        f.Other->setFocus();
        QTRY_VERIFY(f.Text->ControlFocused());

        QVERIFY(f.Text->Active());

        // Without ftoActiveWhileControlFocused a new focus control is not
        // watched; leaving the focused one drops its hold on the look.
        f.Text->setOptions({});
        f.Text->setFocusControl(f.Edit);
        QVERIFY(!f.Text->ControlFocused());
        QVERIFY(!f.Text->Active());
        f.Edit->setFocus();
        QTRY_VERIFY(f.Edit->hasFocus());
        QVERIFY(!f.Text->ControlFocused());

        delete f.Edit; // a destroyed control is forgotten
        QCOMPARE(f.Text->FocusControl(), nullptr);
    }

    void pointerFocusesTheFocusControl()
    {
        Fixture f;
        f.Text->setOptions({});
        f.Text->setFocusControl(f.Edit);
        QVERIFY(f.showActive());
        f.Other->setFocus();
        QTRY_VERIFY(f.Other->hasFocus());

        QTest::mousePress(f.Text, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.Edit->hasFocus()); // fcmOnMouseDown
        QTest::mouseRelease(f.Text, Qt::LeftButton, {}, QPoint(5, 5));

        f.Other->setFocus();
        f.Text->setFocusControlMethod(TglCustomLabel::fcmOnMouseUp);
        QTest::mousePress(f.Text, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.Other->hasFocus());
        QTest::mouseRelease(f.Text, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.Edit->hasFocus());

        f.Other->setFocus();
        f.Text->setFocusControlMethod(TglCustomLabel::fcmOnMouseEnter);
        enter(f.Text);
        QVERIFY(f.Edit->hasFocus());
        leave(f.Text);

        // A disabled label, or a control that cannot take the focus, is
        // skipped.
        f.Other->setFocus();
        f.Text->setFocusControlMethod(TglCustomLabel::fcmOnMouseDown);
        f.Edit->setEnabled(false);
        QTest::mousePress(f.Text, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(f.Text, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.Other->hasFocus());
    }

    void justifiedLineSpansTheWidthOnlyWhenAsked()
    {
        Fixture f;
        QFont font = f.Text->font();
        font.setStyleStrategy(QFont::NoAntialias);
        const int natural = QFontMetrics(font).horizontalAdvance(f.Text->Caption());
        f.Text->resize(natural + 40, 40);

        auto [first, last] = columnsOf(f.Text->grab().toImage(), Lime);
        QVERIFY(first >= 0 && first <= 2);
        QVERIFY2(last <= natural, qPrintable(QString::number(last)));

        f.Text->setOptions(TglStaticText::ftoBroadwiseLastLine);
        std::tie(first, last) = columnsOf(f.Text->grab().toImage(), Lime);
        QVERIFY(first >= 0 && first <= 2);
        QVERIFY2(last >= natural + 40 - 4, qPrintable(QString::number(last)));
    }

    void autoSizeFitsTheHeightOnPaint()
    {
        TglStaticText t;
        t.resize(400, 50);
        QFont font = t.font();
        font.setPixelSize(9); // words 10 pixels high
        t.setFont(font);
        t.setCaption(QString("Вопрос № 1"));
        QCOMPARE(QFontMetrics(font).height(), 10);
        t.grab();
        QCOMPARE(t.height(), 12);

        font.setPixelSize(12);
        t.setFont(font);
        const int lh = QFontMetrics(font).height();
        const int word = QFontMetrics(font).horizontalAdvance(QString(" ннннн"));
        t.resize(word + 2, 50);
        t.setCaption(QString("ннннн ннннн ннннн"));
        t.grab();
        QCOMPARE(t.height(), 3 * lh);

        t.setCaption(QString());
        t.grab();
        QCOMPARE(t.height(), 3 * lh); // an empty caption leaves the height

        t.setAutoSize(false);
        t.resize(t.width(), 50);
        t.setCaption(QString("ннннн"));
        t.grab();
        QCOMPARE(t.height(), 50);
    }

    void otherAlignments()
    {
        Fixture f;
        f.Text->setWordWrap(false);
        QImage shot = f.Text->grab().toImage();
        const auto left = columnsOf(shot, Lime);
        QVERIFY(left.first <= 2);
        f.Text->setAlignment(TglStaticText::ftaRightJustify);
        const auto right = columnsOf(f.Text->grab().toImage(), Lime);
        QVERIFY(right.second >= 300 - 5 && right.first > 150);
        f.Text->setAlignment(TglStaticText::ftaCenter);
        const auto centre = columnsOf(f.Text->grab().toImage(), Lime);
        QVERIFY(qAbs((centre.first + centre.second) / 2 - 150) <= 3);
        QCOMPARE(right.second - right.first, left.second - left.first);
    }

    void autoSizeKeepsTheRightEdgeWhenRightJustified()
    {
        Page form;
        auto* t = new TglStaticText(&form);
        t->setAutoSize(false);
        t->setAlignment(TglStaticText::ftaRightJustify);
        t->setGeometry(100, 10, 300, 50);
        t->setCaption(QString("abc"));
        t->setAutoSize(true);
        QFont font = t->font();
        font.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics metrics(font);
        QCOMPARE(t->width(), metrics.horizontalAdvance(QString("abc")));
        QCOMPARE(t->height(), metrics.height());
        QCOMPARE(t->x() + t->width(), 400);
    }

    void opaqueTextHasAWhiteBackground()
    {
        Fixture f;
        f.Text->setTransparent(false);
        QVERIFY(has(f.Text->grab().toImage(), qRgb(255, 255, 255)));
        f.Text->setTransparent(true);
        QVERIFY(!has(f.Text->grab().toImage(), qRgb(255, 255, 255)));
    }
};

QTEST_MAIN(tst_TglStaticText)
#include "tst_TglStaticText.moc"
