#pragma once
// Shared helpers of the page render tests: a small dated division with sister teams, couplings,
// fallback and fixed dates, and a page rendered into an image at zoom 1 and 96 dpi with its texts
// and hit areas.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "model/ModelTestUtil.h"
#include "model/Schedule.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor::test {

/// Four teams of three clubs ("TSV Nord" and "TSV Nord II" are one club), both halves dated on
/// their wish dates. With `faults` one game stays undated, one is on an unwished time, one on the
/// plan's free day 03.10.2026 and one pairing is played a second time. Without `couplings` the
/// double game day of "SV Ost" (05.09. and 06.09.2026) is two plain dates.
inline std::unique_ptr<TPlan> ViewTestPlan(bool faults, bool ausweichWish = true, bool couplings = true) {
    const std::string home = "<homegameday datetime=\"";
    const std::string doubleDate = couplings ? "\" doublegameday=\"true\" coupleprio=\"1\"/>" : "\"/>";
    const std::string plan =
        "<plan name=\"Testliga\" id=\"7\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
        "until=\"30.04.2027\">"
        "<team teamname=\"TSV Nord\" teamid=\"n1\" clubid=\"nord\" teamnumber=\"1\" homerights=\"-1\">" +
        home + "05.09.2026 18:00\"/>" + home + "30.01.2027 18:00\" location=\"1\" ausweichtermin=\"" +
        (ausweichWish ? "true" : "false") + "\"/>" + home + "13.02.2027 18:00\"/>" + home +
        "20.02.2027 18:00\"/>"
        "<sisterteam teamname=\"TSV Nord\" gender=\"Damen\" teamnumber=\"1\" noparallelgames=\"true\">"
        "<sistergame datetime=\"19.09.2026 14:00\" hometeamname=\"TSV Nord\" guestteamname=\"TuS Süd\"/>"
        "</sisterteam>"
        "<sisterteam teamname=\"TSV Nord\" gender=\"Jungen\" teamnumber=\"1\">"
        "<sistergame datetime=\"19.09.2026 10:00\" hometeamname=\"SC Fremd\" guestteamname=\"TSV Nord\" "
        "location=\"3\"/></sisterteam></team>"
        "<team teamname=\"TSV Nord II\" teamid=\"n2\" clubid=\"nord\" teamnumber=\"2\" homerights=\"-1\">" +
        home + "19.09.2026 18:00\"/>" + home + "16.01.2027 18:00\" location=\"1\"/>" + home +
        "13.02.2027 18:00\"/></team>"
        "<team teamname=\"SV Ost\" teamid=\"o\" clubid=\"ost\" teamnumber=\"1\" homerights=\"-1\">" +
        home + "05.09.2026 18:00" + doubleDate + home + "06.09.2026 11:00" + doubleDate + home +
        "30.01.2027 18:00\"/></team>"
        "<team teamname=\"TTC West\" teamid=\"w\" clubid=\"west\" teamnumber=\"1\" homerights=\"-1\">" +
        home + "19.09.2026 18:00\"/>" + home + "03.10.2026 18:00\"/>" + home +
        "16.01.2027 18:00\"/>"
        "<sisterteam teamname=\"TTC West\" gender=\"Damen\" teamnumber=\"1\">"
        "<sistergame datetime=\"19.09.2026 15:00\" hometeamname=\"TTC West\" guestteamname=\"TuS Süd\"/>"
        "</sisterteam></team>" +
        (faults ? "<nogameday date=\"03.10.2026\"/>" : "") +
        "<predefinedgames><game datetime=\"16.01.2027 18:00\" hometeamname=\"TSV Nord II\" "
        "guestteamname=\"TSV Nord\" location=\"2\"/></predefinedgames></plan>";
    auto result = LoadPlanFromText(plan);

    TSchedule schedule;
    const auto add = [&schedule](TDateTime date, const char* heim, const char* gast) {
        schedule.push_back({date, heim, gast, ""});
    };
    add(D(2026, 9, 5, 18), "TSV Nord", "TSV Nord II");
    add(D(2026, 9, 5, 18), "SV Ost", "TTC West");
    add(D(2026, 9, 6, 11), "SV Ost", "TSV Nord");
    add(faults ? D(2026, 9, 19, 19, 30) : D(2026, 9, 19, 18), "TTC West", "TSV Nord");
    add(D(2026, 9, 19, 18), "TSV Nord II", "SV Ost");
    add(D(2026, 10, 3, 18), "TTC West", "TSV Nord II");
    add(D(2027, 1, 16, 18), "TSV Nord II", "TSV Nord");
    add(D(2027, 1, 16, 18), "TTC West", "SV Ost");
    add(D(2027, 1, 30, 18), "TSV Nord", "TTC West");
    add(D(2027, 1, 30, 18), "SV Ost", "TSV Nord II");
    add(D(2027, 2, 13, 18), "TSV Nord", "SV Ost");
    if (faults) {
        add(D(2027, 2, 20, 18), "TSV Nord", "TSV Nord II");
    } else {
        add(D(2027, 2, 13, 18), "TSV Nord II", "TTC West");
    }
    result->AssignSchedule(schedule);
    result->CalculateKosten(-1);
    return result;
}

