#pragma once

#include <QObject>

class QWidget;

// The alignment of the stored form: a control whose "Align" property is
// alClient fills its parent's client area, one with alLeft stands at the
// left edge over the whole height with its own width, and so on; a control
// without one keeps its place and size (anchored to the top-left corner).
// Aligned controls follow every size change of their parent, so the page
// book grows with the window. On a zoomed page (PageZoom) the alignment is
// made in the stored form's pixels, where the page's content keeps its
// stored size, and the controls are shown where the zoom puts that.
class ControlAlign : public QObject
{
    Q_OBJECT

public:
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)

    // Finds every control under root that carries "Align", places it and
    // keeps it placed from then on.
    static void apply(QWidget* root);
    // Places the aligned children of parent in its client area: first the
    // top, bottom, left and right ones, each taking its strip from what is
    // left, then the client ones in the rest.
    static void realign(QWidget* parent);
    static TAlign alignOf(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
