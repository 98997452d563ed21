#include "campaign/SavedCampaignFixture.hpp"
#include "campaign/TechnologyScreen.hpp"
#include "campaign/TechnologyTreeWidget.hpp"
#include "interface/ComplexButton.hpp"

#include <optional>
#include <tuple>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    struct NodeRow
    {
        const char* type;
        float x, y;
        std::vector<int> predecessors; // indices of nodes written before
        std::optional<unsigned> cost;
    };

    // The tree's nodes as the save file holds them, each after its predecessors.
    std::string NodesXml(const std::vector<NodeRow>& nodes)
    {
        std::string text = "<m_nodes class_id=\"16\" tracking_level=\"0\" version=\"0\"><count>" +
                           std::to_string(nodes.size()) + "</count><item_version>0</item_version>";
        for (std::size_t i = 0; i < nodes.size(); ++i)
        {
            const NodeRow& node = nodes[i];
            text += i == 0 ? "<item class_id=\"17\" tracking_level=\"0\" version=\"0\"><sp class_id=\"18\" "
                             "tracking_level=\"0\" version=\"1\"><px class_id=\"19\" tracking_level=\"1\" version=\"0\""
                           : "<item><sp><px class_id_reference=\"19\"";
            text += " object_id=\"_" + std::to_string(3 + i) + "\"><Type>" + node.type + "</Type><Position><x>" +
                    std::to_string(node.x) + "</x><y>" + std::to_string(node.y) + "</y></Position><Predecessors><count>" +
                    std::to_string(node.predecessors.size()) + "</count><item_version>0</item_version>";
            for (int predecessor : node.predecessors)
                text += "<item><sp><px class_id_reference=\"19\" object_id_reference=\"_" +
                        std::to_string(3 + predecessor) + "\"></px></sp></item>";
            text += std::string("</Predecessors><Cost") +
                    (i == 0 ? " class_id=\"20\" tracking_level=\"0\" version=\"0\"" : "") + "><initialized>" +
                    (node.cost ? "1</initialized><item_version>0</item_version><value>" + std::to_string(*node.cost) +
                                     "</value>"
                               : "0</initialized>") +
                    "</Cost><Open>0</Open></px></sp></item>";
        }
        return text + "</m_nodes>";
    }

    class TechnologyScreenTest : public SavedCampaignFixture
    {
    protected:
        TechnologyScreenTest() : technology(CreateAndRegister(new TechnologyScreen()).get_shared()) {}

        Widget& Diagram() { return *technology->GetChildren().back()->GetChildren().front(); }
        std::vector<std::shared_ptr<ComplexButton>> Nodes() { return ButtonsOf<ComplexButton>(Diagram()); }
        // The start button of the details panel shown, if any.
        std::vector<std::shared_ptr<Button>> Development()
        {
            return ButtonsOf<Button>(*Diagram().GetChildren().back());
        }
        // The node button centred on the point.
        std::shared_ptr<ComplexButton> NodeAt(const sf::Vector2f& centre)
        {
            for (const std::shared_ptr<ComplexButton>& node : Nodes())
                if (node->GetPosition() + node->GetSize() / 2.f == centre)
                    return node;
            ADD_FAILURE() << "no node centred on " << centre.x << ", " << centre.y;
            return Nodes().front();
        }

        std::shared_ptr<TechnologyScreen> technology;
    };
}

