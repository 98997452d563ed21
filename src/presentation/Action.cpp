#include "presentation/Action.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Angles.hpp"
#include "presentation/Animation.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/ObjectSink.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SoundEmitter.hpp"
#include "presentation/SpriteBatch.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

namespace Kestrum
{
    namespace
    {
        const sf::Color boundaryColour(255, 0, 0, 255);

        template <typename Visit>
        void ForEachChildElement(const pugi::xml_node& parent, Visit visit)
        {
            for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
                if (child.type() == pugi::node_element)
                    visit(child);
        }

        struct Emission
        {
            float delay = 0.f;
            bool fired = false;
        };

        struct ParticleEmission : Emission
        {
            unsigned long type = 0;
            sf::Vector2f offset;
        };

        // The buffer only: the sound itself, with its audio source, is made when
        // it plays.
        struct SoundEmission : Emission
        {
            std::shared_ptr<sf::SoundBuffer> buffer;
        };

        // The shadows of an action's animations, drawn together. Each member
        // draws nothing once its animation is gone.
        class ActionShadow : public Shadow
        {
        public:
            void Add(const stable_ptr<Shadow>& member) { m_members.push_back(member); }

            void Draw() override
            {
                for (const stable_ptr<Shadow>& member : m_members)
                    member->Draw();
            }

        private:
            std::vector<stable_ptr<Shadow>> m_members;
        };
    }

    struct Action::Data
    {
        stable_ptr<CircleList> body = stable_ptr<CircleList>(new CircleList());
        // In the order of the definition: they are drawn in that order.
        std::vector<stable_ptr<Animation>> animations;
        std::vector<ParticleEmission> particleEmissions;
        std::vector<SoundEmission> soundEmissions;
        sf::Color colorFilter = sf::Color::White;
        bool loop = false;
        float rotation = 0.f;
        std::shared_ptr<ActionShadow> shadow;
        float elapsed = 0.f;
    };

    Action::Action() : showBoundary(false) {}
    Action::~Action() = default;

    Action::Data& Action::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void Action::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading"));
        std::unique_ptr<Data> data(new Data);
        CheckInlineDefinition(element, "action", 1);
        data->loop = GetChildValue<bool>(element, "loop");

        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        for (const pugi::xml_node& animation : GetChildElement(element, "animations").children("animation"))
            data->animations.push_back(resources->CreateAnimation(name, animation));

        if (const pugi::xml_node boundary = element.child("boundary"))
        {
            data->body->SetPosition(GetChildValue<sf::Vector2f>(boundary, "center"));
            for (const pugi::xml_node& child : boundary.children("circle"))
            {
                Circle circle;
                circle.radius = GetAttributeValue<float>(child, "radius");
                circle.offset = GetCoordinatesFromAttributes<float>(child);
                data->body->Add(circle);
            }
        }

        ForEachChildElement(GetChildElement(element, "particle_effects"), [&](const pugi::xml_node& child) {
            CheckAndReturnVersion(child, 1);
            ParticleEmission emission;
            emission.type = GetAttributeValue<unsigned long>(child, "type");
            emission.offset = GetOptionalChildValue<sf::Vector2f>(child, "position", sf::Vector2f());
            emission.delay = GetOptionalChildValue<float>(child, "delay", 0.f);
            data->particleEmissions.push_back(emission);
        });

        // A sound file is named relative to the action's folder, like every other
        // file a definition names.
        const std::string folder = GetParentResourcePath(name);
        ForEachChildElement(GetChildElement(element, "sounds"), [&](const pugi::xml_node& child) {
            CheckAndReturnVersion(child, 1);
            SoundEmission emission;
            emission.buffer = resources->GetSoundBuffer(JoinResourcePath(folder, GetAttributeText(child, "file")));
            emission.delay = GetOptionalChildValue<float>(child, "delay", 0.f);
            // A game without an audio device has no sound to play.
            if (emission.buffer)
                data->soundEmissions.push_back(emission);
        });

