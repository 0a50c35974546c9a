// The desktop program terminor.

#include <string_view>

#include <QApplication>

#include "app/PrintPdfCommand.h"

int main(int argc, char** argv) {
    // The batch printing needs no window: it runs on the offscreen platform.
    const bool printPdf = argc > 1 && std::string_view(argv[1]) == "--print-pdf";
    if (printPdf) {
        terminor::PreparePrintPdf();
    }
    QApplication app(argc, argv);
    if (printPdf) {
        return terminor::RunPrintPdf(argc, argv);
    }
    return 0;
}
