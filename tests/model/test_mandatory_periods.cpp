// Mandatory periods between the plan data and TPlanMandatoryTime lists, as the mandatory-days page
// and the plan construction use them.

#include <gtest/gtest.h>

#include "data/PlanData.h"
#include "model/MandatoryPeriods.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

TPlanMandatoryTime Period(int fromDay, int toDay, int games) {
    return TPlanMandatoryTime{EncodeDate(2027, 4, fromDay), EncodeDate(2027, 4, toDay), games};
}

} // namespace

TEST(MandatoryPeriods, ReadWriteKeepsOrderAndWholeDays) {
    TPlanData data;
    data.LoadFromXMLText(R"(<terminor><plan>
      <mandatorygames datefrom="24.04.2027" dateto="25.04.2027" numbergames="1"/>
      <team teamname="A"/>
      <mandatorygames datefrom="17.04.2027" dateto="18.04.2027" numbergames="2"/>
    </plan></terminor>)",
                         "plan.xml");
    TPlanMandatoryTimeList periods = ReadMandatoryPeriods(data);
    ASSERT_EQ(periods.size(), 2U);
    EXPECT_TRUE(periods[0].IsTheSame(Period(24, 25, 1)));

    periods.Sort();
    periods[1].DateTo += 0.5; // a time of day is not stored
    WriteMandatoryPeriods(data, periods);
    const IDataObjectList nodes = data.root().NamedChilds("mandatorygames");
    ASSERT_EQ(nodes.size(), 2U);
    EXPECT_EQ(nodes[0]->GetAsString("datefrom"), "17.04.2027");
    EXPECT_EQ(nodes[1]->GetAsString("dateto"), "25.04.2027");
    EXPECT_EQ(nodes[1]->GetAsString("numbergames"), "1");
    EXPECT_EQ(data.root().NamedChilds("team").size(), 1U);

    // The plan reads the same periods.
    TPlan plan;
    plan.Load(data);
    ASSERT_EQ(plan.MandatoryGameDays.size(), 2U);
    EXPECT_TRUE(plan.MandatoryGameDays[0].IsTheSame(Period(17, 18, 2)));
}

TEST(MandatoryPeriods, StoreSortsAndKeepsOnePeriodPerPairOfDays) {
    EXPECT_TRUE(IsMandatoryPeriodInOrder(EncodeDate(2027, 4, 3) + 0.9, EncodeDate(2027, 4, 3)));
    EXPECT_FALSE(IsMandatoryPeriodInOrder(EncodeDate(2027, 4, 3), EncodeDate(2027, 4, 2) + 0.99));

    TPlanMandatoryTimeList periods;
    EXPECT_EQ(StoreMandatoryPeriod(periods, -1, Period(24, 25, 1)), 0);
    EXPECT_EQ(StoreMandatoryPeriod(periods, -1, Period(17, 18, 2)), 0);
    EXPECT_EQ(StoreMandatoryPeriod(periods, -1, Period(17, 20, 1)), 1);
    // A new period on the days of an existing one replaces it.
    EXPECT_EQ(StoreMandatoryPeriod(periods, -1, Period(17, 18, 3)), 0);
    ASSERT_EQ(periods.size(), 3U);
    EXPECT_EQ(periods[0].GameCount, 3);
    // Editing the first period moves it into order; onto the days of another it takes its place.
    EXPECT_EQ(StoreMandatoryPeriod(periods, 0, Period(30, 30, 1)), 2);
    EXPECT_EQ(StoreMandatoryPeriod(periods, 2, Period(24, 25, 4)), 1);
    ASSERT_EQ(periods.size(), 2U);
    EXPECT_TRUE(periods[0].IsTheSame(Period(17, 20, 1)));
    EXPECT_TRUE(periods[1].IsTheSame(Period(24, 25, 4)));
}