/// A page as drawn: the image, the texts with their positions, the hit areas and the extent.
struct TRenderedPage {
    QImage Image;
    std::vector<TDrawnText> Texts;
    std::vector<TActionRectPtr> Hits;
    TPageExtent Extent;

    /// The texts equal to `text`, in drawing order.
    std::vector<const TDrawnText*> All(const std::string& text) const {
        std::vector<const TDrawnText*> found;
        for (const TDrawnText& t : Texts) {
            if (t.Text == text) {
                found.push_back(&t);
            }
        }
        return found;
    }
    /// The first text equal to `text`, or nullptr.
    const TDrawnText* Find(const std::string& text) const {
        const auto found = All(text);
        return found.empty() ? nullptr : found.front();
    }
    /// The texts beginning with `prefix`, in drawing order.
    std::vector<const TDrawnText*> StartingWith(const std::string& prefix) const {
        std::vector<const TDrawnText*> found;
        for (const TDrawnText& t : Texts) {
            if (t.Text.starts_with(prefix)) {
                found.push_back(&t);
            }
        }
        return found;
    }
    /// The texts drawn at (x, y).
    std::vector<std::string> At(int x, int y) const {
        std::vector<std::string> found;
        for (const TDrawnText& t : Texts) {
            if (t.X == x && t.Y == y) {
                found.push_back(t.Text);
            }
        }
        return found;
    }
    /// The hit areas of one class.
    template <typename T> std::vector<const T*> HitsOf() const {
        std::vector<const T*> found;
        for (const TActionRectPtr& hit : Hits) {
            if (const auto* typed = dynamic_cast<const T*>(hit.get())) {
                found.push_back(typed);
            }
        }
        return found;
    }
};

/// Draws a page routine into a white image as large as its extent (measured first without a
/// painter), at zoom 1 and 96 dpi.
inline TRenderedPage RenderPage(const std::function<TPageExtent(TZoomCanvas&)>& draw) {
    TZoomCanvas measure(nullptr, 96, 96, 1.0);
    const TPageExtent size = draw(measure);
    TRenderedPage page;
    page.Image = QImage(std::max(size.Width, 1) + 40, std::max(size.Height, 1) + 40, QImage::Format_RGB32);
    page.Image.fill(Qt::white);
    QPainter painter(&page.Image);
    TZoomCanvas canvas(&painter, 96, 96, 1.0);
    canvas.SetTextLog(&page.Texts);
    page.Extent = draw(canvas);
    page.Hits = canvas.ActionRects();
    return page;
}

} // namespace terminor::test
