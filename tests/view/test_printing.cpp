// Printing: page cutting with heads, the plan's sections in order, the print selection and the
// dialog chain of the plan view's Print. PDF files are read back with poppler's tools.

#include <algorithm>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "common/DatedExamplePlan.h"
#include "common/PdfText.h"
#include "data/PlanData.h"
#include "model/ModelTestUtil.h"
#include "view/PlanPanel.h"
#include "view/PlanPrint.h"
#include "view/PrintSelect.h"
#include "view/SimplePrinter.h"
#include "view/ZoomCanvas.h"

namespace terminor {
namespace {

using test::PdfInfo;
using test::PdfPages;

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string FirstLine(const std::string& text) {
    const std::size_t begin = text.find_first_not_of("\n ");
    return begin == std::string::npos ? std::string() : text.substr(begin, text.find('\n', begin) - begin);
}

/// A routine that writes texts at logical y positions and reports `height` as its extent.
TPrintFunction Texts(std::vector<std::pair<int, std::string>> texts, int height) {
    return [texts = std::move(texts), height](TZoomCanvas& canvas, bool forPrint) {
        EXPECT_TRUE(forPrint);
        for (const auto& [y, text] : texts) {
            canvas.TextOut(0, y, text);
        }
        return TPageExtent{500, height};
    };
}

/// The darkest grey level of the three pixels around (x, y).
int Darkest(const QImage& image, int x, int y) {
    int darkest = 255;
    for (int dx = -1; dx <= 1; ++dx) {
        darkest = std::min(darkest, qGray(image.pixel(x + dx, y)));
    }
    return darkest;
}

/// Page `page` (1-based) of a PDF rendered at 96 dpi: one pixel per logical unit at zoom 1.
QImage RenderPage(const QTemporaryDir& dir, const std::string& pdf, int page) {
    const QString prefix = dir.filePath(QString("page%1").arg(page));
    // Without vector anti-aliasing a hairline covers whole pixels.
    test::ToolOutput("pdftoppm",
                     {"-png", "-r", "96", "-aaVector", "no", "-singlefile", "-f", QString::number(page), "-l",
                      QString::number(page), QString::fromStdString(pdf), prefix});
    return QImage(prefix + ".png");
}

/// The user's settings in a temporary file while it lives: the print selection remembers its font size.
struct TTempSettings {
    TTempSettings() {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Dir.path());
    }
    QTemporaryDir Dir;
};

/// Runs `handle` once on the first modal dialog of type D that opens while it lives.
template <typename D> class TOnModal {
public:
    explicit TOnModal(std::function<void(D&)> handle) : FHandle(std::move(handle)) {
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
                FTimer.stop();
                Seen = true;
                FHandle(*dialog);
            }
        });
        FTimer.start(10);
    }
    bool Seen = false;

private:
    std::function<void(D&)> FHandle;
    QTimer FTimer;
};

