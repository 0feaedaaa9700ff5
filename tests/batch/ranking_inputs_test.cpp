// What a ranking window is given by the main window, the orders of its three
// selections and where its CSV goes.
#include "batch/ranking_inputs.h"

#include <gtest/gtest.h>

#include "batch/simulation.h"
#include "batch/window_model.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

TEST(RankingInputs, AreTheModelsBattersAndPatternsAndSimulatesOrderFile) {
    WindowModel model;
    model.batters[2] = {400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4};
    model.patterns = {"abcdefg**", "", "", "", "", "b*a******"};
    SimulationFiles files;
    files.orderFile = "lineups/mine.dat";

    const RankingInputs inputs = rankingInputs(model, files);
    EXPECT_EQ(inputs.records[2].label, 'c');
    EXPECT_DOUBLE_EQ(inputs.records[2].pSingle, 100.0 / 450.0);
    EXPECT_EQ(inputs.patterns, model.patterns);
    EXPECT_EQ(inputs.orderFile, "lineups/mine.dat");
}

TEST(RankingSelection, EachSourceSelectsItsOrdersSetBySet) {
    test::ScratchDir dir;
    RankingInputs inputs;
    inputs.patterns = {"abcdefg**", "", "", "", "", ""};
    dir.write("order.dat", "abcdefghi\r\nihgfedcba\r\nabcdefghi\r\n");
    inputs.orderFile = dir.path("order.dat").string();

    const OrderSelection every = rankingSelection(OrderSource::EveryOrdering, inputs);
    EXPECT_EQ(countSelectedOrders(every), std::size_t{362880});
    EXPECT_TRUE(every.rotationsTogether());

    const OrderSelection accepted = rankingSelection(OrderSource::AcceptedOrderings, inputs);
    EXPECT_EQ(countSelectedOrders(accepted), std::size_t{2});
    EXPECT_TRUE(accepted.rotationsTogether());

    // The order file's lines as Simulate reads them, with the same patterns.
    const OrderSelection file = rankingSelection(OrderSource::OrderFile, inputs);
    EXPECT_EQ(file.orderFile(), inputs.orderFile);
    EXPECT_EQ(countSelectedOrders(file), std::size_t{2});
}

TEST(RankingCsvRequest, OffersRankingCsvAndAsksBeforeReplacingOrCreating) {
    const ChooserRequest request = rankingCsvRequest();
    EXPECT_EQ(request.kind, ChooserRequest::Kind::Save);
    EXPECT_EQ(request.initialName, "ranking.csv");
    EXPECT_EQ(request.defaultExtension, "csv");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.createPrompt);
}

}  // namespace
}  // namespace diz