TEST_F(TechnologyScreenTest, NodesAreDevelopedOneAfterTheOther)
{
    // The pulse cannon at (0, 0) opens the way to the twin laser at (1, 2) and
    // the scatter blaster at (1, 0).
    WriteSaving(3, "20110305T140322",
                NodesXml({{"wpn000", 0.f, 0.f, {}, 300u},
                          {"wpn001", 1.f, 2.f, {0}, 500u},
                          {"wpn002", 1.f, 0.f, {0}, 800u},
                          {"shd001", 0.5f, 0.f, {}, std::nullopt},
                          {"bmb000", 0.f, 0.f, {}, 10u},
                          {"wpn500", 0.f, 1.f, {}, 10u}}));
    const stable_ptr<Saving> saving = manager->Load(3);
    RegisterSaving(saving);
    saving->RegisterInventory();
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    inventory->money = 1000;
    log.KeepUpTo(LogLevel::info);
    Show(technology);
    EXPECT_TRUE(log.Contains("error:   technology tree holds bmb000, but no Bomb can be developed yet: skipped"));
    EXPECT_TRUE(log.Contains("error:   technology tree holds wpn500, but the player can not own it: skipped"));

    // The exit button, then the six tabs down the left edge, the weapons' shown.
    const std::vector<std::shared_ptr<Button>> buttons = ButtonsOf<Button>(*technology);
    const std::vector<std::shared_ptr<Button>> tabs(buttons.begin() + 1, buttons.end());
    ASSERT_EQ(6u, tabs.size());
    for (std::size_t i = 0; i < tabs.size(); ++i)
    {
        EXPECT_EQ(sf::Vector2f(0.f, 97.f * float(i)), tabs[i]->GetPosition());
        EXPECT_EQ(i != 0, tabs[i]->IsEnabled()) << i;
    }
    ASSERT_EQ(3u, Nodes().size());
    const std::shared_ptr<ComplexButton> pulse = NodeAt({150.f, 170.f});
    const std::shared_ptr<ComplexButton> laser = NodeAt({590.f, 410.f});
    // The line from the laser to the cannon runs red between the buttons.
    EXPECT_EQ(sf::Color::Red, Frame().getPixel(370, 290));

    // The laser waits for the cannon: its panel has no start button.
    Click(*laser);
    ASSERT_EQ(1u, Diagram().GetChildren().size());
    EXPECT_TRUE(Development().empty());

    // The cannon is developed: paid, offered in the shop, and its button goes after the click.
    Click(*pulse);
    ASSERT_EQ(1u, Diagram().GetChildren().size());
    ASSERT_EQ(1u, Development().size());
    const std::shared_ptr<Button> start = Development()[0];
    EXPECT_EQ(sf::Vector2f(500.f, 390.f), start->GetPosition());
    Click(*start);
    EXPECT_EQ(700u, inventory->money);
    EXPECT_EQ((std::vector<std::string>{"shd001", "wpn000"}), saving->GetShop());
    EXPECT_FALSE(start->IsVisible());
    Frame();
    EXPECT_TRUE(Development().empty());

    // The panel covers the laser and takes the click; entered anew, the laser can be developed.
    const std::shared_ptr<Widget> panel = Diagram().GetChildren().back().get_shared();
    Click(*laser);
    EXPECT_TRUE(panel == Diagram().GetChildren().back().get_shared()) << "the panel shown before stays";
    technology->HandleMouseMove(GetCenter(*laser), GetCenter(*laser));
    EXPECT_FALSE(laser->HasFocus()) << "nor does the pointer reach it";
    Show(technology);
    Click(*NodeAt({590.f, 410.f}));
    ASSERT_EQ(1u, Development().size());
    const std::shared_ptr<Button> develop = Development()[0];
    EXPECT_TRUE(develop->IsEnabled());
    const sf::Image picture = Frame();
    Keep(picture, "technology-screen.png");
    EXPECT_EQ(1u, log.Count("icons can not be deactivated yet")) << "said once, not every frame";
    // The blue panel from (110, 350) to (620, 460) in its black frame; the cost from (300, 400) on.
    for (const auto& [x, y, colour] : std::vector<std::tuple<unsigned, unsigned, sf::Color>>{
             {110, 350, sf::Color::Blue}, {619, 459, sf::Color::Blue}, {109, 350, sf::Color::Black},
             {110, 349, sf::Color::Black}, {620, 459, sf::Color::Black}, {619, 460, sf::Color::Black}})
        EXPECT_EQ(colour, picture.getPixel(x, y)) << x << ", " << y;
    sf::Vector2u first(1000, 1000);
    for (unsigned y = 355; y < 455; ++y)
        for (unsigned x = 115; x < 495; ++x)
            if (picture.getPixel(x, y) != sf::Color::Blue)
                first = {std::min(first.x, x), std::min(first.y, y)};
    EXPECT_TRUE(first.x >= 300 && first.x <= 303 && first.y >= 400 && first.y <= 405) << first.x << ", " << first.y;

    // The money gone on another tab, a click before the next frame, which disables it, is refused.
    inventory->money = 400;
    Click(*develop);
    EXPECT_TRUE(log.Contains("error:   development of wpn001 refused: it can not be developed now"));
    EXPECT_EQ(2u, saving->GetShop().size());
    EXPECT_EQ(400u, inventory->money);
    Frame();
    EXPECT_FALSE(develop->IsEnabled());

    // The bombs show an empty diagram, the shields their one node.
    Click(*tabs[Categories::Bomb]);
    EXPECT_TRUE(Nodes().empty());
    Click(*tabs[Categories::Shield]);
    EXPECT_EQ(1u, Nodes().size());
}