TEST(Printing, PagesAreCutWithHeadsAndLinesStopAtTheBorder) {
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("cut.pdf").toStdString();
    TSimplePrinter printer;
    printer.BeginPrintToPdf("Schnitt", false, pdf);
    const int h = printer.PageHeight();
    EXPECT_NEAR(h, 11.69 * 96 - 150, 2); // A4 at zoom 1, less the top and bottom margins

    printer.print(Texts({{0, "KnappOben"}, {h - 30, "KnappUnten"}}, h - 1), false, "Knapp");
    printer.print(Texts({{10, "GanzeSeite"}}, h), true, "Voll");
    const auto longSection = [h](TZoomCanvas& canvas, bool forPrint) {
        // A text exactly on a page boundary belongs to the lower page only.
        Texts(
            {{10, "ErsteSeite"}, {h + 10, "ZweiteSeite"}, {2 * h, "AufGrenze"}, {2 * h + 10, "DritteSeite"}},
            0)(canvas, forPrint);
        canvas.MoveTo(300, h - 40);
        for (const int y : {h - 20, h + 20, h + 40}) {
            canvas.LineTo(300, y);
        }
        // So does a horizontal line.
        canvas.MoveTo(400, h);
        canvas.LineTo(450, h);
        return TPageExtent{500, 2 * h + 30};
    };
    printer.print(longSection, true, "Lang");
    // A block kept together that would be cut starts the next page.
    const auto keptSection = [h](TZoomCanvas& canvas, bool forPrint) {
        canvas.KeepTogether(h - 30, h + 10);
        Texts({{10, "Oben"}, {h - 30, "Block"}}, 0)(canvas, forPrint);
        return TPageExtent{500, h + 10};
    };
    printer.print(keptSection, true, "Block");
    printer.print(Texts({}, 0), true, "Leer");
    EXPECT_EQ(printer.PageCount(), 9);
    printer.EndPrint();

    EXPECT_EQ(PdfInfo(pdf, "Pages"), "9");
    EXPECT_EQ(PdfInfo(pdf, "Title"), "Schnitt");
    const std::vector<std::vector<std::string>> expected = {
        {"Knapp", "KnappOben", "KnappUnten"},
        {"Voll", "GanzeSeite"},
        {"Voll"}, // a drawing exactly one page high: a second page with only the head
        {"Lang", "ErsteSeite"},
        {"Lang", "ZweiteSeite"},
        {"Lang", "AufGrenze", "DritteSeite"},
        {"Block", "Oben"},
        {"Block", "Block"},
        {"Leer"}, // an empty section still gets its head
    };
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), expected.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(Words(pages[i]), expected[i]) << "page " << i + 1;
    }

    // The drawing's origin sits 50 units from the left and 100 from the top of the paper. The
    // segment that crosses the border ends at it on the first page and goes on from the top of
    // the second page's window, below its head.
    const QImage first = RenderPage(dir, pdf, 4);
    const QImage second = RenderPage(dir, pdf, 5);
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_LT(Darkest(first, 350, 100 + h - 30), 128);
    EXPECT_LT(Darkest(first, 350, 100 + h - 3), 128);
    EXPECT_GT(Darkest(first, 350, 100 + h + 10), 200);
    EXPECT_GT(Darkest(second, 350, 100 - 10), 200);
    EXPECT_LT(Darkest(second, 350, 100 + 3), 128);
    EXPECT_LT(Darkest(second, 350, 100 + 30), 128);
    // The line on the boundary is drawn at the top of the second page only.
    EXPECT_GT(Darkest(first, 475, 100 + h), 200);
    EXPECT_LT(std::min(Darkest(second, 475, 100), Darkest(second, 475, 101)), 128);
}

