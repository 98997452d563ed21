#include "campaign/TechnologyTreeWidget.hpp"

#include "campaign/Saving.hpp"
#include "campaign/TechnologyTree.hpp"
#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/Inventory.hpp"
#include "flight/Sellable.hpp"
#include "interface/ComplexButton.hpp"
#include "presentation/Angles.hpp"
#include "presentation/Animation.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Kestrum
{
    namespace
    {
        typedef TechnologyTree::Node Node;

        const std::string folder = "resources|gui|screens|technology|";
        const float iconSize = 64.f;
        const float lineThickness = 2.f;
        const sf::Color lineColour(255, 0, 0, 255);
        // The details panel, its cost text and its start button.
        const sf::Vector2f panelCorner(110.f, 350.f);
        const sf::Vector2f panelSize(510.f, 110.f);
        const float panelOutline = 3.f;
        const sf::Vector2f costPosition(300.f, 400.f);
        const unsigned int costSize = 12;
        const sf::Vector2f developmentCorner(500.f, 390.f);

        // The pixel point of a node's place in the diagram.
        sf::Vector2f GetCentre(const Node& node)
        {
            return sf::Vector2f(static_cast<float>(150.0 + 440.0 * node.Position.x),
                                static_cast<float>(170.0 + 120.0 * node.Position.y));
        }

        // A straight line of the diagram's thickness from one point to another.
        sf::RectangleShape MakeLine(const sf::Vector2f& from, const sf::Vector2f& to)
        {
            const sf::Vector2f delta = to - from;
            sf::RectangleShape line(sf::Vector2f(std::sqrt(delta.x * delta.x + delta.y * delta.y), lineThickness));
            line.setOrigin(0.f, lineThickness / 2.f);
            line.setPosition(from);
            line.setRotation(GetAngle(delta));
            line.setFillColor(lineColour);
            line.setOutlineThickness(0.f);
            line.setOutlineColor(sf::Color(0, 0, 0, 255));
            return line;
        }

        // The button of one node: the node background centred on the node's
        // place, with the icon of the node's item on it. Developed and
        // undeveloped nodes look the same.
        class NodeButton : public ComplexButton
        {
        public:
            explicit NodeButton(const stable_ptr<Node>& node) : m_node(node), m_centre(0.f, 0.f), m_iconPosition(0.f, 0.f)
            {
            }

            void Initialize()
            {
                ComplexButton::Initialize(folder + "node_background.png", folder + "node_background_click_area.txt",
                                          sf::Vector2f(0.f, 0.f));
                m_centre = GetCentre(*m_node);
                SetPosition(m_centre - GetSize() / 2.f);
                // Only the icon is kept: a copy of its own, which plays apart.
                m_icon = GetFromRegistry<EquipmentFactory>()->Create(m_node->Type)->GetIcon()->Clone().get_shared();
                m_iconPosition = m_centre - sf::Vector2f(iconSize, iconSize) / 2.f;
            }

            void Draw() override
            {
                ComplexButton::Draw();
                ReportIconsCannotBeDeactivated();
                // The animation is drawn around its frames' centres.
                const stable_ptr<Animation> icon = m_icon->GetGuiAnimation();
                const sf::Vector2f centre = m_iconPosition + sf::Vector2f(iconSize, iconSize) / 2.f;
                icon->SetPosition(centre.x, centre.y);
                icon->Draw();
            }

            const stable_ptr<Node>& GetNode() const { return m_node; }
            const sf::Vector2f& GetNodeCentre() const { return m_centre; }

        private:
            stable_ptr<Node> m_node;
            sf::Vector2f m_centre;
            std::shared_ptr<EquipmentIcon> m_icon;
            // The icon's top-left corner.
            sf::Vector2f m_iconPosition;
        };

        std::shared_ptr<NodeButton> CreateNodeButton(const stable_ptr<Node>& node)
        {
            const std::shared_ptr<NodeButton> button = std::make_shared<NodeButton>(node);
            button->Initialize();
            return button;
        }

        // Whether the node can be developed now: it is closed, has a cost the
        // money covers and its predecessors are open.
        bool CanBeDeveloped(const Node& node)
        {
            return !node.Open && node.Cost && *node.Cost <= GetFromRegistry<Inventory>()->money &&
                   node.ArePredecessorsOpen();
        }

        // The panel of the clicked node: its cost and, when the node can be
        // developed now, the start button. The panel takes the clicks and the
        // pointer inside it, so that the nodes it covers are out of reach.
        class DetailsWidget : public Widget
        {
        public:
            explicit DetailsWidget(const stable_ptr<Node>& node) : m_node(node), m_developed(false), m_panel(panelSize)
            {
                m_panel.setPosition(panelCorner);
                m_panel.setFillColor(sf::Color(0, 0, 255, 255));
                m_panel.setOutlineThickness(panelOutline);
                m_panel.setOutlineColor(sf::Color(0, 0, 0, 255));
                if (m_node->Cost)
                {
                    m_font = ShareDefaultFont().get_shared();
                    m_cost.setFont(*m_font);
                    m_cost.setString(std::to_string(*m_node->Cost));
                    m_cost.setCharacterSize(costSize);
                    m_cost.setPosition(costPosition);
                }
            }

            // A closed node whose predecessors are open gets the start button,
            // enabled while the money covers the cost.
            void OnEnter() override
            {
                if (m_node->Open || !m_node->ArePredecessorsOpen())
                    return;
                const stable_ptr<ComplexButton> button =
                    ComplexButton::Create(folder + "buttons|development|start.png",
                                          folder + "buttons|development|click_area.txt", developmentCorner);
                button->SetEnabled(CanBeDeveloped(*m_node));
                button->GetClickSignal().connect([this](MouseButton) { OpenNode(); });
                AddButton(button, 0);
            }

            // The start button goes once it has done its work; until then it is
            // enabled only while the node can be developed: the money may have
            // gone on other tabs since the panel was opened.
            void OnUpdate() override
            {
                Widget::OnUpdate();
                if (m_developed)
                    ClearButtons();
                const bool developable = CanBeDeveloped(*m_node);
                for (const stable_ptr<Button>& button : GetButtons(false))
                    button->SetEnabled(developable);
            }

            void OnExit() override { ClearButtons(); }

            bool HandleClick(const sf::Vector2f& position, MouseButton button) override
            {
                return Widget::HandleClick(position, button) || Covers(position);
            }

            // Nor does the pointer over it give the focus to a node it covers.
            bool HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous) override
            {
                return Widget::HandleMouseMove(position, previous) || Covers(position);
            }

            void Draw() override
            {
                const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
                window->draw(m_panel);
                if (m_font)
                    window->draw(m_cost);
                Widget::Draw();
            }

            // Develops the node. The start button is clicked right now, so it is
            // only put out of reach here and removed at the next update. A node
            // that can no longer be developed (the button was enabled in an
            // earlier frame) is refused with an error line; nothing changes.
            void OpenNode()
            {
                if (!CanBeDeveloped(*m_node))
                {
                    *Log(LogLevel::error) << "development of " << m_node->Type << " refused: it can not be developed now";
                    return;
                }
                Kestrum::OpenNode(m_node);
                for (const stable_ptr<Button>& button : GetButtons(false))
                {
                    button->SetEnabled(false);
                    button->SetVisible(false);
                }
                m_developed = true;
            }

        private:
            static bool Covers(const sf::Vector2f& position)
            {
                return sf::FloatRect(panelCorner, panelSize).contains(position);
            }

            stable_ptr<Node> m_node;
            bool m_developed;
            // The panel and the cost, made with the widget: the cost does not change.
            sf::RectangleShape m_panel;
            std::shared_ptr<sf::Font> m_font;
            sf::Text m_cost;
        };

        // The node buttons over the lines to their predecessors, and the
        // details panel of the node clicked last.
        class Layout : public Widget
        {
        public:
            void OnEnter() override {}
            void OnExit() override {}

            void SetNodeButtons(const std::set<std::shared_ptr<NodeButton>>& buttons)
            {
                ClearButtons();
                m_lines.clear();
                for (const std::shared_ptr<NodeButton>& button : buttons)
                {
                    const stable_ptr<Node> node = button->GetNode();
                    button->GetClickSignal().connect([this, node](MouseButton) { ShowDetails(node); });
                    for (const stable_ptr<Node>& predecessor : node->Predecessors)
                        m_lines.push_back(MakeLine(button->GetNodeCentre(), GetCentre(*predecessor)));
                    AddButton(create_stable_ptr(button), 0);
                }
            }

            void ShowDetails(const stable_ptr<Node>& node)
            {
                if (!GetChildren().empty())
                {
                    const std::shared_ptr<Widget> shown = GetChildren().back().get_shared();
                    RemoveChild(shown);
                }
                const stable_ptr<DetailsWidget> details(new DetailsWidget(node));
                details->OnEnter();
                AddChild(details);
            }

            void Draw() override
            {
                const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
                for (const sf::RectangleShape& line : m_lines)
                    window->draw(line);
                Widget::Draw();
            }

        private:
            std::vector<sf::RectangleShape> m_lines;
        };
    }

    TechnologyTreeWidget::TechnologyTreeWidget(Categories::Equipment category) : m_category(category) {}

    TechnologyTreeWidget::~TechnologyTreeWidget() = default;

    void TechnologyTreeWidget::OnEnter()
    {
        const stable_ptr<TechnologyTree> tree = GetFromRegistry<Saving>()->GetTechnologyTree();
        const stable_ptr<EquipmentFactory> factory = GetFromRegistry<EquipmentFactory>();
        std::set<std::shared_ptr<NodeButton>> buttons;
        for (const stable_ptr<Node>& node : tree->GetNodes(m_category))
        {
            // Their buttons would end the game here: such nodes are left out.
            if (!CanBeMade(m_category))
            {
                *Log(LogLevel::error) << "technology tree holds " << node->Type << ", but no "
                                      << Categories::EquipmentToString(m_category)
                                      << " can be developed yet: skipped";
                continue;
            }
            if (!factory->CanBeOwned(node->Type))
            {
                *Log(LogLevel::error) << "technology tree holds " << node->Type
                                      << ", but the player can not own it: skipped";
                continue;
            }
            buttons.insert(CreateNodeButton(node));
        }
        const stable_ptr<Layout> layout(new Layout());
        layout->OnEnter();
        layout->SetNodeButtons(buttons);
        AddChild(layout);
    }

    void TechnologyTreeWidget::OnExit()
    {
        ClearChildren();
    }
}
