#pragma once

#include <QTextEdit>

// The read-only rich-text view of the instructions. loadFromFile replaces
// the whole text with the document read from an RTF file; a file that
// cannot be opened throws EFOpenError "Cannot open file <path>" and leaves
// the text as it was.
class TRichEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);

    void loadFromFile(const QString& path);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The file's bytes of the text on show, and the document's revision
    // right after they were read (a later change of the text moves it).
    QByteArray Loaded;
    int LoadedRevision = -1;
};