TEST(Printing, PlanSectionsPrintInOrderWithTheirTitles) {
    const auto plan = test::DatedExamplePlan(7);
    const std::vector<std::string> allTitles = {
        "Terminwünsche",    "Termine der Nachbarmannschaften",         "Kosten",   "Spielplan",
        "Mannschaftspläne", "Mannschaftspläne mit Nachbarmanschaften", "Diagramme"};
    EXPECT_DOUBLE_EQ(PrintZoom(true), 0.6);
    EXPECT_DOUBLE_EQ(PrintZoom(false), 0.45);

    QTemporaryDir dir;
    TPrintSelection some;
    some.Sections.fill(false);
    some.Sections[static_cast<int>(TPrintSection::Kosten)] = true;
    some.Sections[static_cast<int>(TPrintSection::Diagramme)] = true;
    TPrintSelection none;
    none.Sections.fill(false);
    TPrintSelection landscape;
    landscape.Landscape = true;
    const struct {
        TPrintSelection selection;
        std::vector<std::string> titles;
        const char* pageSize;
    } cases[] = {{TPrintSelection{}, allTitles, "595 x 842"},
                 {landscape, allTitles, "842 x 595"},
                 {some, {"Kosten", "Diagramme"}, "595 x 842"},
                 {none, {}, "595 x 842"}};
    int n = 0;
    for (const auto& c : cases) {
        const std::string pdf = dir.filePath(QString("plan%1.pdf").arg(n++)).toStdString();
        TSimplePrinter printer;
        printer.Zoom = PrintZoom(c.selection.Landscape);
        printer.BeginPrintToPdf(plan->PlanName, c.selection.Landscape, pdf);
        PrintPlanSections(printer, *plan, c.selection);
        const int pageCount = printer.PageCount();
        printer.EndPrint();

        EXPECT_EQ(PdfInfo(pdf, "Title"), plan->PlanName);
        EXPECT_EQ(PdfInfo(pdf, "Page size").substr(0, 9), c.pageSize);
        const std::vector<std::string> pages = PdfPages(pdf);
        ASSERT_EQ(static_cast<int>(pages.size()), pageCount);
        if (c.titles.empty()) {
            // Nothing selected: the document is still started and ended.
            EXPECT_EQ(pageCount, 1);
            EXPECT_TRUE(Words(pages[0]).empty());
            continue;
        }
        // The text layer has plain letters, no ligature glyph "\u{FB00}" for "ff".
        std::string text;
        for (const std::string& page : pages) {
            text += page;
        }
        EXPECT_EQ(text.find("\xEF\xAC\x80"), std::string::npos);
        if (c.selection.Sections[static_cast<int>(TPrintSection::TerminWuensche)]) {
            EXPECT_NE(text.find("effektiv: "), std::string::npos);
        }
        // Every page starts with its section's title; the sections follow each other in order.
        std::vector<std::string> sequence;
        for (const std::string& page : pages) {
            const std::string title = FirstLine(page);
            if (sequence.empty() || sequence.back() != title) {
                sequence.push_back(title);
            }
        }
        EXPECT_EQ(sequence, c.titles);
    }
}

/// The example division with all sixteen team cost types: it gets a seeding list and a sister team
/// whose home games its team should share.
std::unique_ptr<TPlan> PlanWithEveryCostType() {
    TPlanData data;
    data.LoadFromClickTTFile(test::ExamplePath("bezirksliga-herren-nord.xml"));
    TDataObject& ranking = data.root().addChild("ranking");
    ranking.SetAsBool("active", true);
    int index = 0;
    for (const TDataObject* team : data.root().NamedChilds("team")) {
        TDataObject& entry = ranking.addChild("team");
        entry.SetAsString("teamname", team->GetAsString("teamname"));
        entry.SetAsInt("rankingindex", index++);
        for (TDataObject* sister : team->NamedChilds("sisterteam")) {
            sister->SetAsBool("parallelhomegames", true);
        }
    }
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    return test::WithWorkerDates(std::move(plan), 5);
}

struct TPdfWord {
    double XMax = 0;
    double PageWidth = 0;
};

/// Each word of a PDF file with its right edge and its page's width, from pdftotext -bbox.
std::vector<std::pair<std::string, TPdfWord>> PdfWords(const std::string& pdf) {
    const std::string html = test::ToolOutput("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
    const std::regex tag(
        R"re(<page width="([0-9.]+)"|<word xMin="[0-9.]+" yMin="[0-9.]+" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<std::pair<std::string, TPdfWord>> words;
    double pageWidth = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), tag); it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched) {
            pageWidth = std::stod((*it)[1]);
        } else {
            words.push_back({(*it)[3], {std::stod((*it)[2]), pageWidth}});
        }
    }
    return words;
}

