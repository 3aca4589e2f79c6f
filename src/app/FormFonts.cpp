#include "app/FormFonts.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

void FormFonts::installSubstitutions()
{
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    (void)done;
}

void FormFonts::apply(QWidget* root)
{
    auto applyOne = [](QWidget* w) {
        const QVariant height = w->property("FontHeight");
        const QVariant spacing = w->property("LetterSpacing");
        if (!height.isValid() && !spacing.isValid())
            return;
        QFont font = w->font();
        if (height.isValid())
            font.setPixelSize(height.toInt());
        if (spacing.isValid())
            font.setLetterSpacing(QFont::PercentageSpacing, spacing.toDouble());
        w->setFont(font);
    };
    applyOne(root);
    for (QWidget* w : root->findChildren<QWidget*>())
        applyOne(w);
}
