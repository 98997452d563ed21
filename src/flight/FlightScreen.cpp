#include "flight/FlightScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/InterfaceBoss.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Scaling.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/ScrollSystem.hpp"
#include "interface/CounterDisplay.hpp"
#include "interface/Gauge.hpp"
#include "presentation/GameObject.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SplitSprite.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <set>

namespace Kestrum
{
    namespace
    {
        const char* const interfaceImage = "resources|gui|screens|flight|gui.png";
        // The interface is laid out for this width; wider windows centre it.
        const float referenceWidth = 1024.f;
        const float referenceHeight = 768.f;
        // The console on the left of the reference layout and the dial in it.
        const float consoleWidth = 204.f;
        const float gaugeSize = 128.f;
        const int bossGaugeStyle = 2;

        // The living boss that is worst off, or none.
        const InterfaceBoss* FindBoss()
        {
            const InterfaceBoss* shown = nullptr;
            float lowest = 0.f;
            GetFromRegistry<GameObjectManager>()->ForEachObject<GameObject>([&](const GameObject& object) {
                const InterfaceBoss* boss = dynamic_cast<const InterfaceBoss*>(&object);
                if (!boss || object.IsExpired())
                    return;
                const float ratio = boss->GetHealthRatio();
                if (!shown || ratio < lowest)
                {
                    shown = boss;
                    lowest = ratio;
                }
            });
            return shown;
        }
    }

    struct FlightScreen::Data
    {
        // The interface image as it is drawn: most of it is either opaque or
        // fully transparent.
        std::unique_ptr<SplitSprite> frame;
        bool coversAllButFlightArea = false;
        std::shared_ptr<Gauge> bossGauge;
        std::shared_ptr<CounterDisplay> scoreDisplay;
        // The steering and weapon actions of the current frame.
        std::set<Action> actions;

        void DrawOverlay();
        void DrawReadouts();
    };

    FlightScreen::FlightScreen()
    {
        SetActive(false);
    }

    FlightScreen::~FlightScreen() = default;

    FlightScreen::Data& FlightScreen::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call OnEnter()?"));
        return *m_data;
    }

    bool FlightScreen::HandleAction(Action action)
    {
        Data& data = GetData();
        if (Widget::HandleAction(action))
            return true;
        if (action >= move_left && action <= bomb)
        {
            data.actions.insert(action);
            return true;
        }
        return false;
    }

    void FlightScreen::OnEnter()
    {
        const sf::Vector2f screen = GetFromRegistry<ConfigurationSystem>()->GetScreenSize();
        const float width = screen.x;
        const float height = screen.y;
        const float left = (width - referenceWidth) / 2.f;

        std::unique_ptr<Data> data(new Data());
        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        const stable_ptr<sf::Image> image = resources->GetImage(interfaceImage, false);
        const sf::Vector2u size = image->getSize();
        data->frame.reset(new SplitSprite(stable_ptr<const sf::Texture>(resources->GetTexture(interfaceImage, false)),
                                          *image));
        data->frame->SetPosition(sf::Vector2f((width - static_cast<float>(size.x)) / 2.f,
                                              (height - static_cast<float>(size.y)) / 2.f));
        const sf::Vector2u window = GetFromRegistry<sf::RenderWindow>()->getSize();
        const EdgeRect field = GetFlightArea();
        data->coversAllButFlightArea = data->frame->Covers(
            sf::IntRect(0, 0, int(window.x), int(window.y)),
            sf::IntRect(int(field.left), int(field.top), int(field.right - field.left), int(field.bottom - field.top)));
        data->scoreDisplay = CounterDisplay::Create();
        data->scoreDisplay->SetPosition(sf::Vector2f(left + 22.f, 35.f));
        data->bossGauge = Gauge::Create(bossGaugeStyle);
        // The dial stands at the bottom of the reference layout, whatever the
        // window's height.
        data->bossGauge->SetPosition(
            sf::Vector2f(left + (consoleWidth - gaugeSize) / 2.f, referenceHeight + 0.f - 180.f));
        GetFromRegistry<sf::RenderWindow>()->setMouseCursorVisible(false);
        m_data = std::move(data);
    }

    void FlightScreen::OnUpdate()
    {
        GetFromRegistry<ScrollSystem>()->Update();
        Data& data = GetData();
        if (!data.scoreDisplay)
            BOOST_THROW_EXCEPTION(LogicError("score display is not available"));
        data.scoreDisplay->SetNumber(GetFromRegistry<ScoreSystem>()->score);
        Widget::OnUpdate();

        // The actions count for this frame only, whatever happens below.
        std::set<Action> actions;
        actions.swap(data.actions);
        const stable_ptr<PlayerShip> ship = GetFromRegistry<Inventory>()->GetShip();
        if (ship->IsExpired())
            return;
        sf::Vector2f direction(0.f, 0.f);
        for (Action action : actions)
        {
            switch (action)
            {
            case move_left:
                direction.x -= 1.f;
                break;
            case move_right:
                direction.x += 1.f;
                break;
            case move_up:
                direction.y -= 1.f;
                break;
            case move_down:
                direction.y += 1.f;
                break;
            case fire:
                ship->Fire();
                break;
            case bomb:
                ship->ThrowBomb();
                break;
            default:
                BOOST_THROW_EXCEPTION(LogicError("unhandled action " + ToString(action) + " was triggered"));
            }
        }
        if (direction.x * direction.x + direction.y * direction.y > 1.f)
            direction = ScaleToLength(direction, 1.f);
        ship->Move(direction);
    }

    void FlightScreen::OnExit()
    {
        Data& data = GetData();
        data.frame.reset();
        data.coversAllButFlightArea = false;
        data.bossGauge.reset();
        data.scoreDisplay.reset();
        GetFromRegistry<sf::RenderWindow>()->setMouseCursorVisible(true);
    }

    void FlightScreen::DrawGUI()
    {
        DrawOverlay();
        DrawReadouts();
    }

    void FlightScreen::DrawOverlay()
    {
        GetData().DrawOverlay();
    }

    void FlightScreen::DrawReadouts()
    {
        GetData().DrawReadouts();
    }

    bool FlightScreen::OverlayCoversAllButFlightArea() const
    {
        return m_data && m_data->coversAllButFlightArea;
    }

    void FlightScreen::Data::DrawOverlay()
    {
        if (!frame)
            BOOST_THROW_EXCEPTION(LogicError());
        frame->Draw(*GetFromRegistry<sf::RenderWindow>());
    }

    void FlightScreen::Data::DrawReadouts()
    {
        if (!scoreDisplay)
            BOOST_THROW_EXCEPTION(LogicError("score display is not available"));
        scoreDisplay->Draw();

        const InterfaceBoss* boss = FindBoss();
        if (!boss)
            return;
        if (!bossGauge)
            BOOST_THROW_EXCEPTION(LogicError("boss gauge is not available"));
        bossGauge->SetValue(boss->GetHealthRatio());
        bossGauge->Draw();
    }
}
