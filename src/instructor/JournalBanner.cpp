#include "instructor/JournalBanner.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

JournalBanner::JournalBanner(QWidget* parent)
    : QFrame(parent)
    , Text(new QLabel(this))
    , All(new QPushButton(QStringLiteral("Подробно…"), this))
{
    setObjectName(QStringLiteral("banner"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    Text->setWordWrap(true);
    Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(Text, 1);
    layout->addWidget(All, 0, Qt::AlignTop);
    connect(All, &QPushButton::clicked, this, &JournalBanner::showAll);
    refresh();
}

void JournalBanner::setFindings(const QStringList& findings)
{
    if (findings == FFindings)
        return;
    FFindings = findings;
    refresh();
}

void JournalBanner::setProblem(const QString& problem)
{
    if (problem == FProblem)
        return;
    FProblem = problem;
    refresh();
}

void JournalBanner::addForeignChanges(const QString& journal, const QString& before, const QString& version,
                                      const QStringList& changes)
{
    if (changes.isEmpty())
        return;
    if (FForeign.isEmpty()) {
        FBefore = before;
        FJournal = journal;
    }
    for (const QString& change : changes)
        FForeign << QStringLiteral("%1: %2").arg(version, change);
    refresh();
}

void JournalBanner::clear()
{
    FFindings.clear();
    FProblem.clear();
    FForeign.clear();
    FBefore.clear();
    FJournal.clear();
    refresh();
}

QString JournalBanner::restoreCommand() const
{
    return QStringLiteral("oplab-data journal restore '%1' %2").arg(FJournal, FBefore);
}

QString JournalBanner::text() const
{
    QStringList lines;
    if (!FProblem.isEmpty())
        lines << FProblem;
    if (!FForeign.isEmpty()) {
        lines << QStringLiteral("\u26A0 Журнал изменён так, как стенд его не изменяет (изменений: %1):")
                     .arg(FForeign.size());
        for (int i = 0; i < std::min<int>(int(FForeign.size()), Listed); ++i)
            lines << QStringLiteral("• ") + FForeign[i];
        if (FForeign.size() > Listed)
            lines << QStringLiteral("… и ещё %1").arg(FForeign.size() - Listed);
        if (!FBefore.isEmpty())
            lines << QStringLiteral("Журнал до этих изменений сохранён как версия %1; вернуть его: %2")
                         .arg(FBefore, restoreCommand());
    }
    if (!FFindings.isEmpty()) {
        lines << QStringLiteral("В журнале замечаний: %1. Показаны все записи, которые удалось прочитать; "
                                "записи с замечаниями отмечены знаком \u26A0.")
                     .arg(FFindings.size());
        for (int i = 0; i < std::min<int>(int(FFindings.size()), Listed); ++i)
            lines << QStringLiteral("• ") + FFindings[i];
        if (FFindings.size() > Listed)
            lines << QStringLiteral("… и ещё %1").arg(FFindings.size() - Listed);
    }
    return lines.join(QLatin1Char('\n'));
}

void JournalBanner::refresh()
{
    const bool problem = !FProblem.isEmpty() || !FForeign.isEmpty();
    QPalette p = palette();
    p.setColor(QPalette::Window, problem ? QColor(0xF8, 0xD7, 0xD3) : QColor(0xFF, 0xF1, 0xC4));
    p.setColor(QPalette::WindowText, QColor(0x30, 0x20, 0x10));
    setPalette(p);
    Text->setText(text());
    All->setVisible(FFindings.size() > Listed || FForeign.size() > Listed);
    setVisible(problem || !FFindings.isEmpty());
}

void JournalBanner::showAll()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Замечания к журналу"));
    auto* list = new QPlainTextEdit(&dialog);
    list->setReadOnly(true);
    QStringList lines;
    if (!FForeign.isEmpty()) {
        lines << QStringLiteral("Изменения, каких стенд не делает (версия истории: изменение):") << FForeign;
        if (!FBefore.isEmpty())
            lines << QStringLiteral("Журнал до них: версия %1; вернуть его: %2").arg(FBefore, restoreCommand());
        lines << QString();
    }
    if (!FFindings.isEmpty())
        lines << QStringLiteral("Замечания, как их называет «oplab-data journal check»:") << FFindings;
    list->setPlainText(lines.join(QLatin1Char('\n')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(640, 420);
    dialog.exec();
}
