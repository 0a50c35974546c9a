// The synthetic divisions of the benchmarks: every size loads into a plan within the limits, the
// teams offer enough home dates, and the wishes the examples have are present.

#include <gtest/gtest.h>

#include "SyntheticDivision.h"
#include "model/Plan.h"

using namespace terminor;

TEST(SyntheticDivision, EverySizeLoadsWithTheExamplesKindsOfWishes) {
    for (const int teams : {6, 10, 14, 20, 30}) {
        TPlanData data;
        synthetic::BuildDivision(teams, 1, data);
        TPlan plan;
        plan.Load(data);
        ASSERT_EQ(plan.Mannschaften.size(), static_cast<std::size_t>(teams));
        EXPECT_EQ(plan.gamesAllowed.size(), static_cast<std::size_t>(teams * (teams - 1)));
        int sisterTeams = 0;
        for (const auto& team : plan.Mannschaften) {
            EXPECT_GE(team->WunschTermine.size(), static_cast<std::size_t>(teams + 3)) << team->teamName;
            sisterTeams += team->SisterTeamsInPlan.empty() ? 0 : 1;
        }
        EXPECT_GE(sisterTeams, 2) << teams;
        EXPECT_TRUE(plan.HasKoppelTermine()) << teams;
        EXPECT_TRUE(plan.HasAuswaertsKoppelTermine()) << teams;
        EXPECT_TRUE(plan.Has60KilometerValues()) << teams;
        EXPECT_FALSE(plan.FreeGameDays.empty());
    }
    TPlanData a;
    TPlanData b;
    synthetic::BuildDivision(12, 7, a);
    synthetic::BuildDivision(12, 7, b);
    EXPECT_EQ(a.SaveToXMLText(), b.SaveToXMLText()) << "the same size and seed give the same division";
}