TEST(Printing, AWideCostTableIsDrawnSmallerToFitThePage) {
    const auto plan = PlanWithEveryCostType();
    int shown = 0;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        shown += plan->HasValuesForType(type) ? 1 : 0;
    }
    ASSERT_EQ(shown, 16);

    QTemporaryDir dir;
    const std::string pdf = dir.filePath("kosten.pdf").toStdString();
    TSimplePrinter printer;
    printer.Zoom = PrintZoom(false);
    printer.BeginPrintToPdf(plan->PlanName, false, pdf);
    TPrintSelection kosten;
    kosten.Sections.fill(false);
    kosten.Sections[static_cast<int>(TPrintSection::Kosten)] = true;
    PrintPlanSections(printer, *plan, kosten);
    const double kostenZoom = printer.LastSectionZoom();
    // Only the wide section is drawn smaller; a narrow one keeps the zoom.
    printer.print(Texts({{0, "Schmal"}}, 20), true, "Schmal");
    EXPECT_DOUBLE_EQ(printer.LastSectionZoom(), PrintZoom(false));
    printer.EndPrint();
    EXPECT_LT(kostenZoom, PrintZoom(false));
    EXPECT_GT(kostenZoom, 0.3);

    int gesamt = 0;
    for (const auto& [word, box] : PdfWords(pdf)) {
        if (word == "Gesamt" || word == "Pflichtspieltage") {
            ++gesamt;
            // Inside the printable part: left of the right margin of 50 units at zoom 0.45.
            EXPECT_LT(box.XMax, box.PageWidth - 50 * 0.45 * 72 / 96 + 1) << word;
        }
    }
    EXPECT_EQ(gesamt, 2);
}