        m_data = std::move(data);
    }

    void Action::OnUpdate()
    {
        Data& data = GetData();
        data.elapsed += GetFromRegistry<TimeSystem>()->GetFrameTime();
        const sf::Vector2f position = GetPosition();
        const bool inside = GetFlightArea().Contains(position);

        // A sound that falls due outside the play field is dropped, not kept for later.
        for (SoundEmission& emission : data.soundEmissions)
            if (!emission.fired && emission.delay <= data.elapsed)
            {
                if (inside)
                    GetFromRegistry<ObjectSink>()->Add(SoundEmitter::Create(create_stable_ptr(emission.buffer), false, position));
                emission.fired = true;
            }

        for (ParticleEmission& emission : data.particleEmissions)
            if (!emission.fired && emission.delay <= data.elapsed)
            {
                sf::Vector2f offset = emission.offset;
                Rotate(offset, data.rotation);
                GetFromRegistry<ObjectSink>()->Add(
                    GetFromRegistry<ParticleFactory>()->Get(emission.type, position + offset));
                emission.fired = true;
            }

        for (const stable_ptr<Animation>& animation : data.animations)
            animation->OnUpdate();
    }

    void Action::Draw()
    {
        const Data& data = GetData();
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->Draw();
        if (!showBoundary)
            return;
        FlushSprites();
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        for (const Circle& circle : data.body->GetCircles())
            window.draw(CreateCircleShape(circle, 1.f, boundaryColour));
        sf::CircleShape pivot(2.f);
        pivot.setOrigin(2.f, 2.f);
        pivot.setPosition(GetPosition());
        pivot.setFillColor(boundaryColour);
        window.draw(pivot);
    }

    void Action::SetPositionX(const float& x)
    {
        const Data& data = GetData();
        Positionable<float>::SetPositionX(x);
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->SetPositionX(x);
        data.body->SetPositionX(x);
    }

    void Action::SetPositionY(const float& y)
    {
        const Data& data = GetData();
        Positionable<float>::SetPositionY(y);
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->SetPositionY(y);
        data.body->SetPositionY(y);
    }

    void Action::MovePositionX(const float& dx)
    {
        const Data& data = GetData();
        Positionable<float>::MovePositionX(dx);
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->MovePositionX(dx);
        data.body->MovePositionX(dx);
    }

    void Action::MovePositionY(const float& dy)
    {
        const Data& data = GetData();
        Positionable<float>::MovePositionY(dy);
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->MovePositionY(dy);
        data.body->MovePositionY(dy);
    }

    float Action::GetRotation() const
    {
        return GetData().rotation;
    }

    void Action::SetRotation(float angle)
    {
        Data& data = GetData();
        data.body->Rotate(angle - data.rotation);
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->SetRotation(angle);
        data.rotation = angle;
    }

    stable_ptr<const CircleList> Action::GetBody() const
    {
        return GetData().body;
    }

    bool Action::IsLooping() const
    {
        return GetData().loop;
    }

    bool Action::ReachedEnd() const
    {
        const Data& data = GetData();
        if (data.loop)
            return false;
        for (const stable_ptr<Animation>& animation : data.animations)
            if (!animation->IsLooping() && !animation->ReachedEnd())
                return false;
        return true;
    }

    void Action::Reset()
    {
        Data& data = GetData();
        for (ParticleEmission& emission : data.particleEmissions)
            emission.fired = false;
        for (SoundEmission& emission : data.soundEmissions)
            emission.fired = false;
        data.elapsed = 0.f;
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->Reset();
        SetPosition(0.f, 0.f);
        SetRotation(0.f);
        SetColorFilter(sf::Color::White);
    }

    void Action::SetColorFilter(const sf::Color& colour)
    {
        Data& data = GetData();
        for (const stable_ptr<Animation>& animation : data.animations)
            animation->SetColorFilter(colour);
        data.colorFilter = colour;
    }

    stable_ptr<Shadow> Action::EnableShadow()
    {
        Data& data = GetData();
        if (!data.shadow)
        {
            auto shadow = std::make_shared<ActionShadow>();
            for (const stable_ptr<Animation>& animation : data.animations)
                shadow->Add(animation->EnableShadow());
            data.shadow = shadow;
        }
        return create_stable_ptr(std::shared_ptr<Shadow>(data.shadow));
    }
}
