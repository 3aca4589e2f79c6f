// The bench program as main() runs it, ending after the intro page's first
// paint.
#include "FirstPaint.h"
#include "app/Program.h"
#include "widgets/controls/TImage.h"
#include "app/Unit1.h"

int main(int argc, char** argv)
{
    return Program::run(argc, argv, [](TForm1& form) {
        // The intro picture is painted last over the page: its paint is the
        // page's.
        auto* intro = form.findChild<TImage*>(QStringLiteral("Image2"));
        intro->installEventFilter(new FirstPaint(&form));
    });
}