TEST(Printing, PrintSelectionOffersSevenSectionsTheFormatAndTheFontSize) {
    const TTempSettings settings;
    TFormPrintSelect form;
    EXPECT_EQ(form.windowTitle(), "Druckauswahl");
    const std::pair<const char*, const char*> boxes[] = {
        {"CheckBoxTerminWuensche", "Terminwünsche"},
        {"CheckBoxSisterTeams", "Termine der Nachbarmannschaften"},
        {"CheckBoxKosten", "Kosten"},
        {"CheckBoxTerminPlan", "Spielplan"},
        {"CheckBoxMannschaftsplaene", "Mannschaftspläne"},
        {"CheckBoxMannschaftsplaeneWithSisterTeams", "Mannschaftspläne mit Nachbarmannschaften"},
        {"CheckBoxVerteilung", "Diagramme"}};
    for (const auto& [name, caption] : boxes) {
        auto* box = form.findChild<QCheckBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(box->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(box->isChecked());
    }
    auto* format = form.findChild<QComboBox*>("ComboBoxFormat");
    ASSERT_NE(format, nullptr);
    ASSERT_EQ(format->count(), 2);
    EXPECT_EQ(format->itemText(0), "Hochformat");
    EXPECT_EQ(format->itemText(1), "Querformat");
    EXPECT_EQ(format->currentText(), "Hochformat");
    auto* fontSize = form.findChild<QComboBox*>("ComboBoxSchriftgroesse");
    ASSERT_NE(fontSize, nullptr);
    ASSERT_EQ(fontSize->count(), 2);
    EXPECT_EQ(fontSize->itemText(0), "normal");
    EXPECT_EQ(fontSize->itemText(1), QString::fromUtf8("groß"));
    EXPECT_EQ(fontSize->currentIndex(), 0);
    const TPrintSelection initial = form.Selection();
    EXPECT_FALSE(initial.Landscape);
    EXPECT_FALSE(initial.LargeFont);
    EXPECT_EQ(std::count(initial.Sections.begin(), initial.Sections.end(), true), PrintSectionCount);

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // Clicked near the indicator: a check box reacts only on its indicator and caption.
    for (const char* name : {"CheckBoxKosten", "CheckBoxVerteilung"}) {
        auto* box = form.findChild<QCheckBox*>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    format->setCurrentIndex(1);
    fontSize->setCurrentIndex(1);
    const TPrintSelection chosen = form.Selection();
    EXPECT_TRUE(chosen.Landscape);
    EXPECT_TRUE(chosen.LargeFont);
    EXPECT_DOUBLE_EQ(PrintZoom(chosen), 0.6 * 1.4);
    EXPECT_FALSE(chosen.Sections[static_cast<int>(TPrintSection::Kosten)]);
    EXPECT_FALSE(chosen.Sections[static_cast<int>(TPrintSection::Diagramme)]);
    EXPECT_TRUE(chosen.Sections[static_cast<int>(TPrintSection::Spielplan)]);

    // The font size chosen with OK is offered the next time; cancelled, it is not kept.
    form.accept();
    TFormPrintSelect again;
    EXPECT_TRUE(again.Selection().LargeFont);
    again.findChild<QComboBox*>("ComboBoxSchriftgroesse")->setCurrentIndex(0);
    again.reject();
    EXPECT_TRUE(TFormPrintSelect().Selection().LargeFont);
}

TEST(Printing, PlanViewPrintAsksThenPrintsThroughTheDialog) {
    const TTempSettings settings;
    TFormPlanPanel panel;
    const auto plan = test::DatedExamplePlan(7);
    panel.SetPlan(plan.get());

    {
        // "Abbruch" in the selection: no print dialog follows.
        TOnModal<TFormPrintSelect> select([](TFormPrintSelect& form) {
            QTest::mouseClick(form.findChild<QPushButton*>("ButtonAbbruch"), Qt::LeftButton);
        });
        TOnModal<QPrintDialog> print([](QPrintDialog& dialog) { dialog.reject(); });
        panel.Print();
        EXPECT_TRUE(select.Seen);
        EXPECT_FALSE(print.Seen);
    }
    {
        // "OK" with "Querformat": the print dialog shows the plan's name and the orientation;
        // cancelling it ends printing without output.
        TOnModal<TFormPrintSelect> select([](TFormPrintSelect& form) {
            form.findChild<QComboBox*>("ComboBoxFormat")->setCurrentIndex(1);
            QTest::mouseClick(form.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
        });
        QString docName;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        TOnModal<QPrintDialog> print([&](QPrintDialog& dialog) {
            docName = dialog.printer()->docName();
            orientation = dialog.printer()->pageLayout().orientation();
            dialog.reject();
        });
        panel.Print();
        EXPECT_TRUE(print.Seen);
        EXPECT_EQ(docName.toStdString(), plan->PlanName);
        EXPECT_EQ(orientation, QPageLayout::Landscape);
    }
    {
        // Accepted, the dialog prints into the PDF file it was given.
        QTemporaryDir dir;
        const QString pdf = dir.filePath("dialog.pdf");
        TOnModal<TFormPrintSelect> select([](TFormPrintSelect& form) {
            QTest::mouseClick(form.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
        });
        TOnModal<QPrintDialog> print([&](QPrintDialog& dialog) {
            // The dialog's last destination prints into the file named in its file field.
            auto* printers = dialog.findChild<QComboBox*>("printers");
            auto* fileName = dialog.findChild<QLineEdit*>("filename");
            if (printers != nullptr) {
                printers->setCurrentIndex(printers->count() - 1);
            }
            if (printers == nullptr || fileName == nullptr || !printers->currentText().contains("PDF")) {
                ADD_FAILURE() << "no file destination in the print dialog";
                dialog.reject();
                return;
            }
            fileName->setText(pdf);
            dialog.accept();
        });
        panel.Print();
        ASSERT_TRUE(print.Seen);
        const std::vector<std::string> pages = PdfPages(pdf.toStdString());
        ASSERT_GE(pages.size(), 7u);
        EXPECT_EQ(FirstLine(pages.front()), "Terminwünsche");
        EXPECT_EQ(FirstLine(pages.back()), "Diagramme");
        EXPECT_EQ(PdfInfo(pdf.toStdString(), "Page size").substr(0, 9), "595 x 842");
    }
}

} // namespace
} // namespace terminor
